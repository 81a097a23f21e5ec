#pragma once

#include "formats/CExportFormat.h"

// The case graph or the occurrence net for other graph tools as GraphML: the nodes and
// edges with their names, conditions or events and marks, and positions once laid out.
class CGraphMLFormat : public CExportFormat {
public:
    CGraphMLFormat();
    CFileResult Write(const CExportInput& input, const std::string& path) const override;
};
