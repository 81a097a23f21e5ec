#include "questions/StructureAnswers.h"

#include "base/OutputWriter.h"
#include "base/TextValues.h"
#include "model/CNetStructure.h"
#include "structure/CSemiflowResult.h"
#include "structure/CSiphonResult.h"

#include <cstdio>

namespace StructureAnswers {

namespace {


std::string Json(const std::string& text) {
    std::string out = "\"";
    for (const unsigned char ch : text) {
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += static_cast<char>(ch);
        } else if (ch < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", ch);
            out += escaped;
        } else {
            out += static_cast<char>(ch);
        }
    }
    return out + "\"";
}

std::string Csv(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (const char ch : text)
        out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return out + "\"";
}

const std::string& NameOf(const CNetStructure& net, bool conditions, int element) {
    return conditions ? net.ConditionName(element) : net.EventName(element);
}

// "2 a + b", the weights of a semiflow by the names.
std::string Sum(const CSemiflow& flow, const CNetStructure& net, bool conditions) {
    std::string text;
    for (std::size_t k = 0; k < flow.support.size(); ++k)
        text += (k ? " + " : "") +
                (flow.weights[k] == 1 ? std::string() : std::to_string(flow.weights[k]) + " ") +
                NameOf(net, conditions, flow.support[k]);
    return text;
}

std::string SetText(const std::vector<int>& conditions, const CNetStructure& net) {
    std::string text = "{";
    for (std::size_t k = 0; k < conditions.size(); ++k)
        text += (k ? ", " : " ") + net.ConditionName(conditions[k]);
    return text + (conditions.empty() ? "}" : " }");
}

std::string YesNo(bool yes) {
    return yes ? "yes" : "no";
}

void AddInvariants(CAnswer& answer, const CSemiflowResult& found, const CNetStructure& net,
                   bool conditions) {
    const char* kind = conditions ? "S-invariants" : "T-invariants";
    CAnswer::Table table;
    table.heading = std::string(kind) + ": " + std::to_string(found.semiflows.size()) +
                    (found.Complete() ? "" : " (the first; there are more)");
    table.columns = {"weights", "value"};
    table.complete = found.Complete();
    for (const CSemiflow& flow : found.semiflows) {
        std::string weights;
        for (std::size_t k = 0; k < flow.support.size(); ++k)
            weights += (k ? " " : "") + NameOf(net, conditions, flow.support[k]) + ":" +
                       std::to_string(flow.weights[k]);
        table.rows.push_back({weights, conditions ? std::to_string(flow.initialValue) : ""});
        table.lines.push_back(Sum(flow, net, conditions) +
                              (conditions ? " = " + std::to_string(flow.initialValue) : ""));
    }
    answer.Add(PANE_ANALYSIS, std::move(table));
    answer.Add(PANE_ANALYSIS, CAnswer::Verdict{.id = conditions ? "covered-by-s-invariants"
                                                                : "covered-by-t-invariants",
                                               .value = found.Covered()
                                                            ? CAnswer::Verdict::EValue::True
                                                            : CAnswer::Verdict::EValue::False,
                                               .sentence = std::string("Covered by ") + kind +
                                                           ": " + YesNo(found.Covered())});
}

void AddSiphons(CAnswer& answer, const CSiphonResult& found, const CNetStructure& net,
                bool traps) {
    CAnswer::Table table;
    table.heading = "Minimal siphons: " + std::to_string(found.siphons.size()) +
                    (found.end == EEnumeration::Complete ? "" : " (the first; there are more)");
    table.columns = {"siphon", "trap", "marked"};
    table.complete = found.end == EEnumeration::Complete;
    for (const CSiphon& siphon : found.siphons) {
        table.rows.push_back({SetText(siphon.conditions, net), SetText(siphon.trap, net),
                              siphon.trapMarked ? "1" : "0"});
        table.lines.push_back(
            SetText(siphon.conditions, net) +
            (siphon.trap.empty() ? ", no trap inside"
                                 : ", largest trap " + SetText(siphon.trap, net) +
                                       (siphon.trapMarked ? " (marked)" : " (unmarked)")));
    }
    if (traps || !found.siphons.empty())
        answer.Add(PANE_ANALYSIS, std::move(table));
    std::string property = "Every minimal siphon holds a trap marked initially: " +
                           YesNo(found.siphonTrapProperty);
    if (!found.siphonTrapProperty && !found.unmarkedTrapSiphon.empty())
        property += " (not " + SetText(found.unmarkedTrapSiphon, net) + ")";
    answer.Add(PANE_ANALYSIS,
               CAnswer::Verdict{.id = "siphon-trap",
                                .value = found.siphonTrapProperty ? CAnswer::Verdict::EValue::True
                                                                  : CAnswer::Verdict::EValue::False,
                                .sentence = property});
    answer.Add(PANE_ANALYSIS,
               CAnswer::Line{"Free-choice: " + YesNo(found.freeChoice) +
                             (found.live ? ", live (Commoner's theorem): " + YesNo(*found.live)
                                         : std::string())});
}

std::string JsonWeights(const CSemiflow& flow, const CNetStructure& net, bool conditions) {
    std::string text = "{";
    for (std::size_t k = 0; k < flow.support.size(); ++k)
        text += (k ? ", " : "") + Json(NameOf(net, conditions, flow.support[k])) + ": " +
                std::to_string(flow.weights[k]);
    return text + "}";
}

std::string JsonSets(const std::vector<std::vector<int>>& sets, const CNetStructure& net) {
    std::string text = "[";
    for (std::size_t i = 0; i < sets.size(); ++i) {
        text += i ? ", [" : "[";
        for (std::size_t k = 0; k < sets[i].size(); ++k)
            text += (k ? ", " : "") + Json(net.ConditionName(sets[i][k]));
        text += "]";
    }
    return text + "]";
}

std::string JsonOf(const Found& found, const CNetStructure& net) {
    std::vector<std::string> members;
    bool complete = true;
    for (bool conditions : {true, false}) {
        const std::optional<CSemiflowResult>& result =
            conditions ? found.sInvariants : found.tInvariants;
        if (!result)
            continue;
        complete = complete && result->Complete();
        std::string list = "[";
        for (std::size_t i = 0; i < result->semiflows.size(); ++i) {
            const CSemiflow& flow = result->semiflows[i];
            list += (i ? ", " : "") + std::string("{\"weights\": ") +
                    JsonWeights(flow, net, conditions) +
                    (conditions ? ", \"value\": " + std::to_string(flow.initialValue) : "") + "}";
        }
        members.push_back(std::string(conditions ? "\"s_invariants\": " : "\"t_invariants\": ") +
                          list + "]");
    }
    if (found.siphons) {
        complete = complete && found.siphons->end == EEnumeration::Complete;
        std::vector<std::vector<int>> siphons, traps;
        for (const CSiphon& siphon : found.siphons->siphons) {
            siphons.push_back(siphon.conditions);
            traps.push_back(siphon.trap);
        }
        members.push_back("\"siphons\": " + JsonSets(siphons, net));
        if (found.traps)
            members.push_back("\"traps\": " + JsonSets(traps, net));
    }
    members.push_back(std::string("\"complete\": ") + (complete ? "true" : "false"));
    std::string text = "{";
    for (std::size_t i = 0; i < members.size(); ++i)
        text += (i ? ", " : "") + members[i];
    return text + "}";
}

std::vector<std::string> CsvOf(const Found& found, const CNetStructure& net) {
    std::vector<std::string> lines{"kind,number,element,weight,value"};
    for (bool conditions : {true, false}) {
        const std::optional<CSemiflowResult>& result =
            conditions ? found.sInvariants : found.tInvariants;
        if (!result)
            continue;
        for (std::size_t i = 0; i < result->semiflows.size(); ++i) {
            const CSemiflow& flow = result->semiflows[i];
            for (std::size_t k = 0; k < flow.support.size(); ++k)
                lines.push_back(std::string(conditions ? "s-invariant," : "t-invariant,") +
                                std::to_string(i + 1) + "," +
                                Csv(NameOf(net, conditions, flow.support[k])) + "," +
                                std::to_string(flow.weights[k]) + "," +
                                (conditions ? std::to_string(flow.initialValue) : ""));
        }
    }
    if (found.siphons)
        for (std::size_t i = 0; i < found.siphons->siphons.size(); ++i) {
            const CSiphon& siphon = found.siphons->siphons[i];
            for (int c : siphon.conditions)
                lines.push_back("siphon," + std::to_string(i + 1) + "," +
                                Csv(net.ConditionName(c)) + ",,");
            if (found.traps)
                for (int c : siphon.trap)
                    lines.push_back("trap," + std::to_string(i + 1) + "," +
                                    Csv(net.ConditionName(c)) + ",," +
                                    (siphon.trapMarked ? "1" : "0"));
        }
    return lines;
}

} // namespace

