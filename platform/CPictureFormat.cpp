#include "platform/CPictureFormat.h"

#include "document/CZerinDoc.h"
#include "formats/CExportInput.h"

namespace {

struct PictureNames {
    const char* id;
    const char* name;
    const char* extension;
    const char* what;
};

PictureNames NamesOf(CPictureExport::EPicture picture) {
    switch (picture) {
    case CPictureExport::EPicture::Svg:
        return {"svg", "SVG", "svg", "as an SVG picture"};
    case CPictureExport::EPicture::Pdf:
        return {"pdf", "PDF", "pdf", "as a PDF page"};
    case CPictureExport::EPicture::Png:
        return {"png", "PNG", "png", "as a PNG image"};
    case CPictureExport::EPicture::Tikz:
        return {"tikz", "TikZ", "tex", "as a TikZ picture for LaTeX"};
    case CPictureExport::EPicture::Emf:
        break;
    }
    return {"emf", "EMF", "emf", "as a picture"};
}

CPictureFormat::DiagramNeeds PictureNeeds() {
    return {{CZerinDoc::DIAGRAM_NET_DESIGN, CExportFormat::NEED_DRAWING},
            {CZerinDoc::DIAGRAM_CASE_GRAPH,
             CExportFormat::NEED_DRAWING | CExportFormat::NEED_CASE_GRAPH},
            {CZerinDoc::DIAGRAM_OCCURRENCE_NET,
             CExportFormat::NEED_DRAWING | CExportFormat::NEED_CONTACT_FREE}};
}

// The kind of diagram a TikZ picture names its styles after.
const char* TikzKind(int nDiagram) {
    switch (nDiagram) {
    case CZerinDoc::DIAGRAM_CASE_GRAPH:
        return "casegraph";
    case CZerinDoc::DIAGRAM_OCCURRENCE_NET:
        return "occurrence";
    default:
        return "net";
    }
}

} // namespace

CPictureFormat::CPictureFormat(CPictureExport::EPicture picture)
    : CExportFormat(NamesOf(picture).id, NamesOf(picture).name, NamesOf(picture).extension,
                    NamesOf(picture).what, PictureNeeds()),
      m_ePicture(picture) {}

std::string CPictureFormat::GetFilter(int nDiagram) const {
    return DiagramTitle(nDiagram) + " (*." + GetExtension() + ")";
}

CFileResult CPictureFormat::Write(const CExportInput& input, const std::string& path) const {
    return CPictureExport::Write(m_ePicture, path, input.extent, input.draw,
                                 TikzKind(input.diagram), input.standalone);
}
