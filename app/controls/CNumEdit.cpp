#include "app/controls/CNumEdit.h"

#include <QKeyEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

CNumEdit::CNumEdit(QWidget* pParent) : QLineEdit(pParent) {
    // The key filter sees typing only; the validator also guards pasting and dropping.
    setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this));
}

void CNumEdit::keyPressEvent(QKeyEvent* pEvent) {
    // Shortcuts (copy, paste, select all) are commands, not typed characters.
    const bool bCommand =
        (pEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (!bCommand) {
        for (const QChar ch : pEvent->text()) {
            if (ch.isPrint() && (ch < u'0' || ch > u'9')) {
                pEvent->accept(); // dropped, not passed on to the dialog
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(pEvent);
}