std::vector<CQuestion::Option> FormatOptions() {
    return {{"--format", "F", "text (the default), csv or json", false, {"text", "csv", "json"}},
            {"--limit", "N", "list at most N of each kind (1000 by default)"}};
}

std::string Limit(const CQuestionContext& context, std::size_t& limit) {
    limit = 1000;
    if (!context.Has("--limit"))
        return {};
    const auto n = TextValues::Number(context.Value("--limit"), 1, 100000000);
    if (!n)
        return "--limit takes a number from 1, not '" + context.Value("--limit") + "'";
    limit = static_cast<std::size_t>(*n);
    return {};
}

CAnswer Answer(const Found& found, const CQuestionContext& context) {
    CAnswer answer;
    const std::string format = context.Value("--format", "text");
    if (format == "json") {
        answer.Add(PANE_ANALYSIS, CAnswer::Line{JsonOf(found, context.net)});
    } else if (format == "csv") {
        for (std::string& line : CsvOf(found, context.net))
            answer.Add(PANE_ANALYSIS, CAnswer::Line{std::move(line)});
    } else {
        if (found.sInvariants)
            AddInvariants(answer, *found.sInvariants, context.net, true);
        if (found.tInvariants)
            AddInvariants(answer, *found.tInvariants, context.net, false);
        if (found.siphons)
            AddSiphons(answer, *found.siphons, context.net, found.traps);
    }
    const bool cancelled =
        (found.sInvariants && found.sInvariants->end == EEnumeration::Cancelled) ||
        (found.tInvariants && found.tInvariants->end == EEnumeration::Cancelled) ||
        (found.siphons && found.siphons->end == EEnumeration::Cancelled);
    const bool overflow =
        (found.sInvariants && found.sInvariants->end == EEnumeration::Overflow) ||
        (found.tInvariants && found.tInvariants->end == EEnumeration::Overflow);
    if (cancelled || overflow) {
        answer.status = 2;
        answer.error = cancelled ? "cancelled" : "the weights grew past 64-bit integers";
    }
    return answer;
}

} // namespace StructureAnswers
