#include "app/CDialogSetText.h"
#include "app/CDlgPropertiesConditionBar.h"
#include "app/CDlgPropertiesEventBar.h"
#include "app/CDlgPropertiesLabelBar.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

template <typename T> T* Control(QWidget& page, int nId) {
    return page.findChild<T*>(QString::number(nId));
}

std::vector<int> Kinds(const QSignalSpy& spy) {
    std::vector<int> kinds;
    for (const QList<QVariant>& args : spy)
        kinds.push_back(args.at(0).toInt());
    return kinds;
}

// A "Set text" answer that remembers what it was shown.
struct FakeTextPrompt {
    bool bAccept = true;
    std::string strAnswer;
    std::vector<std::string> shown;

    TextPrompt Get() {
        return [this](QWidget*, std::string& strText) {
            shown.push_back(strText);
            if (bAccept)
                strText = strAnswer;
            return bAccept;
        };
    }
};

// Pressing Down in a closed list chooses the next entry, as a user's selection does.
void ChooseNext(QComboBox* pCombo) {
    QTest::keyClick(pCombo, Qt::Key_Down);
}

class ConditionPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_label.m_strText = "first\r\nsecond";
        m_condition.m_bToken = true;
        m_page.SetTextPrompt(m_prompt.Get());
        m_page.show();
    }

    QLineEdit* Name() { return Control<QLineEdit>(m_page, 1025); }
    QComboBox* ShowName() { return Control<QComboBox>(m_page, 1023); }
    QComboBox* Token() { return Control<QComboBox>(m_page, 1024); }
    QPushButton* SetName() { return Control<QPushButton>(m_page, 1015); }

    CPNLabel m_label{100, 70};
    CPNCondition m_condition{100, 100, &m_label};
    FakeTextPrompt m_prompt;
    CDlgPropertiesConditionBar m_page;
    QSignalSpy m_spy{&m_page, &CDlgPropertiesBar::PropertyChanged};
};

TEST_F(ConditionPageTest, TypedNameGoesToTheLabel) {
    m_page.SetElement(&m_condition);
    QTest::keyClick(Name(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Name(), "b7");
    EXPECT_EQ(m_label.m_strText, "b7");
    EXPECT_EQ(Kinds(m_spy), (std::vector<int>{3, 3}));
}

TEST(EventPageTest, NameChangesAreEventNameChanges) {
    CPNLabel label(0, 0);
    label.m_strText = "e1";
    CPNEvent event(0, 30, &label);
    FakeTextPrompt prompt;
    prompt.strAnswer = "fire\nnow";
    CDlgPropertiesEventBar page;
    page.SetTextPrompt(prompt.Get());
    page.show();
    QSignalSpy spy(&page, &CDlgPropertiesBar::PropertyChanged);
    EXPECT_EQ(page.windowTitle(), "Properties - Event");
    EXPECT_EQ(Control<QComboBox>(page, 1024), nullptr);

    page.SetElement(&event);
    EXPECT_EQ(Control<QLineEdit>(page, 1025)->text(), "e1");
    EXPECT_EQ(Control<QComboBox>(page, 1023)->currentText(), "Yes");
    EXPECT_EQ(spy.count(), 0);
    QTest::keyClicks(Control<QLineEdit>(page, 1025), "x");
    EXPECT_EQ(label.m_strText, "e1x");
    QTest::mouseClick(Control<QPushButton>(page, 1015), Qt::LeftButton);
    EXPECT_EQ(label.m_strText, "fire\nnow");
    EXPECT_EQ(Control<QLineEdit>(page, 1025)->text(), "fire now");
    ChooseNext(Control<QComboBox>(page, 1023));
    EXPECT_FALSE(label.m_bVisible);
    EXPECT_EQ(Kinds(spy), (std::vector<int>{2, 2, 2}));
}


TEST(LogFontConversionTest, KeepsWhatQtCannotSayAndNeverSplitsACharacter) {
    LOGFONT base = CPNLabel::DefaultLogFont();
    base.lfQuality = 3;
    QFont font("Liberation Serif");
    font.setPixelSize(15);
    font.setItalic(true);
    font.setStrikeOut(true);
    const LOGFONT lf = MakeLogFont(font, base);
    EXPECT_EQ(lf.lfHeight, -15);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfStrikeOut, 1);
    EXPECT_EQ(lf.lfQuality, 3);
    EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);

    // 30 ASCII letters and a two-byte letter across the 31-byte limit.
    const QString strLong = QString(30, QChar('a')) + QString::fromUtf8("\xC3\xBC");
    QFont longFont(strLong);
    longFont.setPixelSize(10);
    EXPECT_EQ(MakeLogFont(longFont, base).lfFaceName, std::string(30, 'a'));
}

} // namespace
