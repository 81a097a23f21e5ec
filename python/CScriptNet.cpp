#include "python/CScriptNet.h"

#include "examples/CExampleNets.h"
#include "formats/CExportInput.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "platform/CPictureExport.h"
#include "platform/ExportFormats.h"
#include "python/CInterruptWatch.h"
#include "python/CLineRecorder.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

// zerin-cli's rule: .pnml, and .xml, are PNML; anything else a document.
bool IsPnml(const std::string& path) {
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return lower.ends_with(".pnml") || lower.ends_with(".xml");
}

template <class Element>
Element* AddNamed(CNetDesign& net, CDC& dc, std::pair<int, int> at, const std::string& name) {
    auto* label = new CPNLabel();
    label->SetText(name, dc);
    auto* element = new Element(at.first, at.second, label);
    label->m_pOwner = element;
    net.AddElement(element);
    net.AddElement(label);
    return element;
}

std::string NameOf(const CPNElement* element) {
    const CPNLabel* label = CNetDesign::NameLabelOf(element);
    return label ? label->m_strText : std::string();
}

} // namespace

CScriptNet::CScriptNet() {
    m_session.New(std::nullopt);
    m_session.SetFile(m_session.Doc().GetTitle());
}

void CScriptNet::Fail(CScriptError::EKind kind, std::vector<std::string> lines) {
    std::vector<std::string> told = m_session.Take();
    const std::string message = told.empty() ? m_session.File() + ": failed" : told.back();
    if (!told.empty())
        told.pop_back();
    throw CScriptError(kind, message, std::move(lines), std::move(told));
}

// --- Files. ---

void CScriptNet::Open(const std::string& path, const std::optional<std::string>& netId) {
    CLineRecorder quiet;
    NetChanged();
    if (IsPnml(path)) {
        bool notCENet = false;
        if (!m_session.Import(path, netId, notCENet))
            Fail(notCENet ? CScriptError::EKind::Net : CScriptError::EKind::File);
        // Named as its file, unsaved, as the program's Import PNML leaves it.
        const std::string stem = std::filesystem::path(path).stem().string();
        m_session.Doc().SetTitle(stem);
        return;
    }
    if (netId)
        throw CScriptError(CScriptError::EKind::Argument,
                           path + ": a net id is for PNML files, this is a document");
    if (!m_session.Load(path, std::nullopt))
        Fail(CScriptError::EKind::File);
}

void CScriptNet::Save(const std::string& path) {
    if (!m_session.Save(path))
        Fail(CScriptError::EKind::File);
    m_session.SetFile(path);
}

void CScriptNet::Export(const std::string& path, const std::string& formatId, int nDiagram,
                        bool standalone) {
    CLineRecorder quiet;
    const CExportFormat* format = formatId.empty() ? nullptr : ExportFormats().Find(formatId);
    if (formatId.empty()) {
        // By the extension: a picture, else the one format of the diagram that has it.
        format = ExportFormats().FindPicture(path, nDiagram);
        const std::string ext = std::filesystem::path(path).extension().string();
        for (const CExportFormat* other : ExportFormats().FormatsOf(nDiagram))
            if (!format && !ext.empty() && "." + other->GetExtension() == ext)
                format = other;
        if (!format)
            throw CScriptError(CScriptError::EKind::Argument,
                               CPictureExport::UnknownFormat(path));
    }
    if (!format)
        throw CScriptError(CScriptError::EKind::Argument, "no export format " + formatId);
    if (!format->Writes(nDiagram))
        throw CScriptError(CScriptError::EKind::Argument,
                           format->GetName() + " does not write " +
                               CExportFormat::DiagramNoun(nDiagram));
    if (nDiagram == CZerinDoc::DIAGRAM_OCCURRENCE_NET)
        m_session.Doc().LayOutOccurrenceNet(m_session.MeasureDC());
    if (!m_session.Export(format->GetId(), nDiagram, path, standalone))
        Fail(CScriptError::EKind::File);
}

std::string CScriptNet::ExportBytes(const std::string& formatId, int nDiagram) {
    char folder[] = "/tmp/zerin-XXXXXX";
    if (!mkdtemp(folder))
        throw CScriptError(CScriptError::EKind::File, "cannot make a temporary folder");
    const std::string path = std::string(folder) + "/export";
    std::string bytes;
    try {
        Export(path, formatId, nDiagram, false);
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        bytes = text.str();
    } catch (...) {
        std::filesystem::remove_all(folder);
        throw;
    }
    std::filesystem::remove_all(folder);
    return bytes;
}

