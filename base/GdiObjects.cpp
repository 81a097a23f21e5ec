#include "CBrush.h"
#include "CFont.h"
#include "CPen.h"

const CPen* CPen::Black() {
    static const CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    return &pen;
}

const CBrush* CBrush::Stock(int index) {
    static const CBrush white(RGB(255, 255, 255));
    static const CBrush black(RGB(0, 0, 0));
    static const CBrush hollow = MakeHollow();
    switch (index) {
    case BLACK_BRUSH:
        return &black;
    case HOLLOW_BRUSH:
        return &hollow;
    default:
        return &white;
    }
}

const CFont* CFont::Default() {
    static const CFont font = [] {
        LOGFONT lf;
        lf.lfHeight = -12;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.SetFaceName("Arial");
        return CFont(lf);
    }();
    return &font;
}
