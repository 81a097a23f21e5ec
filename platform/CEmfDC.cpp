#include "platform/CEmfDC.h"

#include "base/FileIO.h"
#include "platform/QtFonts.h"

#include <uemf.h>

#include <QString>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

// The reference screen: 1920 x 1440 pixels at 96 dpi are exactly 508 x 381 mm.
constexpr int kRefWidthPx = 1920;
constexpr int kRefHeightPx = 1440;
constexpr int kRefWidthMm = 508;
constexpr int kRefHeightMm = 381;
// One pixel at 96 dpi in hundredths of a millimetre.
constexpr float kHundredthMmPerPixel = 2540.0f / 96.0f;

U_COLORREF ToEmfColour(COLORREF c) {
    return colorref3_set(static_cast<uint8_t>(GetRValue(c)), static_cast<uint8_t>(GetGValue(c)),
                         static_cast<uint8_t>(GetBValue(c)));
}

// The platform records rectangles and ellipses with inclusive right and bottom edges.
U_RECTL InclusiveBox(int left, int top, int right, int bottom) {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    return rectl_set(point32_set(left, top),
                     point32_set(std::max(left, right - 1), std::max(top, bottom - 1)));
}

int ToHundredthMm(int pixels) {
    return (pixels * 2540 + 48) / 96;
}

} // namespace

// The libuemf buffers and what has been recorded of the context's state so far.
struct CEmfDC::Recorder {
    EMFTRACK* et = nullptr;
    EMFHANDLES* eht = nullptr;
    std::string error;
    bool closed = false;
    std::string bytes;

    std::optional<CPen> pen;
    uint32_t penHandle = 0;
    std::optional<CBrush> brush;
    uint32_t brushHandle = 0;
    std::optional<LOGFONT> font;
    uint32_t fontHandle = 0;
    std::optional<COLORREF> textColour;
    std::optional<COLORREF> bkColour;
    std::optional<int> bkMode;
    std::optional<int> rop2;
    std::optional<CPoint> position;

    bool Recording() const { return !closed && error.empty() && et && eht; }

    // Takes the record (libuemf's malloc'd buffer) into the file.
    void Append(char* record, const char* what) {
        if (!Recording()) {
            std::free(record);
            return;
        }
        if (!record) {
            error = std::string("cannot record ") + what;
            return;
        }
        if (emf_append(reinterpret_cast<U_ENHMETARECORD*>(record), et, 1) != 0)
            error = std::string("out of memory recording ") + what;
    }

    void Select(uint32_t handle) { Append(selectobject_set(handle, eht), "an object selection"); }

    void Delete(uint32_t& handle) {
        if (handle != 0)
            Append(deleteobject_set(&handle, eht), "an object deletion");
        handle = 0;
    }

    void UsePen(const CPen& p) {
        if (pen && *pen == p)
            return;
        uint32_t handle = 0;
        if (p.GetStyle() == PS_NULL) {
            Select(U_NULL_PEN);
        } else {
            U_LOGPEN lp =
                logpen_set(static_cast<uint32_t>(p.GetStyle()),
                           point32_set(std::max(1, p.GetWidth()), 0), ToEmfColour(p.GetColour()));
            Append(createpen_set(&handle, eht, lp), "a pen");
            Select(handle);
        }
        Delete(penHandle);
        penHandle = handle;
        pen = p;
    }

    void UseBrush(const CBrush& b) {
        if (brush && *brush == b)
            return;
        uint32_t handle = 0;
        if (b.IsHollow()) {
            Select(U_NULL_BRUSH);
        } else {
            U_LOGBRUSH lb = logbrush_set(U_BS_SOLID, ToEmfColour(b.GetColour()), 0);
            Append(createbrushindirect_set(&handle, eht, lb), "a brush");
            Select(handle);
        }
        Delete(brushHandle);
        brushHandle = handle;
        brush = b;
    }

    void UseFont(const LOGFONT& lf) {
        if (font && *font == lf)
            return;
        uint16_t face[U_LF_FACESIZE] = {};
        QString name = ToQString(lf.lfFaceName);
        for (qsizetype i = 0; i < name.size() && i < U_LF_FACESIZE - 1; ++i)
            face[i] = name.at(i).unicode();
        U_LOGFONT record = logfont_set(lf.lfHeight, lf.lfWidth, lf.lfEscapement, lf.lfOrientation,
                                       lf.lfWeight, lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut,
                                       lf.lfCharSet, lf.lfOutPrecision, lf.lfClipPrecision,
                                       lf.lfQuality, lf.lfPitchAndFamily, face);
        uint32_t handle = 0;
        Append(extcreatefontindirectw_set(&handle, eht, reinterpret_cast<const char*>(&record),
                                          nullptr),
               "a font");
        Select(handle);
        Delete(fontHandle);
        fontHandle = handle;
        font = lf;
    }

