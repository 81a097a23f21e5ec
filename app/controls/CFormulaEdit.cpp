#include "app/controls/CFormulaEdit.h"

#include <QCompleter>
#include <QRegularExpression>
#include <QStringListModel>

namespace {

// The text before the word being typed, and the word.
QString WordTyped(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[\\s()!&|,<>=#-]"));
    const int at = static_cast<int>(text.lastIndexOf(separators));
    return text.mid(at + 1);
}

// Completes the word being typed, the text before it kept.
class CWordCompleter : public QCompleter {
public:
    CWordCompleter(QStringListModel* pModel, QObject* pParent) : QCompleter(pModel, pParent) {
        setCaseSensitivity(Qt::CaseInsensitive);
    }
    QStringList splitPath(const QString& path) const override { return {WordTyped(path)}; }
    QString pathFromIndex(const QModelIndex& index) const override {
        const QString typed = static_cast<QLineEdit*>(widget())->text();
        return typed.left(typed.size() - WordTyped(typed).size()) +
               QCompleter::pathFromIndex(index);
    }
};

} // namespace

CFormulaEdit::CFormulaEdit(QWidget* pParent)
    : QLineEdit(pParent), m_pWords(new QStringListModel(this)) {
    m_pCompleter = new CWordCompleter(m_pWords, this);
    setCompleter(m_pCompleter);
    setPlaceholderText(QStringLiteral("EF (a & b), AG !deadlock, A G F fireable(t), #(a, b) <= 1"));
    setClearButtonEnabled(true);
    connect(this, &QLineEdit::textEdited, this, [this] { MarkFault(-1); });
}

void CFormulaEdit::SetWords(const QStringList& words) {
    if (words != m_pWords->stringList())
        m_pWords->setStringList(words);
}

QStringList CFormulaEdit::GetWords() const {
    return m_pWords->stringList();
}

void CFormulaEdit::MarkFault(int nPosition) {
    m_bFault = nPosition >= 0;
    setStyleSheet(m_bFault ? QStringLiteral("QLineEdit { border: 1px solid #d00000; }")
                           : QString());
    if (m_bFault)
        setSelection(std::min(nPosition, static_cast<int>(text().size())), 1);
}
