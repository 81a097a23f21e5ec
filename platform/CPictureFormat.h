#pragma once

#include "formats/CExportFormat.h"
#include "platform/CPictureExport.h"

// A picture of a diagram as its view draws it: EMF, SVG, PDF, PNG or a TikZ picture
// (CPictureExport). Every diagram can be drawn; the case graph once it is computed, the
// occurrence net of a contact-free system.
class CPictureFormat : public CExportFormat {
public:
    explicit CPictureFormat(CPictureExport::EPicture picture);

    // The filter names the diagram: "Net Design (*.svg)".
    std::string GetFilter(int nDiagram) const override;
    // The document's name, whatever the diagram.
    CFileResult Write(const CExportInput& input, const std::string& path) const override;

private:
    CPictureExport::EPicture m_ePicture;
};
