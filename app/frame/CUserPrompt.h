#pragma once

#include <QMessageBox>
#include <QString>

class QDialog;
class QWidget;

// The questions the main window puts to the user: message boxes, file dialogs and
// modal dialogs. The program shows Qt's own; tests put a recorder in its place so
// that nothing waits for a click.
class CUserPrompt {
public:
    virtual ~CUserPrompt() = default;

    virtual QMessageBox::StandardButton Message(QWidget* pParent, QMessageBox::Icon icon,
                                                const QString& strText,
                                                QMessageBox::StandardButtons buttons);
    // An existing file to open; empty when cancelled.
    // The dialog starts in the folder given, else where the platform's dialog starts.
    virtual QString AskOpenPath(QWidget* pParent, const QString& strFilter,
                                const QString& strCaption = QStringLiteral("Open"),
                                const QString& strFolder = QString());
    // A file to save to, the suffix added to a name typed without one, asking before an
    // existing file is replaced; empty when cancelled.
    virtual QString AskSavePath(QWidget* pParent, const QString& strCaption,
                                const QString& strDefault, const QString& strFilter,
                                const QString& strSuffix);
    // One of the items, chosen in a list; empty when cancelled.
    virtual QString AskItem(QWidget* pParent, const QString& strCaption, const QString& strLabel,
                            const QStringList& items);
    // Runs a modal dialog and gives its result.
    virtual int RunDialog(QDialog& dialog);
};
