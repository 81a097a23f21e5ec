#include "app/bars/CDlgPropertiesConditionBar.h"
#include "app/bars/CDlgPropertiesEventBar.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

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

// The name pages write a typed name to the label at each key, announcing the label
// first (the edit it makes): a condition's as condition name changes (3), an event's as
// event name changes (2), also through "..." and "Show name".
TEST(ConditionPageTest, TypedNameGoesToTheLabel) {
    CPNLabel label(100, 70);
    label.m_strText = "first\r\nsecond";
    CPNCondition condition(100, 100, &label);
    CDlgPropertiesConditionBar page;
    page.show();
    QSignalSpy spy(&page, &CDlgPropertiesBar::PropertyChanged);
    std::vector<CPNElement*> announced;
    std::vector<std::string> edits;
    page.SetChangeApplier(
        [&](CPNElement* pElement, int, const std::string& strEdit, const auto& change) {
            announced.push_back(pElement);
            edits.push_back(strEdit);
            change();
        });
    page.SetElement(&condition);
    QLineEdit* name = Control<QLineEdit>(page, 1025);
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(name, "b7");
    EXPECT_EQ(label.m_strText, "b7");
    EXPECT_EQ(Kinds(spy), (std::vector<int>{3, 3}));
    EXPECT_EQ(announced, (std::vector<CPNElement*>{&label, &label}));
    // Every keystroke is an edit named after the element as it was named, in one line.
    EXPECT_EQ(edits, (std::vector<std::string>{"Rename first second", "Rename first second"}));
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
    // Down in the closed list chooses the next entry, as a user's selection does.
    QTest::keyClick(Control<QComboBox>(page, 1023), Qt::Key_Down);
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
