#pragma once

#include "formats/CExportFormat.h"

// The case graph or the occurrence net for other graph tools as a Graphviz DOT digraph,
// positions in points with y upwards.
class CDotFormat : public CExportFormat {
public:
    CDotFormat();
    CFileResult Write(const CExportInput& input, const std::string& path) const override;
};
