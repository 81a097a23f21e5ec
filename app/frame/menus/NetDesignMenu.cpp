#include "app/frame/menus/CommandMenus.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/menus/CommandRules.h"
#include "document/CZerinDoc.h"
#include "views/CommandIds.h"

using namespace Cmd;

// Show Net Design, the complement and the size and the net design's exports.
std::vector<CCommandRow> MakeNetDesignMenu() {
    return {
        {.id = ID_SHOW_NET_DESIGN,
         .menu = "Net Design",
         .text = "Show Net Design",
         .prompt = "Show the net design\nShow Net Design",
         .toolbar = 2,
         .slot = 4,
         .checkable = true,
         .rule = kShowNetDesign,
         .handler = Frame(&CMainFrame::ShowNetDesign)},
        {.id = 0, .menu = "Net Design"},
        {.id = ID_NET_COMPLEMENT,
         .menu = "Net Design",
         .text = "Do Net Complement",
         .prompt = "Add the complement conditions\nDo Net Complement",
         .rule = ViewOr(When(&CZerinDoc::CanDoNetComplement)),
         .handler =
             [](CMainFrame& f, int nId) {
                 if (!f.ViewCommand(nId))
                     f.ComplementWithoutView();
             }},
        {.id = ID_NET_VIEW_PROPERTIES,
         .menu = "Net Design",
         .text = "View Properties",
         .prompt = "Change the size of the net design\nView Properties",
         .rule = kView,
         .handler = kViewCommand},
        {.id = 0, .menu = "Net Design"},
        {.id = ID_NET_EXPORT_XML,
         .menu = "Net Design",
         .text = "Export To XML",
         .prompt = "Write the net design as XML\nExport To XML",
         .rule = When(&CZerinDoc::CanExportNetDesignXML),
         .handler = Document(&CZerinDoc::OnExportNetDesignXML)},
        {.id = ID_NET_EXPORT_PNML,
         .menu = "Net Design",
         .text = "Export To PNML",
         .prompt = "Write the net design for other Petri net tools\nExport To PNML",
         .rule = When(&CZerinDoc::CanExportNetDesignXML),
         .handler = Frame(&CMainFrame::OnNetExportPnml)},
        {.id = ID_NET_EXPORT_EMF,
         .menu = "Net Design",
         .text = "Export To EMF",
         .prompt = "Write the net design as a picture\nExport To EMF",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_NET_EXPORT_SVG,
         .menu = "Net Design",
         .text = "Export To SVG",
         .prompt = "Write the net design as an SVG picture\nExport To SVG",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_NET_EXPORT_PDF,
         .menu = "Net Design",
         .text = "Export To PDF",
         .prompt = "Write the net design as a PDF page\nExport To PDF",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_NET_EXPORT_PNG,
         .menu = "Net Design",
         .text = "Export To PNG",
         .prompt = "Write the net design as a PNG image\nExport To PNG",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_NET_EXPORT_TIKZ,
         .menu = "Net Design",
         .text = "Export To TikZ",
         .prompt = "Write the net design as a TikZ picture for LaTeX\nExport To TikZ",
         .rule = kView,
         .handler = kViewCommand},
    };
}
