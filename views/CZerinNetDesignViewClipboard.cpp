#include "views/CZerinNetDesignView.h"

#include "document/CNetFragment.h"
#include "document/CZerinDoc.h"
#include "model/CNetDesign.h"
#include "model/CPNLabel.h"
#include "platform/CMeasureDC.h"
#include "platform/CPictureExport.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// The private type of a fragment of a net design on the clipboard.
const QString kFragmentType = QStringLiteral("application/x-zerin-fragment");

std::vector<std::uint8_t> Bytes(const QByteArray& data) {
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

// The rectangle every element of the net covers.
CRect Bounds(const CNetDesign& net) {
    CRect bounds;
    for (const CPNElement* e : net.m_listElements)
        bounds |= e->GetBoundRect();
    return bounds;
}

} // namespace

bool CZerinNetDesignView::ClipboardHoldsFragment() {
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    return pData && pData->hasFormat(kFragmentType);
}

bool CZerinNetDesignView::CopySelection() {
    const std::vector<std::uint8_t> bytes = CNetFragment::Copy(GetDocument());
    if (bytes.empty())
        return false;
    auto* pData = new QMimeData;
    pData->setData(kFragmentType, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<qsizetype>(bytes.size())));
    // The same elements as a picture, for programs that take pictures.
    CNetDesign fragment;
    if (CNetFragment::Read(bytes, fragment)) {
        CRect bounds = Bounds(fragment);
        bounds.InflateRect(4, 4);
        const auto draw = [&fragment](CDC& dc) { fragment.Draw(dc); };
        const CSize size(bounds.Width(), bounds.Height());
        const CPoint origin(bounds.left, bounds.top);
        pData->setData(QStringLiteral("image/svg+xml"),
                       CPictureExport::Encode("svg", size, origin, draw));
        pData->setData(QStringLiteral("image/png"),
                       CPictureExport::Encode("png", size, origin, draw));
    }
    QGuiApplication::clipboard()->setMimeData(pData);
    return true;
}

void CZerinNetDesignView::Paste() {
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    if (!pData || !pData->hasFormat(kFragmentType))
        return;
    const std::vector<std::uint8_t> bytes = Bytes(pData->data(kFragmentType));
    CZerinDoc& doc = GetDocument();
    const int step = doc.Record().gridSize > 0 ? doc.Record().gridSize : 10;
    CSize offset(2 * step, 2 * step);
    // Over the window, the fragment's top-left corner goes to the mouse.
    const QPoint mouse = viewport()->mapFromGlobal(QCursor::pos());
    CNetDesign fragment;
    if (viewport()->rect().contains(mouse) && CNetFragment::Read(bytes, fragment)) {
        const CRect bounds = Bounds(fragment);
        const CPoint at = SnapToGrid(DeviceToLogical(mouse));
        const CPoint corner = SnapToGrid(CPoint(bounds.left, bounds.top));
        offset = CSize(at.x - corner.x, at.y - corner.y);
    }
    // Pasted again where the last one went, it moves two grid steps further on, so that
    // no copy hides another.
    if (bytes == m_lastPasted && offset == m_lastPasteOffset) {
        ++m_nPasteRepeats;
    } else {
        m_lastPasted = bytes;
        m_lastPasteOffset = offset;
        m_nPasteRepeats = 0;
    }
    offset.cx += 2 * step * m_nPasteRepeats;
    offset.cy += 2 * step * m_nPasteRepeats;
    CMeasureDC dc;
    if (!CNetFragment::Paste(doc, bytes, offset, dc))
        return;
    doc.SetNetModified();
    doc.SetModifiedFlag();
    HidePropertiesPage();
    UpdateScrollSize();
    InvalidateAll();
}

void CZerinNetDesignView::SelectAll() {
    CZerinDoc& doc = GetDocument();
    doc.Selection().Clear();
    // Nothing is selected now: each element is listed once without a search.
    for (CPNElement* e : doc.NetDesign().m_listElements)
        if (auto* label = dynamic_cast<CPNLabel*>(e); !label || !label->m_pOwner)
            doc.Selection().Append(e);
    InvalidateAll();
}
