#include "views/SaveFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

QString ExportProposal(const QString& strDocumentPath, const QString& strName,
                       const QString& strExtension) {
    const QString strFile = strName + QLatin1Char('.') + strExtension;
    if (strDocumentPath.isEmpty())
        return strFile;
    return QDir(QFileInfo(strDocumentPath).absolutePath()).filePath(strFile);
}

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