bool CScriptNet::BuildExample(const std::string& name) {
    NetChanged();
    if (!CExampleNets::Build(name, m_session.Doc(), m_session.MeasureDC()))
        return false;
    m_session.Doc().SetTitle(name);
    m_session.SetFile(name);
    return true;
}

// --- The net. ---

std::vector<std::string> CScriptNet::Conditions() const {
    std::vector<std::string> names;
    for (const CPNElement* element : m_session.Doc().NetDesign().m_listElements)
        if (dynamic_cast<const CPNCondition*>(element))
            names.push_back(NameOf(element));
    return names;
}

std::vector<std::string> CScriptNet::Events() const {
    std::vector<std::string> names;
    for (const CPNEvent* event : m_session.Doc().NetDesign().GetEvents())
        names.push_back(NameOf(event));
    return names;
}

std::vector<std::pair<std::string, std::string>> CScriptNet::Edges() const {
    std::vector<std::pair<std::string, std::string>> edges;
    for (const CPNElement* element : m_session.Doc().NetDesign().m_listElements)
        if (const auto* edge = dynamic_cast<const CPNEdge*>(element))
            edges.emplace_back(NameOf(edge->m_pFrom), NameOf(edge->m_pTo));
    return edges;
}

CScriptCase CScriptNet::Marked() const {
    CScriptCase marked;
    for (const CPNElement* element : m_session.Doc().NetDesign().m_listElements)
        if (const auto* c = dynamic_cast<const CPNCondition*>(element); c && c->m_bToken)
            marked.push_back(NameOf(c));
    return marked;
}

CPNCondition& CScriptNet::ConditionNamed(const std::string& name) const {
    if (CPNCondition* condition = m_session.Doc().NetDesign().FindCondition(name))
        return *condition;
    throw CScriptError(CScriptError::EKind::Argument,
                       m_session.File() + ": no condition is named '" + name + "'");
}

CPNEvent& CScriptNet::EventNamed(const std::string& name) const {
    for (CPNEvent* event : m_session.Doc().NetDesign().GetEvents())
        if (NameOf(event) == name)
            return *event;
    throw CScriptError(CScriptError::EKind::Argument,
                       m_session.File() + ": no event is named '" + name + "'");
}

CSetConditions CScriptNet::CaseNamed(const CScriptCase& names) const {
    CSetConditions c;
    for (const std::string& name : names)
        c.Add(&ConditionNamed(name));
    return c;
}

CScriptCase CScriptNet::Names(const CSetConditions& c) const {
    CScriptCase names;
    for (const CPNCondition* condition : c)
        names.push_back(NameOf(condition));
    return names;
}

std::vector<std::string> CScriptNet::Names(const CSetEvents& events) const {
    std::vector<std::string> names;
    for (const CPNEvent* event : events)
        names.push_back(NameOf(event));
    return names;
}

void CScriptNet::NetChanged() {
    ++m_nRevision;
    NewCaseClass();
}

void CScriptNet::NewCaseClass() {
    CZerinDoc& doc = m_session.Doc();
    if (doc.Simulation().IsActive())
        doc.Simulation().Leave();
    ++m_nStamp;
    m_bStored = false;
}

std::pair<int, int> CScriptNet::NextPlace() {
    // Spread over a grid so that no two elements overlap, past what the net holds.
    const int placed = m_nPlaced++;
    int bottom = 0;
    if (placed == 0)
        for (const CPNElement* element : m_session.Doc().NetDesign().m_listElements)
            bottom = std::max(bottom, static_cast<int>(element->GetBoundRect().bottom));
    if (bottom > 0)
        m_nPlaced += 20 * ((bottom + 40) / 80);
    const int at = m_nPlaced - 1;
    return {60 + 80 * (at % 20), 60 + 80 * (at / 20)};
}

std::string CScriptNet::AddCondition(const std::string& name, bool marked,
                                     std::optional<std::pair<int, int>> at) {
    NetChanged();
    CZerinDoc& doc = m_session.Doc();
    const std::string given =
        name.empty() ? doc.GetNewName(CDocumentRecord::NAME_CONDITION) : name;
    const std::pair<int, int> place = at ? *at : NextPlace();
    doc.BuildNet([&](CNetDesign& net) {
        AddNamed<CPNCondition>(net, m_session.MeasureDC(), place, given)->m_bToken = marked;
    });
    return given;
}

