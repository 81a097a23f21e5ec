#pragma once

#include <QDialog>
#include <QString>

// Offers what a program that ended out of order left aside: the document's name and
// file, when it was written, and Recover, Discard or Later (asked again at the next
// start). The dialog's result is the choice.
class CDlgRecover : public QDialog {
    Q_OBJECT

public:
    enum EChoice { CHOICE_LATER = 0, CHOICE_RECOVER = 1, CHOICE_DISCARD = 2 };

    CDlgRecover(const QString& strTitle, const QString& strPath, const QString& strWritten,
                QWidget* pParent = nullptr);

    QString GetText() const { return m_strText; }

private:
    QString m_strText;
};
