#include "RecordingDC.h"

#include <cstdio>

namespace {

int CountCharacters(const std::string& text) {
    int n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

} // namespace

DrawCall RecordingDC::Make(const std::string& op) const {
    DrawCall call;
    call.op = op;
    call.pen = GetCurrentPen();
    call.brush = GetCurrentBrush();
    call.font = GetCurrentFont().GetLogFont();
    call.bkMode = GetBkMode();
    call.rop2 = GetROP2();
    return call;
}

void RecordingDC::Ellipse(int left, int top, int right, int bottom) {
    DrawCall call = Make("Ellipse");
    call.rect = CRect(left, top, right, bottom);
    calls.push_back(call);
}

void RecordingDC::Rectangle(int left, int top, int right, int bottom) {
    DrawCall call = Make("Rectangle");
    call.rect = CRect(left, top, right, bottom);
    calls.push_back(call);
}

void RecordingDC::Polygon(const CPoint* points, int count) {
    DrawCall call = Make("Polygon");
    call.points.assign(points, points + count);
    calls.push_back(call);
}

void RecordingDC::SetPixel(int x, int y, COLORREF colour) {
    DrawCall call = Make("Pixel");
    call.point = CPoint(x, y);
    call.colour = colour;
    calls.push_back(call);
}

void RecordingDC::FillSolidRect(const CRect& rect, COLORREF colour) {
    DrawCall call = Make("Fill");
    call.rect = rect;
    call.colour = colour;
    calls.push_back(call);
}

void RecordingDC::TextOut(int x, int y, const std::string& text) {
    DrawCall call = Make("Text");
    call.point = CPoint(x, y);
    call.text = text;
    call.colour = GetTextColor();
    calls.push_back(call);
}

CSize RecordingDC::GetTextExtent(const std::string& text) {
    return CSize(kCharWidth * CountCharacters(text), kHeight);
}

TEXTMETRIC RecordingDC::GetTextMetrics() {
    TEXTMETRIC tm;
    tm.tmHeight = kHeight;
    tm.tmAscent = 10;
    tm.tmDescent = 2;
    tm.tmExternalLeading = kExternalLeading;
    tm.tmAveCharWidth = kCharWidth;
    return tm;
}

void RecordingDC::DrawLine(CPoint from, CPoint to) {
    DrawCall call = Make("Line");
    call.rect = CRect(from, to);
    calls.push_back(call);
}

std::vector<DrawCall> RecordingDC::Calls(const std::string& op) const {
    std::vector<DrawCall> result;
    for (const DrawCall& c : calls)
        if (c.op == op)
            result.push_back(c);
    return result;
}

namespace {

std::string Colour(COLORREF c) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    return text;
}

std::string Rect(const CRect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

std::string Point(const CPoint& p) {
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

} // namespace

std::string RecordingDC::Dump() const {
    std::string text;
    for (const DrawCall& c : calls) {
        std::string line = c.op;
        if (c.op == "Polygon")
            for (const CPoint& p : c.points)
                line += " " + Point(p);
        else if (c.op == "Pixel" || c.op == "Text")
            line += " " + Point(c.point);
        else
            line += " " + Rect(c.rect);
        if (c.op == "Text")
            line += " \"" + c.text + "\" " + Colour(c.colour) + " " + c.font.lfFaceName + " " +
                    std::to_string(c.font.lfHeight) + "/" + std::to_string(c.font.lfWeight) +
                    (c.bkMode == TRANSPARENT ? " transparent" : " opaque");
        else if (c.op == "Pixel" || c.op == "Fill")
            line += " " + Colour(c.colour);
        else
            line += " pen " + std::to_string(c.pen.GetStyle()) + "/" +
                    std::to_string(c.pen.GetWidth()) + "/" + Colour(c.pen.GetColour());
        if (c.op == "Ellipse" || c.op == "Rectangle" || c.op == "Polygon")
            line += c.brush.IsHollow() ? " hollow" : " brush " + Colour(c.brush.GetColour());
        if (c.rop2 != R2_COPYPEN)
            line += " rop " + std::to_string(c.rop2);
        text += line + "\n";
    }
    return text;
}
