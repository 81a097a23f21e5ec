#include "views/SaveFileDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A name typed without its extension that names an existing file once the extension
// is added: the dialog asks before replacing it.
TEST(SaveFileDialogTest, TypedNameGetsItsSuffixBeforeTheOverwriteQuestion) {
    QTemporaryDir dir;
    QFile existing(dir.filePath("net.zrn"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    QString asked;
    QTimer::singleShot(100, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("net");
        QTimer::singleShot(100, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = box->text();
                box->button(QMessageBox::No)->click();
            }
            QTimer::singleShot(50, [dialog] { dialog->reject(); });
        });
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const QString path =
        AskSaveFileName(nullptr, "Save As", dir.path(), "Zerin files (*.zrn)", "zrn");
    EXPECT_TRUE(path.isEmpty());
    EXPECT_TRUE(asked.contains("net.zrn")) << asked.toStdString();
}

} // namespace
