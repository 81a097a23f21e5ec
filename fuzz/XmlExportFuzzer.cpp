// Names of any bytes through every XML export: a net of conditions and events named by
// the input's lines, its case graph, its class and the record of a step. Each export, as
// stored in Windows-1250, must be well-formed XML; anything else is a finding.

#include "casegraph/CCaseGraph.h"
#include "base/CRandomSource.h"
#include "base/CodePage1250.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "occurrence/CNetDesignExport.h"
#include "occurrence/COccurrenceNet.h"
#include "support/NetFamilies.h"
#include "support/RecordingDC.h"

#include <libxml/parser.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

void CheckWellFormed(const std::string& utf8, const char* what) {
    const std::string stored = CodePage1250::FromUtf8(utf8);
    xmlDocPtr doc =
        xmlReadMemory(stored.data(), static_cast<int>(stored.size()), "export.xml", nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc) {
        std::fprintf(stderr, "finding: the %s export is not well-formed:\n%s\n", what,
                     utf8.c_str());
        std::abort();
    }
    xmlFreeDoc(doc);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> names;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; std::getline(in, line) && names.size() < 8;)
        names.push_back(line);
    while (names.size() < 4)
        names.emplace_back();
    // A cycle b0 -> e0 -> b1 -> e1 -> b0 with the names, and the rest as free conditions.
    CNetDesign net;
    RecordingDC dc;
    NetBuilder b(net, &dc);
    CPNCondition* b0 = b.Condition(names[0], true);
    CPNCondition* b1 = b.Condition(names[1]);
    CPNEvent* e0 = b.Event(names[2], {b0}, {b1});
    b.Event(names[3], {b1}, {b0});
    for (std::size_t i = 4; i < names.size(); ++i)
        b.Condition(names[i]);
    const CSetConditions initial = b.Build();

    CheckWellFormed(CNetDesignExport(net).BuildXML(), "net design");
    CRandomSource random(1);
    CCaseGraph graph(random);
    graph.ComputeCaseGraph(initial, net);
    graph.NameElements(dc);
    CheckWellFormed(graph.CaseGraphXML(), "case graph");
    CheckWellFormed(graph.CaseClassXML(), "case class");
    COccurrenceNet record;
    record.NumberElements(net.m_listElements);
    record.Start(initial);
    CSetConditions next = initial;
    next.Subtract(e0->m_setPreConditions);
    next.Union(e0->m_setPostConditions);
    record.RecordStep({e0}, next);
    record.Layout(dc);
    CheckWellFormed(record.BuildXML(), "occurrence net");
    return 0;
}