    void UseRop2(int rop) {
        if (rop2 == rop)
            return;
        Append(U_EMRSETROP2_set(static_cast<uint32_t>(rop)), "a raster operation");
        rop2 = rop;
    }

    void UseBkMode(int mode) {
        if (bkMode == mode)
            return;
        Append(U_EMRSETBKMODE_set(static_cast<uint32_t>(mode)), "a background mode");
        bkMode = mode;
    }

    void UseBkColour(COLORREF c) {
        if (bkColour == c)
            return;
        Append(U_EMRSETBKCOLOR_set(ToEmfColour(c)), "a background colour");
        bkColour = c;
    }

    void UseTextColour(COLORREF c) {
        if (textColour == c)
            return;
        Append(U_EMRSETTEXTCOLOR_set(ToEmfColour(c)), "a text colour");
        textColour = c;
    }

    // Puts the stock objects back, deletes the recorded ones and ends the file.
    void Close() {
        if (closed)
            return;
        if (Recording()) {
            if (penHandle)
                Select(U_BLACK_PEN);
            if (brushHandle)
                Select(U_WHITE_BRUSH);
            if (fontHandle)
                Select(U_SYSTEM_FONT);
            Delete(penHandle);
            Delete(brushHandle);
            Delete(fontHandle);
            Append(U_EMREOF_set(0, nullptr, et), "the end of the file");
        }
        // The header's size, record and handle counts are filled in here; the file
        // itself is written by Save, atomically.
        if (error.empty() && et && eht) {
            if (emf_finish(et, eht) != 0)
                error = "cannot finish the metafile";
            else
                bytes.assign(et->buf, et->used);
        }
        closed = true;
    }

    ~Recorder() {
        if (et)
            emf_free(&et);
        if (eht)
            emf_htable_free(&eht);
    }
};

CEmfDC::CEmfDC(CSize extent) : m_rec(std::make_unique<Recorder>()) {
    Recorder& r = *m_rec;
    // libuemf builds the file in memory; the stream it insists on is only used by
    // emf_finish, so it gets the null device.
    if (emf_start("/dev/null", 1 << 16, 1 << 16, &r.et) != 0 ||
        emf_htable_create(128, 128, &r.eht) != 0) {
        r.error = "cannot start a metafile";
        return;
    }
    int width = std::max(1, extent.cx);
    int height = std::max(1, extent.cy);
    U_RECTL bounds = rectl_set(point32_set(0, 0), point32_set(width - 1, height - 1));
    U_RECTL frame = rectl_set(point32_set(0, 0),
                              point32_set(ToHundredthMm(width) - 1, ToHundredthMm(height) - 1));
    // Application name and picture name, each zero-terminated, and the closing zero.
    uint16_t description[] = {'Z', 'e', 'r', 'i', 'n', 0, 'Z', 'e', 'r', 'i', 'n', 0, 0};
    r.Append(U_EMRHEADER_set(bounds, frame, nullptr, sizeof(description) / sizeof(uint16_t),
                             description, sizel_set(kRefWidthPx, kRefHeightPx),
                             sizel_set(kRefWidthMm, kRefHeightMm), 0),
             "the header");
}

CEmfDC::~CEmfDC() = default;

void CEmfDC::Ellipse(int left, int top, int right, int bottom) {
    m_rec->UsePen(GetCurrentPen());
    m_rec->UseBrush(GetCurrentBrush());
    m_rec->UseRop2(GetROP2());
    m_rec->Append(U_EMRELLIPSE_set(InclusiveBox(left, top, right, bottom)), "an ellipse");
}

void CEmfDC::Rectangle(int left, int top, int right, int bottom) {
    m_rec->UsePen(GetCurrentPen());
    m_rec->UseBrush(GetCurrentBrush());
    m_rec->UseRop2(GetROP2());
    m_rec->Append(U_EMRRECTANGLE_set(InclusiveBox(left, top, right, bottom)), "a rectangle");
}

