#pragma once

#include "formats/CExportFormat.h"

// The "casegraph" XML: every case with its conditions and every step with its events,
// named as the case graph view names them.
class CCaseGraphXmlFormat : public CExportFormat {
public:
    CCaseGraphXmlFormat();
    CFileResult Write(const CExportInput& input, const std::string& path) const override;
};
