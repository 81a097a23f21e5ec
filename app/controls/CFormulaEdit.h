#pragma once

#include <QLineEdit>
#include <QStringList>

class QCompleter;
class QStringListModel;

// A line of the readable formula language: the word being typed is completed from the
// net's condition and event names and the language's words, the text before it kept;
// a fault is shown by a red frame and the column's character selected.
class CFormulaEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CFormulaEdit(QWidget* pParent = nullptr);

    void SetWords(const QStringList& words);
    QStringList GetWords() const;
    // Marks the fault at the offset (selects the character there); -1 clears the mark.
    void MarkFault(int nPosition);
    bool HasFault() const { return m_bFault; }

private:
    QCompleter* m_pCompleter;
    QStringListModel* m_pWords;
    bool m_bFault = false;
};
