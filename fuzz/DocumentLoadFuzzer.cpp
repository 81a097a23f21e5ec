// Loads arbitrary bytes as a document. A file either loads or is refused as
// "Unexpected file format."; a document that loaded stores bytes that load again and
// store the same bytes; and it can be drawn, hit and have its structure built, as the
// program does right after opening. Anything else, a crash, a leak or undefined
// behaviour is a finding.

#include "document/CDocumentFile.h"
#include "document/CFrameServices.h"
#include "document/CSimulation.h"
#include "document/CZerinDoc.h"
#include "model/CNoEditRecorder.h"
#include "support/RecordingDC.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void Finding(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFrameServices frame;
    CZerinDoc doc(frame);
    const CFileResult result = CDocumentFile::LoadBytes(doc, {data, data + size});
    if (!result) {
        if (result.error != "Unexpected file format.")
            Finding(result.error.c_str());
        return 0;
    }
    const std::vector<std::uint8_t> stored = CDocumentFile::Store(doc);
    CZerinDoc again(frame);
    if (!CDocumentFile::LoadBytes(again, stored))
        Finding("a stored document does not load");
    if (CDocumentFile::Store(again) != stored)
        Finding("a loaded document stores different bytes");

    RecordingDC dc;
    doc.NetDesign().Draw(dc);
    doc.CaseGraph().Draw(dc);
    doc.OccurrenceNet().Draw(dc);
    for (CPoint pt : {CPoint(0, 0), CPoint(100, 100), CPoint(300, 200)}) {
        doc.NetDesign().ElementFromPoint(pt, false, false);
        doc.CaseGraphEditor().ElementFromPoint(pt);
        doc.OccurrenceNet().ElementFromPoint(pt);
    }
    doc.Simulation().BuildInitialCase();
    doc.BuildNet(
        [](CNetDesign& net) { net.UpdateAttachedEdges(nullptr, CNoEditRecorder::Instance()); });
    doc.NetDesign().Draw(dc);
    return 0;
}
