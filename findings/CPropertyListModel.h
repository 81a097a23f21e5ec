#pragma once

#include "document/CPropertyList.h"
#include "properties/CCheckLimits.h"
#include "properties/CPropertyResult.h"
#include "properties/CRun.h"
#include "questions/CAnswer.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CNetStructure;

// The property list as the program shows it: the document's lines, each with what the
// program found of it. A formula is read against the net when it is added or edited; one
// that does not read keeps the parser's message with its column and is not checked. A
// checked line keeps its verdict (the same CAnswer::Verdict zerin-cli's properties
// question writes: the value, why it is unknown, the time and the techniques), the run
// that shows it and the net it was checked on, so that a verdict of a net edited since
// is told stale. What is found of a line stays with it by its serial number through
// edits, moves and removals of the others.
//
// A check asks the checker the properties question asks (PropertyAnswers), in three
// parts so that the middle one can run off the window's thread: Prepare takes the lines,
// Run checks them touching neither the model nor the document, Apply puts the results in.
class CPropertyListModel {
public:
    enum class EState { Unchecked, Wrong, Checked };
    struct Finding {
        EState state = EState::Unchecked;
        // Why the line is wrong: the parser's message (with its column), or an
        // examination that is not one of the global ones; the offset of the fault.
        std::string fault;
        std::size_t faultPosition = 0;
        CAnswer::Verdict verdict;
        std::optional<CRun> run;
        // QuasiLiveness and Liveness FALSE: the events that lose concession; StableMarking
        // TRUE: the conditions that keep their initial value.
        std::vector<int> events;
        std::vector<int> conditions;
        // The net the verdict belongs to.
        std::shared_ptr<const CNetStructure> net;
    };

    // The lines to check and the net to check them on.
    struct Query {
        std::uint64_t serial = 0;
        CPropertyList::EKind kind = CPropertyList::EKind::Formula;
        std::string text;
    };
    struct Batch {
        std::shared_ptr<const CNetStructure> net;
        std::vector<Query> queries;
    };
    struct Outcome {
        std::uint64_t serial = 0;
        CPropertyResult result;
    };

    explicit CPropertyListModel(CPropertyList& list) : m_list(list) {}

    CPropertyList& List() { return m_list; }
    const CPropertyList& List() const { return m_list; }
    // The net formulas are read against; null for none (every formula is then unchecked).
    void SetNet(std::shared_ptr<const CNetStructure> net);
    const std::shared_ptr<const CNetStructure>& Net() const { return m_pNet; }

    // What is known of the line; an unchecked finding for an unknown serial.
    const Finding& FindingOf(std::uint64_t serial) const;
    // Checked on a net other than the current one.
    bool IsStale(std::uint64_t serial) const;
    // The text shown in the verdict column: TRUE, FALSE, the number, CANNOT_COMPUTE, or
    // nothing.
    static std::string VerdictText(const Finding& finding);

    // --- Editing; each returns the serial or whether it changed. ---
    std::uint64_t AddFormula(const std::string& text);
    std::uint64_t AddExamination(const std::string& name);
    // The line's new text, read again: what was found of the old one goes.
    bool Edit(std::uint64_t serial, const std::string& text);
    bool Remove(std::uint64_t serial);
    bool Move(std::uint64_t serial, int delta);
    // Catches up with a list changed from outside (a document opened): the findings of
    // lines that are gone are dropped, new lines read.
    void Refresh();

    // --- Checking. ---
    // The lines of the serials (all lines where none are given) that read, in list order.
    Batch Prepare(const std::vector<std::uint64_t>& serials = {}) const;
    // Checked one after the other, the formulas together so that they share a walk
    // through the cases; a cancel leaves the lines after it cancelled.
    static std::vector<Outcome> Run(const Batch& batch, const CCheckLimits& limits = {});
    // The results into the findings; a line that was cancelled keeps what it had.
    void Apply(const Batch& batch, const std::vector<Outcome>& outcomes);

    // What the formula editor completes: the net's condition and event names, quoted
    // where the language asks, then the operators and words of the language.
    std::vector<std::string> CompletionWords() const;
    // The global examinations a line may name.
    static std::vector<std::string> ExaminationNames();

private:
    // Reads the line's text and keeps what it found.
    void Validate(const CPropertyList::Line& line);

    CPropertyList& m_list;
    std::shared_ptr<const CNetStructure> m_pNet;
    std::map<std::uint64_t, Finding> m_mapFindings;
    std::uint64_t m_nSeenRevision = 0;
};
