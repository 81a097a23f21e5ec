#pragma once

#include "edit/CEditCommand.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The edit history: the commands done, and those undone that can be redone. Pushing a
// command (already done) drops what could be redone. The clean state is the one last
// saved: the document is modified exactly when the history is elsewhere.
class CUndoStack {
public:
    void Push(std::unique_ptr<CEditCommand> command);
    // At most this many bytes held by the commands: past it the oldest ones go (the
    // last one always stays).
    void SetBudget(std::size_t nBytes) { m_nBudget = nBytes; }
    bool CanUndo() const { return m_nIndex > 0; }
    bool CanRedo() const { return m_nIndex < m_commands.size(); }
    // The texts of the command Undo and Redo would take; empty when there is none.
    std::string UndoText() const;
    std::string RedoText() const;
    void Undo();
    void Redo();
    // The same told a progress; false, with nothing undone or redone, when it cancels.
    bool Undo(const WorkProgress& progress);
    bool Redo(const WorkProgress& progress);

    void SetClean() { m_clean = m_nIndex; }
    // No state of the history is the saved one (a document made but never saved).
    void ForgetClean() { m_clean.reset(); }
    bool IsClean() const { return m_clean == m_nIndex; }
    void Clear();

    std::size_t Count() const { return m_commands.size(); }
    // The memory the commands hold.
    std::size_t Size() const;
    std::size_t Index() const { return m_nIndex; }

private:
    void KeepToBudget();

    std::vector<std::unique_ptr<CEditCommand>> m_commands;
    std::size_t m_nBudget = static_cast<std::size_t>(-1);
    std::size_t m_nIndex = 0;
    // None when the saved state was dropped from the history.
    std::optional<std::size_t> m_clean = 0;
};
