#include "app/frame/CUserPrompt.h"
#include "views/SaveFileDialog.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>

QMessageBox::StandardButton CUserPrompt::Message(QWidget* pParent, QMessageBox::Icon icon,
                                                 const QString& strText,
                                                 QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, QApplication::applicationName(), strText, buttons, pParent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString CUserPrompt::AskOpenPath(QWidget* pParent, const QString& strFilter,
                                 const QString& strCaption, const QString& strFolder) {
    return QFileDialog::getOpenFileName(pParent, strCaption, strFolder, strFilter);
}

QString CUserPrompt::AskSavePath(QWidget* pParent, const QString& strCaption,
                                 const QString& strDefault, const QString& strFilter,
                                 const QString& strSuffix) {
    return AskSaveFileName(pParent, strCaption, strDefault, strFilter, strSuffix);
}

QString CUserPrompt::AskItem(QWidget* pParent, const QString& strCaption, const QString& strLabel,
                             const QStringList& items) {
    bool bOk = false;
    const QString strItem =
        QInputDialog::getItem(pParent, strCaption, strLabel, items, 0, false, &bOk);
    return bOk ? strItem : QString();
}

int CUserPrompt::RunDialog(QDialog& dialog) {
    return dialog.exec();
}
