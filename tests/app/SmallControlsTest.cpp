#include "app/CColorStatic.h"
#include "app/CDialogSetText.h"
#include "app/CNumEdit.h"
#include "app/CThemeButton.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class NumEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_edit.setText("12");
        m_edit.show();
        m_edit.setFocus();
        m_edit.end(false);
    }
    CNumEdit m_edit;
};

TEST_F(NumEditTest, DropsEveryTypedCharacterButDigits) {
    for (char ch : {'-', 'a', ' ', 'Z', '+', '.', ','}) {
        QTest::keyClick(&m_edit, ch);
        EXPECT_EQ(m_edit.text(), "12") << ch;
    }
    QTest::keyClicks(&m_edit, "a-1 x");
    EXPECT_EQ(m_edit.text(), "121");
}

// Runs the dialog modally and lets the callback work it while it is open.
int RunDialog(CDialogSetText& dialog, const std::function<void()>& work) {
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        work();
    });
    return dialog.exec();
}

QPushButton* Button(CDialogSetText& dialog, const QString& strText) {
    for (QPushButton* pButton : dialog.findChildren<QPushButton*>()) {
        if (pButton->text() == strText) {
            return pButton;
        }
    }
    return nullptr;
}

} // namespace
