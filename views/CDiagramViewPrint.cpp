#include "views/CDiagramView.h"

#include "document/CZerinDoc.h"
#include "platform/CQtDC.h"
#include "platform/QtFonts.h"
#include "views/CViewHost.h"

#include <QDateTime>
#include <QPainter>

#ifdef ZERIN_HAVE_PRINT_SUPPORT
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#endif

#include <optional>

#include <algorithm>

#ifdef ZERIN_HAVE_PRINT_SUPPORT

namespace {
// Room below the diagram for the footer, in logical units.
constexpr int kFooterRoom = 70;
// The viewport shrinks by this much until the page and its footer fit.
constexpr int kShrinkStep = 30;

// The page chosen with Print Setup, for every view and the whole session.
std::optional<QPageLayout>& ChosenPageLayout() {
    static std::optional<QPageLayout> layout;
    return layout;
}

void ApplyChosenPage(QPrinter& printer) {
    if (ChosenPageLayout())
        printer.setPageLayout(*ChosenPageLayout());
}
} // namespace

void CDiagramView::PrintSetup() {
    QPrinter printer(QPrinter::HighResolution);
    ApplyChosenPage(printer);
    QPageSetupDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        ChosenPageLayout() = printer.pageLayout();
}

void CDiagramView::Print() {
    QPrinter printer(QPrinter::HighResolution);
    ApplyChosenPage(printer);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintTo(printer);
    m_rHost.RestoreOutputBarAfterPrinting();
}

void CDiagramView::PrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    ApplyChosenPage(printer);
    QPrintPreviewDialog dialog(&printer, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* pPrinter) { PrintTo(*pPrinter); });
    dialog.exec();
    m_rHost.RestoreOutputBarAfterPrinting();
}

bool CDiagramView::PrintTo(QPrinter& printer) {
    m_rHost.HideOutputBarForPrinting();
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowError(QStringLiteral("The page could not be printed: the printer did not start."));
        return false;
    }
    const QRect rectPage = printer.pageLayout().paintRectPixels(printer.resolution());
    const CSize extent = GetExtent();
    const int nWidth = std::max(1, extent.cx);
    const int nHeight = std::max(1, extent.cy);

    // Isotropic: the page's width fills the paper's, shrunk until the height and the
    // footer fit as well.
    int nViewport = rectPage.width();
    while (static_cast<long long>(nHeight + kFooterRoom) * nViewport / nWidth > rectPage.height() &&
           nViewport >= 1 + kShrinkStep)
        nViewport -= kShrinkStep;
    const double dScale = static_cast<double>(nViewport) / nWidth;
    painter.scale(dScale, dScale);

    // The footer: the title and the date over a black bar, in a 10-point font.
    QFont font = MakeQFont([] {
        LOGFONT lf;
        lf.lfWeight = FW_NORMAL;
        lf.SetFaceName("Arial");
        return lf;
    }());
    font.setPixelSize(std::max(1, static_cast<int>(10.0 / 72.0 * printer.resolution() / dScale)));
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const QRectF rectLogical(0, 0, rectPage.width() / dScale, rectPage.height() / dScale);
    const QString strTitle = ToQString(GetDocument().GetTitle());
    const int r = static_cast<int>(rectLogical.right()) - 20;
    const int t = static_cast<int>(rectLogical.bottom()) - metrics.height() - 10;
    const int bottom = static_cast<int>(rectLogical.bottom());
    painter.fillRect(QRect(10, t, r, 2), Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawText(QRect(15, t + 5, r - 15, bottom - t - 5), Qt::AlignLeft | Qt::TextSingleLine,
                     strTitle);
    const QDateTime now = QDateTime::currentDateTime();
    const QString strDate = QString::asprintf(
        "%d/%d/%d  %.2u:%.2u:%.2u", now.date().day(), now.date().month(), now.date().year(),
        static_cast<unsigned>(now.time().hour()), static_cast<unsigned>(now.time().minute()),
        static_cast<unsigned>(now.time().second()));
    const int dw = metrics.horizontalAdvance(strDate);
    painter.drawText(QRect(r - dw - 10, t + 5, dw + 10, bottom - t - 5),
                     Qt::AlignLeft | Qt::TextSingleLine, strDate);

    {
        CQtDC dc(painter);
        DrawModel(dc);
    }
    PrintNameLegend(printer, painter);
    return painter.end();
}

namespace {
// Twips have y growing upwards: the text goes down the page as y falls.
class CTwipsDC : public CQtDC {
public:
    using CQtDC::CQtDC;
    void TextOut(int x, int y, const std::string& text) override { CQtDC::TextOut(x, -y, text); }
};
} // namespace

void CDiagramView::PrintNameLegend(QPrinter& printer, QPainter& painter) const {
    if (!HasNameLegend())
        return;
    printer.newPage();
    painter.resetTransform();
    // One unit is a twip, 1/1440 inch.
    const double dScale = printer.resolution() / 1440.0;
    painter.scale(dScale, dScale);
    LOGFONT lf;
    lf.lfHeight = -200;
    lf.lfWeight = 500;
    lf.lfPitchAndFamily = 0x30;
    lf.SetFaceName("Courier New");
    CFont font;
    font.CreateFontIndirect(lf);
    CTwipsDC dc(painter);
    const CFont* pOld = dc.SelectObject(&font);
    const TEXTMETRIC tm = dc.GetTextMetrics();
    DrawNameLegend(dc, tm.tmHeight + tm.tmExternalLeading);
    dc.SelectObject(pOld);
}

#else

void CDiagramView::Print() {}

void CDiagramView::PrintPreview() {}

void CDiagramView::PrintSetup() {}

bool CDiagramView::PrintTo(QPrinter& /*printer*/) {
    return false;
}

void CDiagramView::PrintNameLegend(QPrinter& /*printer*/, QPainter& /*painter*/) const {}

#endif
