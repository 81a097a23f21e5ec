#include "views/CTitleTip.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <memory>

namespace {

class TitleTipTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pView = std::make_unique<QWidget>();
        m_pView->setGeometry(100, 100, 300, 200);
        m_pEdit = new QLineEdit(m_pView.get());
        m_pEdit->setGeometry(0, 170, 100, 24);
        m_pView->show();
        QApplication::setActiveWindow(m_pView.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_pView.get()));
        m_pEdit->setFocus();
        // Start with the mouse away from every item the tests use.
        QTest::mouseMove(m_pView.get(), QPoint(290, 190));
        ASSERT_TRUE(m_tip.Create(m_pView.get()));
    }

    static QFontMetrics Metrics() {
        QFont font = QApplication::font();
        font.setPixelSize(11);
        return QFontMetrics(font);
    }

    std::unique_ptr<QWidget> m_pView;
    QLineEdit* m_pEdit = nullptr;
    CTitleTip m_tip;
};

TEST_F(TitleTipTest, SizesToTheWidestLineAndTheLinesHeight) {
    m_tip.Show(QRect(10, 10, 40, 20), "b1\nthe widest of the lines\nb3, b4", 25, 15);
    ASSERT_TRUE(m_tip.isVisible());
    EXPECT_EQ(m_tip.GetLines(), (QStringList{"b1", "the widest of the lines", "b3, b4"}));
    const QFontMetrics metrics = Metrics();
    EXPECT_EQ(m_tip.size(), QSize(metrics.horizontalAdvance("the widest of the lines") + 7,
                                  3 * metrics.height() + 5));
    EXPECT_EQ(m_tip.pos(), m_pView->mapToGlobal(QPoint(25, 15)));
    EXPECT_EQ(m_tip.font().pixelSize(), 11);

    // Carriage returns before the line feeds are not part of the lines.
    m_tip.Show(QRect(10, 10, 40, 20), "a\r\nbb", 25, 15);
    EXPECT_EQ(m_tip.GetLines(), (QStringList{"a", "bb"}));
    EXPECT_EQ(m_tip.width(), metrics.horizontalAdvance("bb") + 7);
    EXPECT_EQ(m_tip.height(), 2 * metrics.height() + 5);
}

} // namespace