void CEmfDC::Polygon(const CPoint* points, int count) {
    if (!points || count < 2)
        return;
    std::vector<U_POINTL> emfPoints;
    emfPoints.reserve(static_cast<std::size_t>(count));
    CPoint low = points[0];
    CPoint high = points[0];
    for (int i = 0; i < count; ++i) {
        emfPoints.push_back(point32_set(points[i].x, points[i].y));
        low.x = std::min(low.x, points[i].x);
        low.y = std::min(low.y, points[i].y);
        high.x = std::max(high.x, points[i].x);
        high.y = std::max(high.y, points[i].y);
    }
    m_rec->UsePen(GetCurrentPen());
    m_rec->UseBrush(GetCurrentBrush());
    m_rec->UseRop2(GetROP2());
    U_RECTL bounds = rectl_set(point32_set(low.x, low.y), point32_set(high.x, high.y));
    m_rec->Append(U_EMRPOLYGON_set(bounds, static_cast<uint32_t>(count), emfPoints.data()),
                  "a polygon");
}

void CEmfDC::DrawLine(CPoint from, CPoint to) {
    m_rec->UsePen(GetCurrentPen());
    m_rec->UseRop2(GetROP2());
    if (m_rec->position != from)
        m_rec->Append(U_EMRMOVETOEX_set(point32_set(from.x, from.y)), "a move");
    m_rec->Append(U_EMRLINETO_set(point32_set(to.x, to.y)), "a line");
    m_rec->position = to;
}

void CEmfDC::SetPixel(int x, int y, COLORREF colour) {
    m_rec->Append(U_EMRSETPIXELV_set(point32_set(x, y), ToEmfColour(colour)), "a pixel");
}

void CEmfDC::FillSolidRect(const CRect& rect, COLORREF colour) {
    int left = std::min(rect.left, rect.right);
    int top = std::min(rect.top, rect.bottom);
    int right = std::max(rect.left, rect.right);
    int bottom = std::max(rect.top, rect.bottom);
    if (left == right || top == bottom)
        return;
    // Without a pen the platform fills a rectangle one pixel short of its right and
    // bottom edges, so the box reaches one further to fill exactly the rectangle.
    m_rec->UsePen(CPen(PS_NULL, 0, 0));
    m_rec->UseBrush(CBrush(colour));
    m_rec->UseRop2(R2_COPYPEN);
    m_rec->Append(U_EMRRECTANGLE_set(InclusiveBox(left, top, right + 1, bottom + 1)), "a fill");
}

void CEmfDC::TextOut(int x, int y, const std::string& text) {
    if (text.empty())
        return;
    const QFontMetrics& fm = CurrentMetrics();
    QString qtext = ToQString(text);
    std::vector<uint16_t> chars;
    std::vector<uint32_t> advances;
    chars.reserve(static_cast<std::size_t>(qtext.size()) + 1);
    for (qsizetype i = 0; i < qtext.size(); ++i) {
        chars.push_back(qtext.at(i).unicode());
        bool pair = qtext.at(i).isHighSurrogate() && i + 1 < qtext.size();
        // A surrogate pair advances once, on its first half.
        advances.push_back(static_cast<uint32_t>(fm.horizontalAdvance(qtext.mid(i, pair ? 2 : 1))));
        if (pair) {
            chars.push_back(qtext.at(++i).unicode());
            advances.push_back(0);
        }
    }
    chars.push_back(0);
    int width = fm.horizontalAdvance(qtext);
    int height = fm.height();

    m_rec->UseFont(GetCurrentFont().GetLogFont());
    m_rec->UseTextColour(GetTextColor());
    m_rec->UseBkMode(GetBkMode());
    if (GetBkMode() == OPAQUE)
        m_rec->UseBkColour(GetBkColor());
    U_RECTL cell = rectl_set(point32_set(x, y), point32_set(x + width - 1, y + height - 1));
    char* emrtext = emrtext_set(point32_set(x, y), static_cast<U_NUM_STR>(advances.size()), 2,
                                chars.data(), 0, cell, advances.data());
    if (!emrtext) {
        m_rec->Append(nullptr, "a text");
        return;
    }
    m_rec->Append(U_EMREXTTEXTOUTW_set(cell, U_GM_COMPATIBLE, kHundredthMmPerPixel,
                                       kHundredthMmPerPixel, reinterpret_cast<PU_EMRTEXT>(emrtext)),
                  "a text");
    std::free(emrtext);
}

CFileResult CEmfDC::Save(const std::string& path) {
    m_rec->Close();
    if (!m_rec->error.empty())
        return CFileResult::Failure("Cannot write " + path + ": " + m_rec->error);
    return WriteFileAtomically(path, m_rec->bytes);
}