std::string CScriptNet::AddEvent(const std::string& name, const std::vector<std::string>& pre,
                                 const std::vector<std::string>& post,
                                 std::optional<std::pair<int, int>> at) {
    // Every name is checked before the net changes.
    std::vector<CPNCondition*> before, after;
    for (const std::string& c : pre)
        before.push_back(&ConditionNamed(c));
    for (const std::string& c : post)
        after.push_back(&ConditionNamed(c));
    NetChanged();
    CZerinDoc& doc = m_session.Doc();
    const std::string given = name.empty() ? doc.GetNewName(CDocumentRecord::NAME_EVENT) : name;
    const std::pair<int, int> place = at ? *at : NextPlace();
    doc.BuildNet([&](CNetDesign& net) {
        auto* event = AddNamed<CPNEvent>(net, m_session.MeasureDC(), place, given);
        for (CPNCondition* c : before)
            net.AddElement(new CPNEdge(c, event));
        for (CPNCondition* c : after)
            net.AddElement(new CPNEdge(event, c));
    });
    return given;
}

void CScriptNet::AddEdge(const std::string& from, const std::string& to) {
    CZerinDoc& doc = m_session.Doc();
    CPNElement* ends[2] = {nullptr, nullptr};
    const std::string names[2] = {from, to};
    for (int i = 0; i < 2; ++i) {
        ends[i] = doc.NetDesign().FindCondition(names[i]);
        if (!ends[i])
            ends[i] = &EventNamed(names[i]);
    }
    const bool fromCondition = dynamic_cast<CPNCondition*>(ends[0]) != nullptr;
    if (fromCondition == (dynamic_cast<CPNCondition*>(ends[1]) != nullptr))
        throw CScriptError(CScriptError::EKind::Argument,
                           m_session.File() + ": an edge joins a condition and an event, not '" +
                               from + "' and '" + to + "'");
    NetChanged();
    bool added = true;
    doc.BuildNet([&](CNetDesign& net) {
        added = fromCondition ? net.AddElement(new CPNEdge(static_cast<CPNCondition*>(ends[0]),
                                                           static_cast<CPNEvent*>(ends[1])))
                              : net.AddElement(new CPNEdge(static_cast<CPNEvent*>(ends[0]),
                                                           static_cast<CPNCondition*>(ends[1])));
    });
    if (!added)
        throw CScriptError(CScriptError::EKind::Argument, m_session.File() + ": an edge from '" +
                                                              from + "' to '" + to +
                                                              "' is there already");
}

void CScriptNet::SetMarked(const std::string& condition, bool marked) {
    CPNCondition& c = ConditionNamed(condition);
    NetChanged();
    if (c.m_bToken != marked)
        m_session.Doc().FlipToken(&c);
}

// --- The test and the complement. ---

CScriptCheck CScriptNet::Check(const CEngineOptions& engine) {
    NewCaseClass();
    if (!m_session.UseEngine(engine, CHeadlessSession::ENeeds::Anything))
        Fail(CScriptError::EKind::Engine);
    CScriptCheck check;
    CLineRecorder lines;
    {
        CInterruptWatch watch(m_session.Frame());
        const CHeadlessSession::ETest test = m_session.EnterWithFullTest();
        m_bStored = m_session.Doc().CaseGraph().HasAllSteps();
        watch.Finish();
        if (test == CHeadlessSession::ETest::Failed)
            Fail(CScriptError::EKind::Limit, lines.Lines());
        check.ceSystem = test == CHeadlessSession::ETest::CESystem;
    }
    check.contactFree = check.ceSystem && m_session.Doc().Record().contactFree;
    check.lines = lines.Lines();
    return check;
}

std::pair<int, std::vector<std::string>> CScriptNet::Complement() {
    NetChanged();
    CLineRecorder lines;
    CZerinDoc& doc = m_session.Doc();
    doc.Simulation().BuildInitialCase();
    const int added = doc.ComplementNet(m_session.MeasureDC());
    doc.SetNetModified();
    doc.SetModifiedFlag();
    return {added, lines.Lines()};
}
