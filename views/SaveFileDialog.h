#pragma once

#include <QString>

class QWidget;

// The save-file dialog of the program: a name typed without an extension gets the
// default suffix before the dialog asks whether an existing file is replaced, so that
// "net" never replaces "net.zrn" unasked. Empty when cancelled.
QString AskSaveFileName(QWidget* pParent, const QString& strCaption, const QString& strDefault,
                        const QString& strFilter, const QString& strSuffix);
// Where an export of the document is proposed: its name with the format's extension, in
// the document's folder when it has been saved.
QString ExportProposal(const QString& strDocumentPath, const QString& strName,
                       const QString& strExtension);
