#pragma once

#include "formats/CExportFormat.h"

// The "netdesign" XML of the net design: its conditions with their initial token, its
// events and edges (CNetDesignExport).
class CNetDesignXmlFormat : public CExportFormat {
public:
    CNetDesignXmlFormat();
    CFileResult Write(const CExportInput& input, const std::string& path) const override;
};
