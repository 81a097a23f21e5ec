#include "app/frame/menus/CommandMenus.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/menus/CommandRules.h"
#include "document/CZerinDoc.h"
#include "views/CommandIds.h"

using namespace Cmd;

// Show Occurrence Net and its size and its exports.
std::vector<CCommandRow> MakeOccurrenceNetMenu() {
    return {
        {.id = ID_SHOW_OCCURRENCE_NET,
         .menu = "Occurrence Net",
         .text = "Show Occurrence Net",
         .prompt = "Show the occurrence net\nShow Occurrence Net",
         .toolbar = 2,
         .slot = 6,
         .checkable = true,
         .rule =
             [](const CCommandContext& c, int) {
                 return Enabled(c.doc.IsContactFree(),
                                c.frame.IsViewActive(CMainFrame::VIEW_OCCURRENCE_NET));
             },
         .handler = Frame(&CMainFrame::ShowOccurrenceNet)},
        {.id = 0, .menu = "Occurrence Net"},
        {.id = ID_OCCURRENCE_NET_VIEW_PROPERTIES,
         .menu = "Occurrence Net",
         .text = "View Properties",
         .prompt = "Change the size of the occurrence net\nView Properties",
         .rule = kView,
         .handler = kViewCommand},
        {.id = 0, .menu = "Occurrence Net"},
        {.id = ID_OCCURRENCE_NET_EXPORT_XML,
         .menu = "Occurrence Net",
         .text = "Export To XML",
         .prompt = "Write the occurrence net as XML\nExport To XML",
         .rule = When(&CZerinDoc::CanExportOccurrenceNetXML),
         .handler = Document(&CZerinDoc::OnExportOccurrenceNetXML)},
        {.id = ID_OCCURRENCE_NET_EXPORT_GRAPHML,
         .menu = "Occurrence Net",
         .text = "Export To GraphML",
         .prompt = "Write the occurrence net as GraphML for other graph tools\nExport To GraphML",
         .rule = When(&CZerinDoc::CanExportOccurrenceNetXML),
         .handler = Graph(false, "graphml")},
        {.id = ID_OCCURRENCE_NET_EXPORT_DOT,
         .menu = "Occurrence Net",
         .text = "Export To DOT",
         .prompt = "Write the occurrence net as a Graphviz DOT graph\nExport To DOT",
         .rule = When(&CZerinDoc::CanExportOccurrenceNetXML),
         .handler = Graph(false, "dot")},
        {.id = ID_OCCURRENCE_NET_EXPORT_EMF,
         .menu = "Occurrence Net",
         .text = "Export To EMF",
         .prompt = "Write the occurrence net as a picture\nExport To EMF",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_OCCURRENCE_NET_EXPORT_SVG,
         .menu = "Occurrence Net",
         .text = "Export To SVG",
         .prompt = "Write the occurrence net as an SVG picture\nExport To SVG",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_OCCURRENCE_NET_EXPORT_PDF,
         .menu = "Occurrence Net",
         .text = "Export To PDF",
         .prompt = "Write the occurrence net as a PDF page\nExport To PDF",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_OCCURRENCE_NET_EXPORT_PNG,
         .menu = "Occurrence Net",
         .text = "Export To PNG",
         .prompt = "Write the occurrence net as a PNG image\nExport To PNG",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_OCCURRENCE_NET_EXPORT_TIKZ,
         .menu = "Occurrence Net",
         .text = "Export To TikZ",
         .prompt = "Write the occurrence net as a TikZ picture for LaTeX\nExport To TikZ",
         .rule = kView,
         .handler = kViewCommand},
    };
}
