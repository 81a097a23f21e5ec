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

TEST(ColorStaticTest, ShowsTheColourInsideAWhiteFrame) {
    CColorStatic swatch;
    swatch.resize(30, 20);
    swatch.SetColor(RGB(200, 10, 30));
    EXPECT_EQ(swatch.GetColor(), RGB(200, 10, 30));
    const QImage image = swatch.grab().toImage();
    const QColor white(255, 255, 255);
    const QColor colour(200, 10, 30);
    EXPECT_EQ(image.pixelColor(0, 0), white);
    EXPECT_EQ(image.pixelColor(29, 19), white);
    EXPECT_EQ(image.pixelColor(15, 0), white);
    EXPECT_EQ(image.pixelColor(0, 10), white);
    EXPECT_EQ(image.pixelColor(1, 1), colour);
    EXPECT_EQ(image.pixelColor(28, 18), colour);
    EXPECT_EQ(image.pixelColor(15, 10), colour);

    swatch.SetColor(RGB(0, 0, 255));
    EXPECT_EQ(swatch.grab().toImage().pixelColor(15, 10), QColor(0, 0, 255));
}

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

TEST_F(NumEditTest, RefusesPastedTextThatIsNotAllDigits) {
    QApplication::clipboard()->setText("3-4");
    m_edit.paste();
    EXPECT_EQ(m_edit.text(), "12");
    QApplication::clipboard()->setText("x");
    QTest::keyClick(&m_edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(m_edit.text(), "12");
    QApplication::clipboard()->setText("34");
    QTest::keyClick(&m_edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(m_edit.text(), "1234");
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

TEST(DialogSetTextTest, RoundTripsATextOfSeveralLines) {
    CDialogSetText dialog;
    dialog.m_strText = "first line\nzweite Zeile: \xC3\xBC\xC3\x9F";
    const int nResult = RunDialog(dialog, [&] {
        auto* pEdit = dialog.findChild<QPlainTextEdit*>();
        ASSERT_NE(pEdit, nullptr);
        EXPECT_EQ(pEdit->toPlainText(), QString::fromUtf8("first line\nzweite Zeile: üß"));
        EXPECT_FALSE(pEdit->textCursor().hasSelection());
        EXPECT_TRUE(pEdit->textCursor().atEnd());
        EXPECT_TRUE(pEdit->hasFocus());
        // Enter is a new line in the text, not the dialog's default button.
        QTest::keyClick(pEdit, Qt::Key_Return);
        QTest::keyClicks(pEdit, "third");
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(Button(dialog, "Set"), Qt::LeftButton);
    });
    EXPECT_EQ(nResult, QDialog::Accepted);
    EXPECT_EQ(dialog.m_strText, "first line\nzweite Zeile: \xC3\xBC\xC3\x9F\nthird");
}

TEST(ThemeButtonTest, TypesSelectTheArrow) {
    CThemeButton button;
    EXPECT_EQ(button.GetType(), CThemeButton::TYPE_DROPDOWN);
    button.SetType(1);
    EXPECT_EQ(button.arrowType(), Qt::UpArrow);
    button.SetType(2);
    EXPECT_EQ(button.arrowType(), Qt::DownArrow);
    button.SetType(3);
    EXPECT_EQ(button.GetType(), 3);
    EXPECT_EQ(button.arrowType(), Qt::NoArrow);
    EXPECT_FALSE(button.sizeHint().isEmpty());

    // Each type draws something of its own.
    button.resize(16, 16);
    const QImage dropDown = button.grab().toImage();
    button.SetType(1);
    const QImage up = button.grab().toImage();
    button.SetType(2);
    const QImage down = button.grab().toImage();
    EXPECT_NE(dropDown, up);
    EXPECT_NE(up, down);
}

} // namespace
