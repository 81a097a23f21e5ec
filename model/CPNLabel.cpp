#include "model/CPNLabel.h"

#include "model/CPropertiesHost.h"

LOGFONT CPNLabel::DefaultLogFont() {
    LOGFONT lf;
    lf.lfHeight = -12;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.SetFaceName("Arial");
    return lf;
}

CPNLabel::CPNLabel() : m_logFont(DefaultLogFont()), m_font(m_logFont) {}

CPNLabel::CPNLabel(int x, int y)
    : CPNElement(x, y), m_logFont(DefaultLogFont()), m_font(m_logFont) {}

void CPNLabel::Draw(CDC& dc) const {
    if (!m_bVisible)
        return;
    if (m_bSelected) {
        const CPoint c = m_rcText.CenterPoint();
        DrawSelectionMarks(dc, c.x, c.y, m_rcText.Width() / 2, m_rcText.Height() / 2);
    }
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    const CFont* oldFont = dc.SelectObject(&m_font);
    const COLORREF oldColour = dc.SetTextColor(m_crText);
    CRect rc = m_rcText;
    dc.DrawText(m_strText, rc, DT_NOPREFIX | DT_EXTERNALLEADING | DT_NOCLIP);
    dc.SetTextColor(oldColour);
    dc.SelectObject(oldFont);
    dc.SetBkMode(oldMode);
}

CRect CPNLabel::MoveTo(CPoint pt) {
    const CRect oldBounds = GetBoundRect();
    m_rcText.OffsetRect(pt - m_ptPos);
    m_ptPos = pt;
    return oldBounds | GetBoundRect();
}

bool CPNLabel::HitTest(CPoint pt) const {
    if (!m_bVisible)
        return false;
    // An empty text still has its position, where it can be clicked.
    if (m_rcText.IsRectEmpty())
        return pt == m_ptPos;
    return m_rcText.PtInRect(pt);
}

CRect CPNLabel::GetBoundRect() const {
    CRect r = m_rcText;
    r.InflateRect(6, 6);
    return r;
}

void CPNLabel::ShowProperties(CPropertiesHost& host) {
    host.ShowPropertiesPage(PAGE_LABEL, this);
}

void CPNLabel::SetText(const std::string& text, CDC& dc) {
    m_strText = text;
    RecalcTextRect(dc);
}

void CPNLabel::SetFont(const LOGFONT& logFont) {
    m_logFont = logFont;
    RecreateFont();
}

void CPNLabel::RecalcTextRect(CDC& dc) {
    m_rcText.SetRectEmpty();
    const CFont* oldFont = dc.SelectObject(&m_font);
    dc.DrawText(m_strText, m_rcText, DT_CALCRECT | DT_NOPREFIX | DT_EXTERNALLEADING);
    dc.SelectObject(oldFont);
    m_rcText.OffsetRect(-(m_rcText.Width() / 2), -(m_rcText.Height() / 2));
    m_rcText.OffsetRect(m_ptPos);
}
