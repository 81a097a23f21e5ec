#pragma once

#include "formats/CExportFormat.h"

// The "caseclass" XML: the cases of the case class with the cases each reaches. An
// analysis of the simulation, so its command stands in the Analysis menu.
class CCaseClassXmlFormat : public CExportFormat {
public:
    CCaseClassXmlFormat();
    std::string GetMenuText() const override { return "Export Case Class To XML"; }
    std::string GetPrompt(int nDiagram) const override;
    bool IsAnalysis() const override { return true; }
    std::string GetProposedName(const CZerinDoc& doc, int nDiagram) const override;
    CFileResult Write(const CExportInput& input, const std::string& path) const override;
};
