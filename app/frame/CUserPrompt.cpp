#include "app/frame/CUserPrompt.h"
#include "views/SaveFileDialog.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>

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

int CUserPrompt::RunDialog(QDialog& dialog) {
    return dialog.exec();
}
