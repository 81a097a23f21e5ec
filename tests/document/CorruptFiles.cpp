#include "CorruptFiles.h"

#include "ExpectedBytes.h"
#include "FixtureDocuments.h"

#include "analysis/CPNCase.h"
#include "analysis/CPNStep.h"
#include "document/CDocumentFile.h"
#include "document/CZerinDoc.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "occurrence/CPNOccurrence.h"
#include "occurrence/CPNPlace.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <stdexcept>

namespace {

using Bytes = std::vector<std::uint8_t>;

template <class T> T* First(const std::list<CPNElement*>& elements, int skip = 0) {
    for (CPNElement* element : elements)
        if (typeid(*element) == typeid(T) && skip-- == 0)
            return static_cast<T*>(element);
    throw std::logic_error("fixture lacks the element");
}

// Loads the fixture, damages it in memory, stores it and undoes the damage so that the
// document can be destroyed soundly.
Bytes Damaged(const std::string& fixture, const std::function<void(CZerinDoc&)>& damage,
              const std::function<void(CZerinDoc&)>& repair = {}) {
    FixtureDocument f;
    if (!CDocumentFile::LoadBytes(*f.doc, FixtureBytes(fixture)))
        throw std::logic_error("fixture does not load");
    damage(*f.doc);
    Bytes bytes = CDocumentFile::Store(*f.doc);
    if (repair)
        repair(*f.doc);
    return bytes;
}

// Replaces the first occurrence of a byte sequence.
Bytes Patched(Bytes bytes, const Bytes& from, const Bytes& to) {
    auto it = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
    if (it == bytes.end())
        throw std::logic_error("pattern not found");
    const auto at = it - bytes.begin();
    bytes.erase(it, it + static_cast<long>(from.size()));
    bytes.insert(bytes.begin() + at, to.begin(), to.end());
    return bytes;
}

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// A document of the given net design record, an empty case graph and occurrence net.
Bytes WithNet(const ExpectedBytes& net) {
    ExpectedBytes b;
    b.Int32(1).Bool32(true).Int32(10).Bool32(true).Bool32(false).Bool32(false).Bool32(false);
    b.Int32(1).Int32(1).Int32(1).Int32(1);
    b.Append(net.Get());
    b.Int32(0).Int32(0).Int32(0).Int32(0).Int32(10).Int32(10).Int32(100).Int32(100);
    b.Bool32(false).Int32(0).Count(0).Count(0).Count(0).Count(0).Count(0).Count(0);
    b.Int32(0).Int32(0).Int32(100).Int32(100).Count(0).Count(0);
    return b.Get();
}

ExpectedBytes NetHead(std::uint16_t count) {
    ExpectedBytes b;
    b.Int32(2048).Int32(1536).Count(count);
    return b;
}

// A free label's record after its tag, its owner reference left to the caller.
ExpectedBytes& LabelBody(ExpectedBytes& b, const std::string& text) {
    b.Point(CPoint(10, 10)).Str(text).Int32(0);
    b.Byte(1).Byte(0).Int32(0).Str("Arial").Int32(-12).Byte(0).Int32(0);
    b.Byte(0).Byte(0).Byte(0).Byte(0).Byte(0).Int32(400).Int32(0);
    return b.Bool32(true).Rect(CRect(0, 0, 14, 12));
}

void AddTruncations(std::vector<NamedBytes>& files) {
    const Bytes whole = FixtureBytes("occurrence");
    std::vector<std::size_t> lengths = {0, 1, 3, 4, 7, 47, 48, 55, 56, 57};
    for (std::size_t n = 1; n < 16; ++n)
        lengths.push_back(whole.size() * n / 16);
    lengths.push_back(whole.size() - 2);
    lengths.push_back(whole.size() - 1);
    for (std::size_t length : lengths) {
        char name[64];
        std::snprintf(name, sizeof name, "truncated-%05zu", length);
        files.emplace_back(name, Bytes(whole.begin(), whole.begin() + static_cast<long>(length)));
    }
}

void AddArchiveFaults(std::vector<NamedBytes>& files) {
    const Bytes net = FixtureBytes("net");
    Bytes v2 = net;
    v2[0] = 2;
    files.emplace_back("version-2", v2);
    Bytes v0 = net;
    v0[0] = 0;
    files.emplace_back("version-0", v0);
    files.emplace_back("unknown-class", Patched(net, Text("CPNCondition"), Text("CPNXondition")));
    files.emplace_back(
        "document-class-in-list",
        Patched(net, Bytes{12, 0, 'C', 'P', 'N', 'C', 'o', 'n', 'd', 'i', 't', 'i', 'o', 'n'},
                Bytes{9, 0, 'C', 'Z', 'e', 'r', 'i', 'n', 'D', 'o', 'c'}));
    // A list entry that refers to the class entry 1 instead of an object.
    ExpectedBytes classRef = NetHead(2);
    classRef.NewClass("CPNCondition").Point(CPoint(50, 50)).Int32(0).Null();
    classRef.Ref(1);
    files.emplace_back("backref-to-class", WithNet(classRef));
    ExpectedBytes beyond = NetHead(1);
    beyond.Ref(9);
    files.emplace_back("backref-beyond-table", WithNet(beyond));
    ExpectedBytes beyondLong = NetHead(1);
    beyondLong.Word(0x7FFF).Int32(0x7FFFFFF0);
    files.emplace_back("backref-long-beyond-table", WithNet(beyondLong));
    // A new-object tag naming an object entry as its class.
    ExpectedBytes objectAsClass = NetHead(2);
    objectAsClass.NewClass("CPNCondition").Point(CPoint(50, 50)).Int32(0).Null();
    objectAsClass.OldClass(2).Point(CPoint(90, 50)).Int32(0).Null();
    files.emplace_back("class-tag-names-object", WithNet(objectAsClass));
    // The condition names itself as its label.
    ExpectedBytes selfLabel = NetHead(1);
    selfLabel.NewClass("CPNCondition").Point(CPoint(50, 50)).Int32(0).Ref(2);
    files.emplace_back("self-reference-label", WithNet(selfLabel));
    // The condition's label is an event.
    ExpectedBytes wrongClass = NetHead(1);
    wrongClass.NewClass("CPNCondition").Point(CPoint(50, 50)).Int32(0);
    wrongClass.NewClass("CPNEvent").Point(CPoint(90, 50)).Null();
    files.emplace_back("wrong-class-label", WithNet(wrongClass));
    // An edge from itself to itself.
    ExpectedBytes selfEdge = NetHead(1);
    selfEdge.NewClass("CPNEdge").Point(CPoint(0, 0)).Ref(2).Ref(2);
    selfEdge.Bool32(true).Rect(CRect()).Bool32(false).Bool32(true).Bool32(true).Count(0);
    files.emplace_back("self-reference-edge", WithNet(selfEdge));
    ExpectedBytes nullEntry = NetHead(1);
    nullEntry.Null();
    files.emplace_back("null-list-entry", WithNet(nullEntry));
    ExpectedBytes twice = NetHead(2);
    LabelBody(twice.NewClass("CPNLabel"), "x").Null();
    twice.Ref(2);
    files.emplace_back("element-listed-twice", WithNet(twice));
    // Counts far beyond the bytes left.
    ExpectedBytes hugeList;
    hugeList.Int32(2048).Int32(1536).Word(0xFFFF).Int32(0x7FFFFFFF);
    files.emplace_back("huge-list-count", WithNet(hugeList));
    ExpectedBytes hugeListShort = NetHead(0xFFFE);
    files.emplace_back("huge-list-count-16", WithNet(hugeListShort));
    ExpectedBytes hugeString = NetHead(1);
    hugeString.NewClass("CPNLabel").Point(CPoint(1, 1)).Byte(0xFF).Word(0xFFFF).Int32(-1);
    files.emplace_back("huge-string-length", WithNet(hugeString));
    ExpectedBytes hugePoints = NetHead(1);
    hugePoints.NewClass("CPNPolygon").Point(CPoint(1, 1)).Int32(0).Int32(0).Int32(1);
    hugePoints.Int32(0).Int32(0).Rect(CRect()).Word(0xFFFF).Int32(0x10000000);
    files.emplace_back("huge-point-count", WithNet(hugePoints));
    const Bytes graph = FixtureBytes("casegraph");
    // The saved positions' point array: its count follows m_nSavedPositions, which the
    // case graph fixture has as 0 right after the laid-out flag.
    {
        FixtureDocument f;
        BuildFixture("casegraph", *f.doc);
        f.doc->m_caseGraph.m_nSavedPositions = 0x4F4F4F4F;
        Bytes marked = CDocumentFile::Store(*f.doc);
        files.emplace_back("huge-point-array",
                           Patched(marked, Bytes{0x4F, 0x4F, 0x4F, 0x4F, 0, 0},
                                   Bytes{0x00, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F}));
    }
    // A case's condition set with a huge and a negative member count: the first case's
    // record follows its class name; its set count comes after the condition record
    // (point, token, null label).
    {
        Bytes tag = Text("CPNCase");
        auto it = std::search(graph.begin(), graph.end(), tag.begin(), tag.end());
        const std::size_t at =
            static_cast<std::size_t>(it - graph.begin()) + tag.size() + 8 + 4 + 2;
        Bytes huge = graph;
        huge[at] = 0xFF;
        huge[at + 1] = 0xFF;
        huge[at + 2] = 0xFF;
        huge[at + 3] = 0x3F;
        files.emplace_back("huge-set-count", huge);
        Bytes negative = graph;
        negative[at] = 0xFE;
        negative[at + 1] = 0xFF;
        negative[at + 2] = 0xFF;
        negative[at + 3] = 0xFF;
        files.emplace_back("negative-set-count", negative);
    }
}

void AddStructureFaults(std::vector<NamedBytes>& files) {
    // Net design.
    files.emplace_back("grid-size-zero", Damaged("net", [](CZerinDoc& d) { d.m_nGridSize = 0; }));
    files.emplace_back("extent-zero",
                       Damaged("net", [](CZerinDoc& d) { d.m_netDesign.m_sizeNet.cx = 0; }));
    files.emplace_back("extent-huge",
                       Damaged("net", [](CZerinDoc& d) { d.m_netDesign.m_sizeNet.cy = 5000000; }));
    files.emplace_back("position-far-off", Damaged("net", [](CZerinDoc& d) {
                           First<CPNCondition>(d.m_netDesign.m_listElements)->m_ptPos.x = 1 << 30;
                       }));
    files.emplace_back(
        "edge-point-far-off", Damaged("net", [](CZerinDoc& d) {
            First<CPNEdge>(d.m_netDesign.m_listElements)->m_listPoints.back().m_pt.y = -(1 << 30);
        }));
    files.emplace_back("label-rect-far-off", Damaged("net", [](CZerinDoc& d) {
                           First<CPNLabel>(d.m_netDesign.m_listElements)->m_rcText.right = 2000000;
                       }));
    files.emplace_back("case-label-far-off", Damaged("casegraph", [](CZerinDoc& d) {
                           d.m_caseGraph.m_arrCases[0]->m_label.m_ptPos.y = 1 << 30;
                       }));
    files.emplace_back("saved-position-far-off", Damaged("casegraph", [](CZerinDoc& d) {
                           d.m_caseGraph.m_arrSavedPositions = {CPoint(1 << 30, 0)};
                           d.m_caseGraph.m_nSavedPositions = 1;
                       }));
    files.emplace_back("edge-end-missing", Damaged("net", [](CZerinDoc& d) {
                           First<CPNEdge>(d.m_netDesign.m_listElements)->m_pTo = nullptr;
                       }));
    {
        // The edge's end is a node of the case graph.
        CPNElement* saved = nullptr;
        files.emplace_back("edge-end-in-other-diagram",
                           Damaged(
                               "casegraph",
                               [&](CZerinDoc& d) {
                                   CPNEdge* e = First<CPNEdge>(d.m_netDesign.m_listElements);
                                   saved = e->m_pTo;
                                   e->m_pTo = d.m_caseGraph.m_arrCases[0];
                               },
                               [&](CZerinDoc& d) {
                                   First<CPNEdge>(d.m_netDesign.m_listElements)->m_pTo = saved;
                               }));
    }
    files.emplace_back("edge-even-points", Damaged("net", [](CZerinDoc& d) {
                           CPNEdge* e = First<CPNEdge>(d.m_netDesign.m_listElements);
                           e->m_listPoints.pop_back();
                       }));
    files.emplace_back("edge-one-point", Damaged("net", [](CZerinDoc& d) {
                           CPNEdge* e = First<CPNEdge>(d.m_netDesign.m_listElements);
                           e->m_listPoints.resize(1);
                       }));
    files.emplace_back("edge-straight-but-bent", Damaged("net", [](CZerinDoc& d) {
                           CPNEdge* e = First<CPNEdge>(d.m_netDesign.m_listElements, 1);
                           e->m_bBent = !e->m_bBent;
                       }));
    files.emplace_back("edge-route-flags", Damaged("net", [](CZerinDoc& d) {
                           CPNEdge* e = First<CPNEdge>(d.m_netDesign.m_listElements);
                           e->m_listPoints.front().m_bVertex = false;
                       }));
    files.emplace_back(
        "polygon-open", Damaged("net", [](CZerinDoc& d) {
            First<CPNPolygon>(d.m_netDesign.m_listElements)->m_listPoints.back().m_pt.x += 5;
        }));
    files.emplace_back("polygon-three-points", Damaged("net", [](CZerinDoc& d) {
                           auto& points =
                               First<CPNPolygon>(d.m_netDesign.m_listElements)->m_listPoints;
                           points.resize(3);
                           points.back() = CEdgePoint(points.front().m_pt, true, true);
                       }));
    {
        // A label listed with an owner whose name label is another label.
        CPNLabel* saved = nullptr;
        files.emplace_back(
            "label-owner-names-other",
            Damaged(
                "net",
                [&](CZerinDoc& d) {
                    CPNCondition* a = First<CPNCondition>(d.m_netDesign.m_listElements, 0);
                    CPNCondition* b = First<CPNCondition>(d.m_netDesign.m_listElements, 1);
                    saved = a->m_pLabel;
                    a->m_pLabel = b->m_pLabel;
                },
                [&](CZerinDoc& d) {
                    First<CPNCondition>(d.m_netDesign.m_listElements, 0)->m_pLabel = saved;
                }));
    }
    {
        // An event's label that no list holds.
        CPNLabel stray(1, 1);
        files.emplace_back("element-label-not-listed",
                           Damaged(
                               "net",
                               [&](CZerinDoc& d) {
                                   CPNEvent* e = First<CPNEvent>(d.m_netDesign.m_listElements);
                                   stray.m_pOwner = e;
                                   e->m_pLabel = &stray;
                               },
                               [](CZerinDoc& d) {
                                   First<CPNEvent>(d.m_netDesign.m_listElements)->m_pLabel =
                                       nullptr;
                               }));
    }
    files.emplace_back("label-owner-is-polygon", Damaged("net", [](CZerinDoc& d) {
                           First<CPNLabel>(d.m_netDesign.m_listElements, 0)->m_pOwner =
                               First<CPNPolygon>(d.m_netDesign.m_listElements);
                       }));
    {
        // The case graph's free list holds a label of the net design too.
        files.emplace_back("element-in-two-containers",
                           Damaged(
                               "casegraph",
                               [](CZerinDoc& d) {
                                   d.m_caseGraph.m_listElements.push_back(
                                       First<CPNLabel>(d.m_netDesign.m_listElements));
                               },
                               [](CZerinDoc& d) { d.m_caseGraph.m_listElements.pop_back(); }));
    }
    {
        CPNCase* stray = new CPNCase();
        files.emplace_back("case-in-net-design", Damaged("net", [&](CZerinDoc& d) {
                               d.m_netDesign.m_listElements.push_back(stray);
                           }));
    }
    files.emplace_back("condition-in-free-list", Damaged("casegraph", [](CZerinDoc& d) {
                           d.m_caseGraph.m_listElements.push_back(new CPNCondition(5, 5, nullptr));
                       }));
    // Case graph.
    files.emplace_back("cases-count",
                       Damaged("casegraph", [](CZerinDoc& d) { ++d.m_caseGraph.m_nCases; }));
    files.emplace_back("steps-count",
                       Damaged("casegraph", [](CZerinDoc& d) { --d.m_caseGraph.m_nSteps; }));
    files.emplace_back("step-labels-count",
                       Damaged("casegraph", [](CZerinDoc& d) { ++d.m_caseGraph.m_nStepLabels; }));
    files.emplace_back("net-events-count",
                       Damaged("casegraph", [](CZerinDoc& d) { d.m_caseGraph.m_nNetEvents = -1; }));
    files.emplace_back("saved-positions-count", Damaged("casegraph", [](CZerinDoc& d) {
                           d.m_caseGraph.m_nSavedPositions = 3;
                       }));
    files.emplace_back("case-graph-extent-negative", Damaged("casegraph", [](CZerinDoc& d) {
                           d.m_caseGraph.m_sizeExtent.cx = -10;
                       }));
    {
        CPNElement* saved = nullptr;
        files.emplace_back("arc-end-not-node",
                           Damaged(
                               "casegraph",
                               [&](CZerinDoc& d) {
                                   CPNStep* s = d.m_caseGraph.m_arrSteps[0];
                                   saved = s->m_pTo;
                                   s->m_pTo = First<CPNCondition>(d.m_netDesign.m_listElements);
                               },
                               [&](CZerinDoc& d) { d.m_caseGraph.m_arrSteps[0]->m_pTo = saved; }));
    }
    files.emplace_back("step-label-of-other-step", Damaged("casegraph", [](CZerinDoc& d) {
                           std::swap(d.m_caseGraph.m_arrStepLabels[0]->m_pOwner,
                                     d.m_caseGraph.m_arrStepLabels[1]->m_pOwner);
                       }));
    files.emplace_back("case-member-not-net-condition", Damaged("casegraph", [](CZerinDoc& d) {
                           d.m_caseGraph.m_arrCases[0]->m_setConditions.Add(
                               d.m_caseGraph.m_arrCases[1]);
                       }));
    files.emplace_back("case-label-owner", Damaged("casegraph", [](CZerinDoc& d) {
                           d.m_caseGraph.m_arrCases[0]->m_label.m_pOwner =
                               d.m_caseGraph.m_arrCases[1];
                       }));
    files.emplace_back("net-events-not-in-net", Damaged("occurrence", [](CZerinDoc& d) {
                           d.m_caseGraph.m_arrNetEvents[0] =
                               First<CPNOccurrence>(d.m_occurrenceNet.m_listElements);
                       }));
    // Occurrence net.
    {
        CPNElement* saved = nullptr;
        files.emplace_back("occurrence-edge-end",
                           Damaged(
                               "occurrence",
                               [&](CZerinDoc& d) {
                                   CPNEdge* e = First<CPNEdge>(d.m_occurrenceNet.m_listElements);
                                   saved = e->m_pFrom;
                                   e->m_pFrom = First<CPNCondition>(d.m_netDesign.m_listElements);
                               },
                               [&](CZerinDoc& d) {
                                   First<CPNEdge>(d.m_occurrenceNet.m_listElements)->m_pFrom =
                                       saved;
                               }));
    }
    files.emplace_back("place-condition-null", Damaged("occurrence", [](CZerinDoc& d) {
                           First<CPNPlace>(d.m_occurrenceNet.m_listElements)->m_pCondition =
                               nullptr;
                       }));
    files.emplace_back("place-condition-is-place", Damaged("occurrence", [](CZerinDoc& d) {
                           First<CPNPlace>(d.m_occurrenceNet.m_listElements)->m_pCondition =
                               First<CPNPlace>(d.m_occurrenceNet.m_listElements, 1);
                       }));
    files.emplace_back("occurrence-event-is-occurrence", Damaged("occurrence", [](CZerinDoc& d) {
                           auto* o = First<CPNOccurrence>(d.m_occurrenceNet.m_listElements);
                           o->m_pEvent = o;
                       }));
    files.emplace_back("occurrence-net-extent-zero", Damaged("occurrence", [](CZerinDoc& d) {
                           d.m_occurrenceNet.m_sizeNet.cy = 0;
                       }));
    files.emplace_back("occurrence-net-negative-columns", Damaged("occurrence", [](CZerinDoc& d) {
                           d.m_occurrenceNet.m_nColumns = -1;
                       }));
}

} // namespace

std::vector<NamedBytes> MakeCorruptFiles() {
    std::vector<NamedBytes> files;
    AddTruncations(files);
    AddArchiveFaults(files);
    AddStructureFaults(files);
    return files;
}
