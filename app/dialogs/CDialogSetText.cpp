#include "app/dialogs/CDialogSetText.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

CDialogSetText::CDialogSetText(QWidget* pParent) : QDialog(pParent) {
    setWindowTitle("Set text");

    m_pEdit = new QPlainTextEdit(this);
    m_pEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pEdit->setTabChangesFocus(true);

    auto* pButtons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton* pSet = pButtons->addButton("Set", QDialogButtonBox::AcceptRole);
    pButtons->addButton("Cancel", QDialogButtonBox::RejectRole);
    pSet->setDefault(true);
    connect(pButtons, &QDialogButtonBox::accepted, this, &CDialogSetText::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &CDialogSetText::reject);

    auto* pLayout = new QHBoxLayout(this);
    pLayout->addWidget(m_pEdit, 1);
    pLayout->addWidget(pButtons);

    // 180 x 86 dialog units: a quarter of the average character width across, an
    // eighth of the character height down.
    const QFontMetrics metrics(font());
    const int nAverage =
        (metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 +
         1) /
        2;
    resize(180 * nAverage / 4, 86 * metrics.height() / 8);
}

void CDialogSetText::showEvent(QShowEvent* pEvent) {
    if (!pEvent->spontaneous()) {
        // Texts from older files may end their lines with a carriage return as well.
        QString strText = QString::fromStdString(m_strText);
        strText.replace("\r\n", "\n");
        m_pEdit->setPlainText(strText);
        // Caret at the end of the text, nothing selected, and in view.
        m_pEdit->moveCursor(QTextCursor::End);
        m_pEdit->ensureCursorVisible();
        m_pEdit->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(pEvent);
}

void CDialogSetText::accept() {
    m_strText = m_pEdit->toPlainText().toStdString();
    QDialog::accept();
}
