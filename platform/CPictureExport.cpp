#include "platform/CPictureExport.h"

#include "base/CTikzDC.h"
#include "base/FileIO.h"
#include "base/FormatString.h"
#include "platform/CEmfDC.h"
#include "platform/CMeasureDC.h"
#include "platform/CQtDC.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <map>
#include <string_view>

namespace {

constexpr int kScreenDpi = 96;

std::string LowerExtension(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

CFileResult WriteBytes(const std::string& path, const QByteArray& bytes) {
    return WriteFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// Draws through the painter, which must be active; false when it could not begin.
bool Paint(QPainter& painter, const std::function<void(CDC&)>& draw) {
    if (!painter.isActive())
        return false;
    {
        CQtDC dc(painter);
        draw(dc);
    }
    return painter.end();
}

// The SVG picture with the logical point origin at its top-left corner; empty when the
// painter could not draw it.
QByteArray EncodeSvg(CSize extent, CPoint origin, const std::function<void(CDC&)>& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(extent.cx, extent.cy));
    svg.setViewBox(QRect(0, 0, extent.cx, extent.cy));
    svg.setResolution(kScreenDpi);
    svg.setTitle("Zerin");
    QPainter painter(&svg);
    if (origin != CPoint(0, 0))
        painter.translate(-origin.x, -origin.y);
    if (!Paint(painter, draw))
        return {};
    buffer.close();
    return bytes;
}

// The picture on white; null when there is no memory for it or (drawn false) the painter
// could not draw it.
QImage DrawImage(CSize extent, CPoint origin, const std::function<void(CDC&)>& draw,
                 bool* drawn = nullptr) {
    QImage image(extent.cx, extent.cy, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    if (origin != CPoint(0, 0))
        painter.translate(-origin.x, -origin.y);
    const bool ok = Paint(painter, draw);
    if (drawn)
        *drawn = ok;
    return ok ? image : QImage();
}

QByteArray EncodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    buffer.close();
    return bytes;
}

CFileResult ExportSvg(const std::string& path, CSize extent,
                      const std::function<void(CDC&)>& draw) {
    const QByteArray bytes = EncodeSvg(extent, CPoint(0, 0), draw);
    if (bytes.isEmpty())
        return CFileResult::Failure("Cannot write " + path + ": the SVG picture failed");
    return WriteBytes(path, bytes);
}

CFileResult ExportPng(const std::string& path, CSize extent,
                      const std::function<void(CDC&)>& draw) {
    bool drawn = true;
    const QImage image = DrawImage(extent, CPoint(0, 0), draw, &drawn);
    if (!drawn)
        return CFileResult::Failure("Cannot write " + path + ": the picture could not be drawn");
    if (image.isNull())
        return CFileResult::Failure(
            FormatString("Cannot write %s: not enough memory for a picture of %d x %d pixels",
                         path.c_str(), extent.cx, extent.cy));
    const QByteArray bytes = EncodePng(image);
    if (bytes.isEmpty())
        return CFileResult::Failure("Cannot write " + path + ": the PNG encoding failed");
    return WriteBytes(path, bytes);
}

CFileResult ExportPdf(const std::string& path, CSize extent,
                      const std::function<void(CDC&)>& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kScreenDpi);
    pdf.setCreator("Zerin");
    pdf.setTitle("Zerin");
    // The page is the picture: its extent in points at 96 pixels to the inch.
    QSizeF points(extent.cx * 72.0 / kScreenDpi, extent.cy * 72.0 / kScreenDpi);
    pdf.setPageLayout(
        QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter(&pdf);
    if (!Paint(painter, draw))
        return CFileResult::Failure("Cannot write " + path + ": the PDF picture failed");
    buffer.close();
    return WriteBytes(path, bytes);
}

CFileResult ExportEmf(const std::string& path, CSize extent,
                      const std::function<void(CDC&)>& draw) {
    CEmfDC dc(extent);
    draw(dc);
    return dc.Save(path);
}

} // namespace

QByteArray CPictureExport::Encode(const char* format, CSize extent, CPoint origin,
                                  const std::function<void(CDC&)>& draw) {
    if (extent.cx <= 0 || extent.cy <= 0)
        return {};
    if (std::string(format) == "svg")
        return EncodeSvg(extent, origin, draw);
    const QImage image = DrawImage(extent, origin, draw);
    return image.isNull() ? QByteArray() : EncodePng(image);
}

CFileResult CPictureExport::Export(const std::string& path, CSize extent,
                                   const std::function<void(CDC&)>& draw,
                                   const std::string& diagram, bool standalone) {
    static const std::map<std::string, EPicture> kExtensions = {{".emf", EPicture::Emf},
                                                                {".svg", EPicture::Svg},
                                                                {".pdf", EPicture::Pdf},
                                                                {".png", EPicture::Png},
                                                                {".tex", EPicture::Tikz}};
    const auto it = kExtensions.find(LowerExtension(path));
    if (it == kExtensions.end())
        return CFileResult::Failure(UnknownFormat(path));
    return Write(it->second, path, extent, draw, diagram, standalone);
}

std::string CPictureExport::UnknownFormat(const std::string& path) {
    const std::string ext = LowerExtension(path);
    return ext.empty() ? "Unknown picture format: the file name " + path + " has no extension"
                       : "Unknown picture format: " + ext;
}

CFileResult CPictureExport::Write(EPicture picture, const std::string& path, CSize extent,
                                  const std::function<void(CDC&)>& draw, const std::string& diagram,
                                  bool standalone) {
    if (extent.cx <= 0 || extent.cy <= 0)
        return CFileResult::Failure(FormatString("Cannot write %s: the picture is empty (%d x %d)",
                                                 path.c_str(), extent.cx, extent.cy));
    switch (picture) {
    case EPicture::Svg:
        return ExportSvg(path, extent, draw);
    case EPicture::Png:
        return ExportPng(path, extent, draw);
    case EPicture::Pdf:
        return ExportPdf(path, extent, draw);
    case EPicture::Tikz: {
        CMeasureDC measure;
        CTikzDC dc(measure, diagram);
        draw(dc);
        return WriteFileAtomically(path, dc.Picture(standalone, extent));
    }
    case EPicture::Emf:
        break;
    }
    return ExportEmf(path, extent, draw);
}
