#include "findings/CPropertyListModel.h"

#include "findings/SameNet.h"
#include "model/CNetStructure.h"
#include "properties/CFormulaParser.h"
#include "properties/CPropertyChecker.h"
#include "properties/EExamination.h"
#include "questions/PropertyAnswers.h"

#include <algorithm>
#include <set>

namespace {

using EKind = CPropertyList::EKind;

// A name as the language writes it: quoted where it is no plain identifier.
std::string Written(const std::string& name) {
    if (CFormulaParser::IsPlainName(name))
        return name;
    std::string quoted = "\"";
    for (const char ch : name) {
        if (ch == '"' || ch == '\\')
            quoted += '\\';
        quoted += ch;
    }
    return quoted + "\"";
}

bool IsGlobalExamination(const std::string& name) {
    const std::optional<EExamination> examination = Examinations::FromName(name);
    return examination && Examinations::IsGlobal(*examination);
}

} // namespace

void CPropertyListModel::SetNet(std::shared_ptr<const CNetStructure> net) {
    m_pNet = std::move(net);
    for (const CPropertyList::Line& line : m_list.Lines())
        Validate(line);
    m_nSeenRevision = m_list.Revision();
}

const CPropertyListModel::Finding& CPropertyListModel::FindingOf(std::uint64_t serial) const {
    static const Finding none;
    const auto it = m_mapFindings.find(serial);
    return it == m_mapFindings.end() ? none : it->second;
}

bool CPropertyListModel::IsStale(std::uint64_t serial) const {
    const Finding& finding = FindingOf(serial);
    return finding.state == EState::Checked &&
           (!m_pNet || !finding.net || !SameNet(*finding.net, *m_pNet));
}

std::string CPropertyListModel::VerdictText(const Finding& finding) {
    if (finding.state != EState::Checked)
        return {};
    switch (finding.verdict.value) {
    case CAnswer::Verdict::EValue::True:
        return "TRUE";
    case CAnswer::Verdict::EValue::False:
        return "FALSE";
    case CAnswer::Verdict::EValue::Number:
        return finding.verdict.number;
    default:
        return "CANNOT_COMPUTE";
    }
}

void CPropertyListModel::Validate(const CPropertyList::Line& line) {
    Finding& finding = m_mapFindings[line.serial];
    if (line.kind == EKind::Examination) {
        if (IsGlobalExamination(line.text)) {
            if (finding.state == EState::Wrong)
                finding = Finding();
            return;
        }
        finding = Finding();
        finding.state = EState::Wrong;
        finding.fault = "'" + line.text + "' is none of the global examinations";
        return;
    }
    if (!m_pNet)
        return;
    CFormulaParser parser(*m_pNet);
    if (parser.Parse(line.text)) {
        if (finding.state == EState::Wrong)
            finding = Finding();
        return;
    }
    finding = Finding();
    finding.state = EState::Wrong;
    finding.fault = parser.GetError().message;
    finding.faultPosition = parser.GetError().position;
}

std::uint64_t CPropertyListModel::AddFormula(const std::string& text) {
    const std::uint64_t serial = m_list.Add(EKind::Formula, text);
    Validate(*m_list.Find(serial));
    m_nSeenRevision = m_list.Revision();
    return serial;
}

std::uint64_t CPropertyListModel::AddExamination(const std::string& name) {
    const std::uint64_t serial = m_list.Add(EKind::Examination, name);
    Validate(*m_list.Find(serial));
    m_nSeenRevision = m_list.Revision();
    return serial;
}

bool CPropertyListModel::Edit(std::uint64_t serial, const std::string& text) {
    if (!m_list.Replace(serial, text))
        return false;
    m_mapFindings.erase(serial);
    Validate(*m_list.Find(serial));
    m_nSeenRevision = m_list.Revision();
    return true;
}

bool CPropertyListModel::Remove(std::uint64_t serial) {
    if (!m_list.Remove(serial))
        return false;
    m_mapFindings.erase(serial);
    m_nSeenRevision = m_list.Revision();
    return true;
}

bool CPropertyListModel::Move(std::uint64_t serial, int delta) {
    const bool moved = m_list.Move(serial, delta);
    m_nSeenRevision = m_list.Revision();
    return moved;
}

