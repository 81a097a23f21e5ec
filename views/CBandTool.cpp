#include "views/CBandTool.h"

#include "document/CZerinDoc.h"
#include "views/CToolHost.h"

namespace {
constexpr long long kBandThreshold = 200;
} // namespace

bool CBandTool::Press(CToolHost& host, CPoint pt) {
    m_ptStart = m_ptLast = pt;
    m_bStretched = false;
    host.BeginToolDrag(pt);
    return true;
}

void CBandTool::Move(CToolHost& host, CPoint pt) {
    if (!m_bStretched) {
        m_bStretched = true;
        host.UpdateToolCursor(pt);
    }
    host.ToggleToolBand(m_ptStart, m_ptLast);
    host.ToggleToolBand(m_ptStart, pt);
    m_ptLast = pt;
    host.ShowToolPosition(pt);
}

void CBandTool::Release(CToolHost& host, CPoint pt) {
    if (!m_bStretched)
        return;
    host.ToggleToolBand(m_ptStart, m_ptLast);
    CRect rect(m_ptStart, pt);
    rect.NormalizeRect();
    const long long dx = rect.Width();
    const long long dy = rect.Height();
    if (dx * dx + dy * dy <= kBandThreshold || !host.CanToolSelect())
        return;
    host.RepaintLogical(host.GetToolDocument().SelectInRect(host.GetToolDiagram(), rect));
    if (host.CanToolEdit())
        host.ShowToolPage(nullptr);
}
