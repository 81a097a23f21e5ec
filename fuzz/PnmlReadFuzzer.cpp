// Reads arbitrary bytes as a PNML file and imports each net it finds. A file is read or
// refused with a reason; a net either becomes a net design or is refused with a reason
// and leaves the design empty; what came in can be drawn, hit and built, and exported as
// PNML that reads and imports again with the same counts. Anything else, a crash, a leak,
// undefined behaviour or a hang is a finding.

#include "exchange/CPnmlExport.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "platform/CPnmlReader.h"
#include "support/RecordingDC.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Finding(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

struct Counts {
    int conditions = 0, events = 0, edges = 0;
    bool operator==(const Counts&) const = default;
};

Counts CountsOf(const CNetDesign& net) {
    Counts c;
    for (const CPNElement* e : net.m_listElements) {
        c.conditions += dynamic_cast<const CPNCondition*>(e) ? 1 : 0;
        c.events += dynamic_cast<const CPNEvent*>(e) ? 1 : 0;
        c.edges += dynamic_cast<const CPNEdge*>(e) ? 1 : 0;
    }
    return c;
}

bool Import(CPnmlReader& reader, const std::string& id, CNetDesign& net, RecordingDC& dc) {
    int next = 0;
    return static_cast<bool>(reader.ImportNet(id, 10, net, dc, [&next](bool event) {
        return std::string(event ? "e" : "b") + std::to_string(++next);
    }));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CPnmlReader reader;
    if (!reader.Read(std::string(reinterpret_cast<const char*>(data), size), "fuzz.pnml")) {
        if (reader.Error().empty())
            Finding("a refused file without a reason");
        return 0;
    }
    RecordingDC dc;
    for (const CPnmlNet& found : reader.Nets()) {
        CNetDesign net;
        if (!Import(reader, found.id, net, dc)) {
            if (!net.m_listElements.empty())
                Finding("a refused net left elements behind");
            continue;
        }
        net.Draw(dc);
        net.ElementFromPoint(CPoint(100, 100), false, false);
        net.BuildStructure();
        // What came in goes out as PNML and comes in again the same.
        CPnmlReader again;
        if (!again.Read(CPnmlExport(net, "fuzz").BuildXML(), "export.pnml"))
            Finding("an exported net does not read");
        CNetDesign back;
        if (!Import(again, again.Nets().front().id, back, dc))
            Finding("an exported net does not import");
        if (!(CountsOf(back) == CountsOf(net)))
            Finding("an exported net comes back with other counts");
    }
    return 0;
}