void CPropertyListModel::Refresh() {
    if (m_nSeenRevision == m_list.Revision())
        return;
    std::set<std::uint64_t> present;
    for (const CPropertyList::Line& line : m_list.Lines()) {
        present.insert(line.serial);
        Validate(line);
    }
    std::erase_if(m_mapFindings, [&](const auto& entry) { return !present.count(entry.first); });
    m_nSeenRevision = m_list.Revision();
}

CPropertyListModel::Batch
CPropertyListModel::Prepare(const std::vector<std::uint64_t>& serials) const {
    Batch batch;
    batch.net = m_pNet;
    for (const CPropertyList::Line& line : m_list.Lines()) {
        if (!serials.empty() &&
            std::find(serials.begin(), serials.end(), line.serial) == serials.end())
            continue;
        if (FindingOf(line.serial).state != EState::Wrong)
            batch.queries.push_back({line.serial, line.kind, line.text});
    }
    return batch;
}

std::vector<CPropertyListModel::Outcome> CPropertyListModel::Run(const Batch& batch,
                                                                 const CCheckLimits& limits) {
    std::vector<Outcome> outcomes;
    if (!batch.net)
        return outcomes;
    const CNetStructure& net = *batch.net;
    const CQuestionArgs args;
    const CQuestionContext context{net, nullptr, nullptr, args, limits.progress};
    std::unique_ptr<CPropertyChecker> checker = PropertyAnswers::MakeChecker(context);
    // The formulas first, together; then the examinations.
    std::vector<CProperty> properties;
    for (const Query& query : batch.queries) {
        if (query.kind != EKind::Formula)
            continue;
        CFormulaParser parser(net);
        FormulaPtr formula = parser.Parse(query.text);
        if (!formula)
            continue;
        properties.push_back({"formula-" + std::to_string(query.serial), std::move(formula)});
        outcomes.push_back({query.serial, {}});
    }
    const std::vector<CPropertyResult> results = checker->Check(properties, limits);
    for (std::size_t i = 0; i < results.size() && i < outcomes.size(); ++i)
        outcomes[i].result = results[i];
    for (const Query& query : batch.queries) {
        if (query.kind != EKind::Examination || !IsGlobalExamination(query.text))
            continue;
        outcomes.push_back(
            {query.serial, checker->CheckGlobal(*Examinations::FromName(query.text), limits)});
    }
    return outcomes;
}

void CPropertyListModel::Apply(const Batch& batch, const std::vector<Outcome>& outcomes) {
    for (const Outcome& outcome : outcomes) {
        if (!m_list.Find(outcome.serial) || outcome.result.reason == EStopReason::Cancelled)
            continue;
        Finding& finding = m_mapFindings[outcome.serial];
        // A line edited while it was checked keeps its new text's finding.
        const auto query = std::find_if(batch.queries.begin(), batch.queries.end(),
                                        [&](const Query& q) { return q.serial == outcome.serial; });
        if (query == batch.queries.end() || query->text != m_list.Find(outcome.serial)->text)
            continue;
        finding = Finding();
        finding.state = EState::Checked;
        finding.verdict = PropertyAnswers::VerdictOf(outcome.result);
        finding.run = outcome.result.run;
        finding.events = outcome.result.events;
        finding.conditions = outcome.result.conditions;
        finding.net = batch.net;
    }
}

std::vector<std::string> CPropertyListModel::CompletionWords() const {
    std::vector<std::string> words;
    if (m_pNet) {
        for (int c = 0; c < static_cast<int>(m_pNet->ConditionCount()); ++c)
            words.push_back(Written(m_pNet->ConditionName(c)));
        for (int e = 0; e < static_cast<int>(m_pNet->EventCount()); ++e)
            words.push_back(Written(m_pNet->EventName(e)));
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    for (const char* word :
         {"EF", "AG",       "EG",        "AF", "EX",     "AX", "A", "E", "X",  "F",  "G",
          "U",  "deadlock", "fireable(", "#(", "bound(", "!",  "&", "|", "->", "<->"})
        words.push_back(word);
    return words;
}

std::vector<std::string> CPropertyListModel::ExaminationNames() {
    std::vector<std::string> names;
    for (int i = 0; i < Examinations::kCount; ++i)
        if (Examinations::IsGlobal(Examinations::At(i)))
            names.push_back(Examinations::Name(Examinations::At(i)));
    return names;
}
