#include "app/CColourPopup.h"
#include "app/ColourTable.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QImage>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr COLORREF BLUE = RGB(0, 0, 255);
constexpr COLORREF UNLISTED = RGB(10, 20, 30);
const QString DEFAULT_TEXT = "Default color";
const QString CUSTOM_TEXT = "Custom color";

COLORREF ColourOf(const QSignalSpy& spy, int n = 0) {
    return static_cast<COLORREF>(spy.at(n).at(0).toUInt());
}
int IdOf(const QSignalSpy& spy, int n = 0) {
    return spy.at(n).at(1).toInt();
}

class ColourPopupTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pOwner = std::make_unique<QWidget>();
        m_pOwner->setGeometry(100, 100, 80, 24);
        m_pOwner->show();
    }
    void TearDown() override {
        delete m_pPopup.data();
        QToolTip::hideText();
    }

    CColourPopup* Open(COLORREF crColour, const QString& strDefault = QString(),
                       const QString& strCustom = QString(), int nID = 1,
                       QPoint pos = QPoint(100, 124)) {
        m_pPopup = new CColourPopup(pos, crColour, m_pOwner.get(), strDefault, strCustom, nID);
        m_pHot = std::make_unique<QSignalSpy>(m_pPopup.data(), &CColourPopup::HotChanged);
        m_pChosen = std::make_unique<QSignalSpy>(m_pPopup.data(), &CColourPopup::ColourChosen);
        m_pCancelled = std::make_unique<QSignalSpy>(m_pPopup.data(), &CColourPopup::Cancelled);
        return m_pPopup;
    }
    void Key(Qt::Key key) { QTest::keyClick(m_pPopup.data(), key); }
    QPoint Centre(int nIndex) const { return m_pPopup->GetCellRect(nIndex).center(); }
    // The popup ends by deleting itself once the event loop comes round.
    bool DeletedLater() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return m_pPopup.isNull();
    }

    std::unique_ptr<QWidget> m_pOwner;
    QPointer<CColourPopup> m_pPopup;
    std::unique_ptr<QSignalSpy> m_pHot;
    std::unique_ptr<QSignalSpy> m_pChosen;
    std::unique_ptr<QSignalSpy> m_pCancelled;
};

TEST_F(ColourPopupTest, ArrowsWalkTheGridAndWrapWithoutTextRows) {
    Open(RGB(40, 40, 40)); // cell 7, the end of the first row
    ASSERT_EQ(m_pPopup->GetHotCell(), 7);
    Key(Qt::Key_Right);
    EXPECT_EQ(m_pPopup->GetHotCell(), 8);
    ASSERT_EQ(m_pHot->count(), 1);
    EXPECT_EQ(ColourOf(*m_pHot), CColourPopup::GetColour(8));
    EXPECT_EQ(IdOf(*m_pHot), 1);
    Key(Qt::Key_Left);
    EXPECT_EQ(m_pPopup->GetHotCell(), 7);
    Key(Qt::Key_Down);
    EXPECT_EQ(m_pPopup->GetHotCell(), 15);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    EXPECT_EQ(m_pPopup->GetHotCell(), 39); // past the top into the last row
    Key(Qt::Key_Right);
    EXPECT_EQ(m_pPopup->GetHotCell(), 0); // past the last colour to the first
    Key(Qt::Key_Left);
    EXPECT_EQ(m_pPopup->GetHotCell(), 39);
    Key(Qt::Key_Down);
    EXPECT_EQ(m_pPopup->GetHotCell(), 7); // past the bottom into the first row
    EXPECT_EQ(m_pCancelled->count(), 0);
    EXPECT_EQ(m_pChosen->count(), 0);
}

} // namespace
