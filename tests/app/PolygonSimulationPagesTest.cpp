#include "app/CColorStatic.h"
#include "app/CColourPopup.h"
#include "app/CDlgPropertiesPolygonBar.h"
#include "app/CDlgPropertiesSimulationBar.h"
#include "app/ColourTable.h"
#include "model/CPNPolygon.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <vector>

namespace {

template <typename T> T* Control(QWidget& page, int nId) {
    return page.findChild<T*>(QString::number(nId));
}

std::vector<int> Args(const QSignalSpy& spy) {
    std::vector<int> args;
    for (const QList<QVariant>& list : spy)
        args.push_back(list.at(0).toInt());
    return args;
}

CColourPopup* OpenPopup() {
    for (QWidget* pWidget : QApplication::topLevelWidgets())
        if (auto* pPopup = qobject_cast<CColourPopup*>(pWidget); pPopup && pPopup->isVisible())
            return pPopup;
    return nullptr;
}

class PolygonPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_polygon.m_crLine = RGB(1, 2, 3);
        m_polygon.m_crFill = RGB(4, 5, 6);
        m_polygon.m_nLineStyle = PS_DOT;
        m_polygon.m_nLineWidth = 2;
        m_polygon.m_nFillMode = 1;
        m_page.show();
    }
    void TearDown() override {
        if (CColourPopup* pPopup = OpenPopup())
            QTest::keyClick(pPopup, Qt::Key_Escape);
        QApplication::processEvents();
    }

    QLineEdit* Width() { return Control<QLineEdit>(m_page, 1021); }
    QComboBox* Style() { return Control<QComboBox>(m_page, 1002); }
    QComboBox* FillMode() { return Control<QComboBox>(m_page, 1004); }
    QToolButton* Plus() { return Control<QToolButton>(m_page, 1005); }
    QToolButton* Minus() { return Control<QToolButton>(m_page, 1007); }
    void TypeWidth(const char* szWidth) {
        QTest::keyClick(Width(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Width(), szWidth);
    }

    CPNPolygon m_polygon{0, 0};
    CDlgPropertiesPolygonBar m_page;
    QSignalSpy m_spy{&m_page, &CDlgPropertiesBar::PropertyChanged};
};

class SimulationPageTest : public ::testing::Test {
protected:
    void SetUp() override { m_page.show(); }
    CDlgPropertiesSimulationBar m_page;
    QSignalSpy m_speed{&m_page, &CDlgPropertiesSimulationBar::SimulationSpeed};
    QSignalSpy m_commands{&m_page, &CDlgPropertiesSimulationBar::SimulationCommand};
};

TEST_F(SimulationPageTest, ButtonsSendTheirIdsWhileEnabled) {
    for (int nId : {1002, 1030, 1001, 1003}) {
        ASSERT_NE(Control<QToolButton>(m_page, nId), nullptr) << nId;
        EXPECT_EQ(m_page.GetButton(nId), Control<QToolButton>(m_page, nId));
        QTest::mouseClick(Control<QToolButton>(m_page, nId), Qt::LeftButton);
    }
    EXPECT_EQ(Args(m_commands), (std::vector<int>{1002, 1030, 1001, 1003}));

    m_page.EnableSimulationButtons(true, false, true, false);
    EXPECT_TRUE(m_page.GetButton(1002)->isEnabled());
    EXPECT_FALSE(m_page.GetButton(1030)->isEnabled());
    EXPECT_TRUE(m_page.GetButton(1001)->isEnabled());
    EXPECT_FALSE(m_page.GetButton(1003)->isEnabled());
    QTest::mouseClick(m_page.GetButton(1030), Qt::LeftButton);
    QTest::mouseClick(m_page.GetButton(1001), Qt::LeftButton);
    EXPECT_EQ(Args(m_commands).back(), 1001);
    EXPECT_EQ(m_commands.count(), 5);

    // Each picture has a look of its own, and a grey one when disabled.
    const QIcon icon = m_page.GetButton(1030)->icon();
    const QImage normal = icon.pixmap(20, 20, QIcon::Normal).toImage();
    const QImage disabled = icon.pixmap(20, 20, QIcon::Disabled).toImage();
    EXPECT_NE(normal, disabled);
    EXPECT_NE(normal, m_page.GetButton(1001)->icon().pixmap(20, 20).toImage());
    const QColor grey = disabled.pixelColor(6, 10);
    EXPECT_EQ(grey.red(), grey.green());
    EXPECT_EQ(grey.green(), grey.blue());
}

} // namespace
