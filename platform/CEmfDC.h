#pragma once

#include "base/CFileResult.h"
#include "platform/CMeasureDC.h"

#include <memory>
#include <string>

// A device context that records an enhanced metafile: one logical unit per device
// pixel of a 96 dpi reference screen, the picture's extent as its bounds and frame,
// and "Zerin" as application and picture name in the description. Pens, brushes,
// fonts, colours, background mode and raster operation are recorded as they change,
// before the drawing record that needs them. Text is measured with the Qt back end's
// metrics, so that labels are laid out as on the screen.
class CEmfDC : public CMeasureDC {
public:
    explicit CEmfDC(CSize extent);
    ~CEmfDC() override;

    void Ellipse(int left, int top, int right, int bottom) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Polygon(const CPoint* points, int count) override;
    void SetPixel(int x, int y, COLORREF colour) override;
    void FillSolidRect(const CRect& rect, COLORREF colour) override;
    void TextOut(int x, int y, const std::string& text) override;

    // Closes the recording (nothing drawn afterwards is kept) and writes the file; a
    // failed recording or write is reported with its reason.
    CFileResult Save(const std::string& path);

protected:
    void DrawLine(CPoint from, CPoint to) override;

private:
    struct Recorder;
    std::unique_ptr<Recorder> m_rec;
};
