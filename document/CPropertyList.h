#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The properties a user keeps with a document, in the order of the list: formulas of the
// readable language and the contest's global examinations by name. Each line has a
// serial number of its own that stays with it through edits, so that what the program
// found of a line (its verdict, its run) follows it. The document owns the list; its
// companion file keeps it (CPropertyListFile), and the list says whether it changed
// since it was last read or written there.
class CPropertyList {
public:
    enum class EKind { Formula, Examination };
    struct Line {
        std::uint64_t serial = 0;
        EKind kind = EKind::Formula;
        std::string text;

        bool operator==(const Line&) const = default;
    };

    const std::vector<Line>& Lines() const { return m_arrLines; }
    bool IsEmpty() const { return m_arrLines.empty(); }
    // The line of the serial number; null for none.
    const Line* Find(std::uint64_t serial) const;

    // A line at the end; its serial number. A formula's line breaks become blanks: a
    // line of the list is one line of the file.
    std::uint64_t Add(EKind kind, std::string text);
    // The text of a line changed; false for an unknown serial or the same text.
    bool Replace(std::uint64_t serial, std::string text);
    // False for an unknown serial.
    bool Remove(std::uint64_t serial);
    // The line one place up (delta -1) or down (+1); false where it cannot move.
    bool Move(std::uint64_t serial, int delta);

    // Counts every change, so that a view can tell that it is behind.
    std::uint64_t Revision() const { return m_nRevision; }
    // Changed since it was last read, written or started anew.
    bool IsModified() const { return m_bModified; }
    // Emptied by the user since: the lines it had were all removed, so that a companion
    // file of the document is stale.
    bool WasEmptied() const { return m_arrLines.empty() && m_bHadLines; }

    // The lines a file held, as not modified: each gets a new serial number.
    void Load(const std::vector<Line>& lines);
    // A new document's list: empty, not modified, no file refused.
    void Reset();
    // Written to (or read from) the document's file: not modified any more.
    void MarkSaved();

    // The companion file of the document could not be taken (a newer version wrote
    // it, or it is damaged): its path and the message that names it and the reason.
    // Saving keeps such a file aside before writing over it. Empty for none.
    const std::string& RefusedFile() const { return m_strRefusedFile; }
    const std::string& RefusedMessage() const { return m_strRefusedMessage; }
    void SetRefused(std::string path, std::string message);

private:
    static std::string OneLine(std::string text);
    void Changed();

    std::vector<Line> m_arrLines;
    std::uint64_t m_nNextSerial = 1;
    std::uint64_t m_nRevision = 0;
    bool m_bModified = false;
    bool m_bHadLines = false;
    std::string m_strRefusedFile;
    std::string m_strRefusedMessage;
};
