#include "app/controls/CColourPopup.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// The keys walk the 8 x 5 grid and wrap around it; Enter chooses the hot cell.
TEST(ColourPopupTest, ArrowsWalkTheGridAndWrapAndEnterChooses) {
    QWidget owner;
    owner.setGeometry(100, 100, 80, 24);
    owner.show();
    QPointer<CColourPopup> popup =
        new CColourPopup(QPoint(100, 124), RGB(40, 40, 40), &owner, QString(), QString(), 1);
    QSignalSpy hot(popup.data(), &CColourPopup::HotChanged);
    QSignalSpy chosen(popup.data(), &CColourPopup::ColourChosen);
    ASSERT_EQ(popup->GetHotCell(), 7); // the end of the first row
    const std::vector<std::pair<Qt::Key, int>> walk = {
        {Qt::Key_Right, 8}, {Qt::Key_Left, 7},  {Qt::Key_Down, 15}, {Qt::Key_Up, 7},
        {Qt::Key_Up, 39},   {Qt::Key_Right, 0}, {Qt::Key_Left, 39}, {Qt::Key_Down, 7}};
    for (const auto& [key, cell] : walk) {
        QTest::keyClick(popup.data(), key);
        EXPECT_EQ(popup->GetHotCell(), cell);
    }
    ASSERT_EQ(hot.count(), static_cast<int>(walk.size()));
    EXPECT_EQ(hot.at(0).at(0).toUInt(), CColourPopup::GetColour(8));
    EXPECT_EQ(hot.at(0).at(1).toInt(), 1);
    EXPECT_EQ(chosen.count(), 0);
    QTest::keyClick(popup.data(), Qt::Key_Return);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toUInt(), CColourPopup::GetColour(7));
    delete popup.data();
}

} // namespace
