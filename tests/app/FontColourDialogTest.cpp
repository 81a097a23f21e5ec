#include "app/CColourPopup.h"
#include "app/CDlgFontColour.h"
#include "app/PropertiesPageTools.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs the font dialog of the label page and lets the callback work it while it is open.
bool RunWith(QFont& font, QColor& colour, const std::function<void(CDlgFontColour&)>& work) {
    bool bSeen = false;
    QTimer::singleShot(0, [&] {
        auto* pDialog = qobject_cast<CDlgFontColour*>(QApplication::activeModalWidget());
        ASSERT_NE(pDialog, nullptr);
        bSeen = true;
        work(*pDialog);
    });
    const bool bAccepted = RunFontDialog(nullptr, font, colour);
    EXPECT_TRUE(bSeen);
    return bAccepted;
}

QFont PixelFont(const char* szFamily, int nPixels) {
    QFont font(szFamily);
    font.setPixelSize(nPixels);
    return font;
}

TEST(FontColourDialogTest, StartsFromTheLabelsFontAndColourAndHandsBackTheChoice) {
    QFont font = PixelFont("Liberation Serif", 16);
    font.setItalic(true);
    QColor colour(0, 0, 255);
    const bool bAccepted = RunWith(font, colour, [](CDlgFontColour& dialog) {
        auto* pChooser = dialog.findChild<QFontDialog*>();
        ASSERT_NE(pChooser, nullptr);
        EXPECT_TRUE(pChooser->isVisible());
        EXPECT_EQ(dialog.GetColour(), QColor(0, 0, 255));
        EXPECT_TRUE(dialog.GetFont().italic());
        QFont chosen = dialog.GetFont();
        chosen.setUnderline(true);
        chosen.setStrikeOut(true);
        pChooser->setCurrentFont(chosen);
        dialog.SetColour(RGB(0, 128, 0));
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    EXPECT_TRUE(bAccepted);
    EXPECT_EQ(colour, QColor(0, 128, 0));
    EXPECT_TRUE(font.underline());
    EXPECT_TRUE(font.strikeOut());
    // The size the chooser lists comes back as the pixel height it started from.
    EXPECT_EQ(MakeLogFont(font, LOGFONT()).lfHeight, -16);
}

TEST(FontColourDialogTest, TheColourButtonOpensThePaletteWithoutADefaultRow) {
    CDlgFontColour dialog(PixelFont("Liberation Sans", 12), QColor(0, 0, 0));
    dialog.show();
    QPushButton* pColour = nullptr;
    for (QPushButton* pButton : dialog.findChildren<QPushButton*>())
        if (pButton->text() == "Color ...")
            pColour = pButton;
    ASSERT_NE(pColour, nullptr);
    QTest::mouseClick(pColour, Qt::LeftButton);
    auto* pPopup = pColour->findChild<CColourPopup*>();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_TRUE(pPopup->GetCellRect(CColourPopup::DEFAULT_BOX_VALUE).isEmpty());
    EXPECT_FALSE(pPopup->GetCellRect(CColourPopup::CUSTOM_BOX_VALUE).isEmpty());
    QTest::mouseClick(pPopup, Qt::LeftButton, {}, pPopup->GetCellRect(13).center());
    QApplication::processEvents();
    EXPECT_EQ(dialog.GetColour(), QColor(0, 0, 255));
}

} // namespace
