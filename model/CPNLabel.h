#pragma once

#include "base/CFont.h"
#include "base/ColorRef.h"
#include "base/LogFont.h"
#include "model/CPNElement.h"

#include <string>

// A text in a font and colour, centred on its position: the name of a condition or
// event (it then has an owner and moves with it), the name of a case graph or
// occurrence net element, or a free text.
class CPNLabel : public CPNElement {
public:
    CPNLabel();
    CPNLabel(int x, int y);

    const char* GetClassName() const override { return "CPNLabel"; }
    // Makes the font again after reading.
    void Serialize(CArchive& ar) override;

    void Draw(CDC& dc) const override;
    CRect MoveTo(CPoint pt) override;
    bool HitTest(CPoint pt) const override;
    CRect GetBoundRect() const override;
    void ShowProperties(CPropertiesHost& host) override;
    std::unique_ptr<CElementState> SaveState() const override;
    void RestoreState(const CElementState& state) override;

    // The fields an edit may change, for the labels other elements hold by value.
    struct Fields {
        CPoint pos;
        std::string text;
        COLORREF colour = 0;
        LOGFONT logFont{};
        bool visible = true;
        CRect rcText;
        CPNElement* owner = nullptr;
        bool operator==(const Fields&) const = default;
    };
    Fields GetFields() const;
    // The same into fields kept from an earlier copy, reusing what they hold.
    void CopyFields(Fields& fields) const;
    static std::unique_ptr<CElementState> StateOf(const Fields& fields);
    void SetFields(const Fields& fields);

    // Sets the text and measures it with the context.
    void SetText(const std::string& text, CDC& dc);
    std::string GetText() const { return m_strText; }
    // Takes the font description and makes the font from it; the text is not
    // measured again.
    void SetFont(const LOGFONT& logFont);
    // Makes the font again from m_logFont (after the description was read).
    void RecreateFont() { m_font = CFont(m_logFont); }
    // Measures the text in the label's font and centres its rectangle on m_ptPos.
    void RecalcTextRect(CDC& dc);
    // The rectangle of a text of the measured size centred on the position, as a label
    // has it.
    static CRect CentredText(CPoint pos, int width, int height);

    // The font a new label has: Arial, 12 pixels, the default character set.
    static LOGFONT DefaultLogFont();

    // UTF-8; line breaks start new lines.
    std::string m_strText;
    COLORREF m_crText = RGB(0, 0, 0);
    LOGFONT m_logFont;
    // "Show name": a hidden label is neither drawn nor hit.
    bool m_bVisible = true;
    // The text's rectangle, centred on m_ptPos.
    CRect m_rcText;
    // The condition or event whose name this is; null for a free label. Not owned.
    CPNElement* m_pOwner = nullptr;
    CFont m_font;
};
