#pragma once

#include "base/CDC.h"
#include "base/CFileResult.h"
#include "base/CSize.h"

#include <functional>
#include <string>

// Writes a diagram as a picture: the page is the diagram's extent at one logical unit
// per pixel, and the callback draws the model onto it (no page border, grid or
// rulers). The file name's extension chooses the format, in any letter case: ".svg",
// ".png" (on white), ".pdf" (a page of the extent at 96 dpi) or ".emf". The file is
// encoded in memory and then written in one go, so a failure never leaves a partial
// picture behind and is reported with its reason.
class CPictureExport {
public:
    static CFileResult Export(const std::string& path, CSize extent,
                              const std::function<void(CDC&)>& draw);
};
