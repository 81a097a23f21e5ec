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

void CUndoStack::Clear() {
    m_commands.clear();
    m_nIndex = 0;
    m_clean = 0;
}
