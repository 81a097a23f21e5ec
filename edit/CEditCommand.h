#pragma once

#include "base/WorkProgress.h"

#include <cstddef>
#include <string>

// One user edit of the document, undoable: Do makes it (again), Undo takes it back.
// The short text names it in "Undo <text>" and "Redo <text>".
class CEditCommand {
public:
    explicit CEditCommand(std::string text) : m_strText(std::move(text)) {}
    virtual ~CEditCommand() = default;
    CEditCommand(const CEditCommand&) = delete;
    CEditCommand& operator=(const CEditCommand&) = delete;

    virtual void Do() = 0;
    virtual void Undo() = 0;
    // The same told a progress: false, with the command as it was before the call,
    // when the progress cancels. A command in one piece does it whole.
    virtual bool Do(const WorkProgress& /*progress*/) {
        Do();
        return true;
    }
    virtual bool Undo(const WorkProgress& /*progress*/) {
        Undo();
        return true;
    }
    // Takes the next edit into this one (typing into one field, a key held down): true
    // when it did, and the next edit is then dropped.
    virtual bool MergeWith(CEditCommand& /*next*/) { return false; }

    const std::string& Text() const { return m_strText; }
    // The memory the command holds of its own, in bytes, for the history's budget.
    virtual std::size_t Size() const { return 0; }

protected:
    void SetText(std::string text) { m_strText = std::move(text); }

private:
    std::string m_strText;
};
