#include "edit/CUndoStack.h"

void CUndoStack::Push(std::unique_ptr<CEditCommand> command) {
    if (!command)
        return;
    if (m_clean && *m_clean > m_nIndex)
        m_clean.reset();
    m_commands.resize(m_nIndex);
    // A merge changes the top command, and with it the state the clean index stood for.
    if (m_nIndex > 0 && m_clean != m_nIndex && m_commands.back()->MergeWith(*command))
        return;
    m_commands.push_back(std::move(command));
    m_nIndex = m_commands.size();
    KeepToBudget();
}

std::size_t CUndoStack::Size() const {
    std::size_t total = 0;
    for (const auto& command : m_commands)
        total += command->Size();
    return total;
}

void CUndoStack::KeepToBudget() {
    std::size_t total = 0;
    for (const auto& command : m_commands)
        total += command->Size();
    std::size_t drop = 0;
    while (total > m_nBudget && drop + 1 < m_commands.size())
        total -= m_commands[drop++]->Size();
    if (drop == 0)
        return;
    m_commands.erase(m_commands.begin(), m_commands.begin() + static_cast<std::ptrdiff_t>(drop));
    m_nIndex -= drop;
    // The saved state went with the commands dropped.
    if (m_clean && *m_clean >= drop)
        *m_clean -= drop;
    else
        m_clean.reset();
}

std::string CUndoStack::UndoText() const {
    return CanUndo() ? m_commands[m_nIndex - 1]->Text() : std::string();
}

std::string CUndoStack::RedoText() const {
    return CanRedo() ? m_commands[m_nIndex]->Text() : std::string();
}

void CUndoStack::Undo() {
    if (!CanUndo())
        return;
    m_commands[--m_nIndex]->Undo();
}

void CUndoStack::Redo() {
    if (!CanRedo())
        return;
    m_commands[m_nIndex++]->Do();
}

bool CUndoStack::Undo(const WorkProgress& progress) {
    if (!CanUndo())
        return true;
    if (!m_commands[m_nIndex - 1]->Undo(progress))
        return false;
    --m_nIndex;
    return true;
}

bool CUndoStack::Redo(const WorkProgress& progress) {
    if (!CanRedo())
        return true;
    if (!m_commands[m_nIndex]->Do(progress))
        return false;
    ++m_nIndex;
    return true;
}

void CUndoStack::Clear() {
    m_commands.clear();
    m_nIndex = 0;
    m_clean = 0;
}
