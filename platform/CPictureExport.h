#pragma once

#include "base/CDC.h"
#include "base/CFileResult.h"
#include "base/CSize.h"

#include <QByteArray>

#include <functional>
#include <string>

// Writes a diagram as a picture: the page is the diagram's extent at one logical unit
// per pixel, and the callback draws the model onto it (no page border, grid or
// rulers). The file name's extension chooses the format, in any letter case: ".svg",
// ".png" (on white), ".pdf" (a page of the extent at 96 dpi), ".emf" or ".tex" (a TikZ
// picture, named styles for the diagram's kind, standalone as a whole document). The file is
// encoded in memory and then written in one go, so a failure never leaves a partial
// picture behind and is reported with its reason.
class CPictureExport {
public:
    enum class EPicture { Emf, Svg, Pdf, Png, Tikz };

    // The diagram is "net", "casegraph" or "occurrence" (TikZ names its styles by it).
    static CFileResult Export(const std::string& path, CSize extent,
                              const std::function<void(CDC&)>& draw,
                              const std::string& diagram = "net", bool standalone = false);
    // The same in the format given, whatever the file name's extension.
    static CFileResult Write(EPicture picture, const std::string& path, CSize extent,
                             const std::function<void(CDC&)>& draw,
                             const std::string& diagram = "net", bool standalone = false);
    // The reason a file name's extension names no picture format.
    static std::string UnknownFormat(const std::string& path);
    // The picture in memory as "svg" or "png" (a clipboard's), the logical point origin
    // at its top-left corner; empty when it could not be made.
    static QByteArray Encode(const char* format, CSize extent, CPoint origin,
                             const std::function<void(CDC&)>& draw);
};
