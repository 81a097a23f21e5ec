#pragma once

#include "formats/CExportFormat.h"

// The net design for other Petri net tools: a PNML 2009 place/transition net named after
// the document (CPnmlExport), which imports again unchanged.
class CPnmlFormat : public CExportFormat {
public:
    CPnmlFormat();
    CFileResult Write(const CExportInput& input, const std::string& path) const override;
};
