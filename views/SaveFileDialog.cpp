#include "views/SaveFileDialog.h"

#include <QFileDialog>

QString AskSaveFileName(QWidget* pParent, const QString& strCaption, const QString& strDefault,
                        const QString& strFilter, const QString& strSuffix) {
    QFileDialog dialog(pParent, strCaption, strDefault, strFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(strSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
