#include "model/CPNLabel.h"

#include "base/CArchive.h"
#include "model/CElementState.h"
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
    GeometryChanged();
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
    GeometryChanged();
    CRect measured;
    const CFont* oldFont = dc.SelectObject(&m_font);
    dc.DrawText(m_strText, measured, DT_CALCRECT | DT_NOPREFIX | DT_EXTERNALLEADING);
    dc.SelectObject(oldFont);
    m_rcText = CentredText(m_ptPos, measured.Width(), measured.Height());
}

CRect CPNLabel::CentredText(CPoint pos, int width, int height) {
    const int left = pos.x - width / 2, top = pos.y - height / 2;
    return CRect(left, top, left + width, top + height);
}

namespace {

// The first characters of a UTF-8 text, never cutting a character in two.
std::string FirstCharacters(const std::string& text, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < text.size(); ++n) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
            ++pos;
    }
    return text.substr(0, pos);
}

} // namespace

void CPNLabel::Serialize(CArchive& ar) {
    CPNElement::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteString(m_strText);
        ar.WriteUInt32(m_crText);
        ar.WriteByte(m_logFont.lfCharSet);
        ar.WriteByte(m_logFont.lfClipPrecision);
        ar.WriteInt32(m_logFont.lfEscapement);
        ar.WriteString(FirstCharacters(m_logFont.lfFaceName, LOGFONT::kMaxFaceName));
        ar.WriteInt32(m_logFont.lfHeight);
        ar.WriteByte(m_logFont.lfItalic);
        ar.WriteInt32(m_logFont.lfOrientation);
        ar.WriteByte(m_logFont.lfOutPrecision);
        ar.WriteByte(m_logFont.lfPitchAndFamily);
        ar.WriteByte(m_logFont.lfQuality);
        ar.WriteByte(m_logFont.lfStrikeOut);
        ar.WriteByte(m_logFont.lfUnderline);
        ar.WriteInt32(m_logFont.lfWeight);
        ar.WriteInt32(m_logFont.lfWidth);
        ar.WriteBool32(m_bVisible);
        ar.WriteRect(m_rcText);
        ar.WriteObject(m_pOwner);
    } else {
        m_strText = ar.ReadString();
        m_crText = ar.ReadUInt32();
        m_logFont.lfCharSet = ar.ReadByte();
        m_logFont.lfClipPrecision = ar.ReadByte();
        m_logFont.lfEscapement = ar.ReadInt32();
        m_logFont.lfFaceName = FirstCharacters(ar.ReadString(), LOGFONT::kMaxFaceName);
        m_logFont.lfHeight = ar.ReadInt32();
        m_logFont.lfItalic = ar.ReadByte();
        m_logFont.lfOrientation = ar.ReadInt32();
        m_logFont.lfOutPrecision = ar.ReadByte();
        m_logFont.lfPitchAndFamily = ar.ReadByte();
        m_logFont.lfQuality = ar.ReadByte();
        m_logFont.lfStrikeOut = ar.ReadByte();
        m_logFont.lfUnderline = ar.ReadByte();
        m_logFont.lfWeight = ar.ReadInt32();
        m_logFont.lfWidth = ar.ReadInt32();
        m_bVisible = ar.ReadBool32();
        m_rcText = ar.ReadRect();
        m_pOwner = ar.ReadObject<CPNElement>();
        RecreateFont();
    }
}

CPNLabel::Fields CPNLabel::GetFields() const {
    return {m_ptPos, m_strText, m_crText, m_logFont, m_bVisible, m_rcText, m_pOwner};
}

void CPNLabel::CopyFields(Fields& fields) const {
    fields.pos = m_ptPos;
    fields.text = m_strText;
    fields.colour = m_crText;
    fields.logFont = m_logFont;
    fields.visible = m_bVisible;
    fields.rcText = m_rcText;
    fields.owner = m_pOwner;
}

std::unique_ptr<CElementState> CPNLabel::StateOf(const Fields& fields) {
    return MakeElementState(fields, fields.text.size());
}

void CPNLabel::SetFields(const Fields& fields) {
    m_ptPos = fields.pos;
    m_strText = fields.text;
    m_crText = fields.colour;
    m_logFont = fields.logFont;
    m_bVisible = fields.visible;
    m_rcText = fields.rcText;
    m_pOwner = fields.owner;
    RecreateFont();
    GeometryChanged();
}

std::unique_ptr<CElementState> CPNLabel::SaveState() const {
    return StateOf(GetFields());
}

void CPNLabel::RestoreState(const CElementState& state) {
    SetFields(FieldsOfState<Fields>(state));
}
