#include "app/bars/PropertiesPageTools.h"

#include "app/dialogs/CDialogSetText.h"
#include "app/dialogs/CDlgFontColour.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

double ScreenDpi() {
    const QScreen* pScreen = QGuiApplication::primaryScreen();
    const double dDpi = pScreen != nullptr ? pScreen->logicalDotsPerInchY() : 96.0;
    return dDpi > 0 ? dDpi : 96.0;
}

} // namespace

bool RunSetTextDialog(QWidget* pParent, std::string& strText) {
    const QPointer<CDialogSetText> pDialog = new CDialogSetText(pParent);
    pDialog->m_strText = strText;
    const bool bAccepted = pDialog->exec() == QDialog::Accepted;
    if (pDialog == nullptr)
        return false; // the page went away while the dialog was open
    if (bAccepted)
        strText = pDialog->m_strText;
    delete pDialog.data();
    return bAccepted;
}

bool RunFontDialog(QWidget* pParent, QFont& font, QColor& colour) {
    // The dialog lists point sizes; the labels keep pixel heights.
    QFont start = font;
    if (start.pixelSize() > 0)
        start.setPointSizeF(start.pixelSize() * 72.0 / ScreenDpi());
    const QPointer<CDlgFontColour> pDialog = new CDlgFontColour(start, colour, pParent);
    const bool bAccepted = pDialog->exec() == QDialog::Accepted;
    if (pDialog == nullptr)
        return false;
    if (bAccepted) {
        font = pDialog->GetFont();
        colour = pDialog->GetColour();
    }
    delete pDialog.data();
    return bAccepted;
}

QString ToOneLine(const std::string& strText) {
    QString strLine = QString::fromStdString(strText);
    strLine.remove(QChar('\r'));
    strLine.replace(QChar('\n'), QChar(' '));
    return strLine;
}

LOGFONT MakeLogFont(const QFont& font, const LOGFONT& base) {
    LOGFONT lf = base;
    int nPixels = font.pixelSize();
    if (nPixels <= 0 && font.pointSizeF() > 0)
        nPixels = static_cast<int>(std::lround(font.pointSizeF() * ScreenDpi() / 72.0));
    if (nPixels <= 0)
        nPixels = QFontInfo(font).pixelSize();
    lf.lfHeight = -std::max(1, nPixels);
    lf.lfWeight = std::clamp(static_cast<int>(font.weight()), 100, 900);
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    // Fixed pitch in the modern family, which the font maker reads back as typewriter.
    lf.lfPitchAndFamily = QFontInfo(font).fixedPitch() ? 0x31 : 0;
    // The record holds 31 bytes: never cut a character of the name in half.
    std::string strFace = font.family().toStdString();
    if (strFace.size() > LOGFONT::kMaxFaceName) {
        std::size_t nCut = LOGFONT::kMaxFaceName;
        while (nCut > 0 && (static_cast<unsigned char>(strFace[nCut]) & 0xC0) == 0x80)
            --nCut;
        strFace.resize(nCut);
    }
    lf.SetFaceName(strFace);
    return lf;
}

int DialogUnitsToPixelsX(const QWidget* pWidget, int nUnits) {
    const QFontMetrics metrics(pWidget->font());
    const int nAverage =
        (metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 +
         1) /
        2;
    return nUnits * nAverage / 4;
}

void SetControlId(QWidget* pWidget, int nId) {
    pWidget->setObjectName(QString::number(nId));
}
