#pragma once

#include "app/frame/CUserPrompt.h"

#include <QDialog>
#include <QStringList>

#include <functional>

// Answers the main window's questions without showing anything and keeps what it was
// asked.
class RecordingPrompt : public CUserPrompt {
public:
    QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon, const QString& strText,
                                        QMessageBox::StandardButtons) override {
        messages.append(strText);
        return answer;
    }
    QString AskOpenPath(QWidget*, const QString& strFilter, const QString&,
                        const QString& strFolder) override {
        filters.append(strFilter);
        folders.append(strFolder);
        return openPath;
    }
    QString AskSavePath(QWidget*, const QString& strCaption, const QString& strDefault,
                        const QString& strFilter, const QString& strSuffix) override {
        captions.append(strCaption);
        filters.append(strFilter);
        suffixes.append(strSuffix);
        defaults.append(strDefault);
        return savePath;
    }
    QString AskItem(QWidget*, const QString&, const QString& strLabel,
                    const QStringList& items) override {
        messages.append(strLabel + QStringLiteral(" ") + items.join(QLatin1Char(',')));
        return item;
    }
    int RunDialog(QDialog& dialog) override {
        dialogs.append(dialog.windowTitle());
        return dialogAnswer ? dialogAnswer(dialog) : QDialog::Rejected;
    }
    // Fills in and answers a dialog; without it every dialog is cancelled.
    std::function<int(QDialog&)> dialogAnswer;

    QMessageBox::StandardButton answer = QMessageBox::No;
    QString openPath;
    QString savePath;
    QString item;
    QStringList messages;
    QStringList filters;
    QStringList folders;
    QStringList defaults;
    QStringList suffixes;
    QStringList captions;
    QStringList dialogs;
};
