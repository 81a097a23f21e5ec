#include "app/bars/CDlgPropertiesSimulationBar.h"

#include <QSignalSpy>
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
