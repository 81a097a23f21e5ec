#include "questions/CAnswerWriter.h"

#include "base/OutputWriter.h"

namespace {

struct LinesOf {
    std::vector<std::string>& lines;

    void operator()(const CAnswer::Line& line) const { lines.push_back(line.text); }
    void operator()(const CAnswer::Verdict& verdict) const {
        lines.push_back(verdict.sentence.empty() ? CAnswerWriter::ContestLine(verdict)
                                                 : verdict.sentence);
    }
    // A count without a sentence is data for scripts alone.
    void operator()(const CAnswer::Count& count) const {
        if (!count.sentence.empty())
            lines.push_back(count.sentence);
    }
    void operator()(const CAnswer::Cases& cases) const {
        if (!cases.heading.empty())
            lines.push_back(cases.heading);
        lines.insert(lines.end(), cases.cases.begin(), cases.cases.end());
        if (!cases.total.empty())
            lines.push_back(cases.total);
    }
    void operator()(const CAnswer::Run& run) const {
        if (run.caseRun) {
            for (std::string& line : run.caseRun->Describe())
                lines.push_back(std::move(line));
            return;
        }
        lines.push_back("from " + run.from);
        for (std::size_t k = 0; k < run.steps.size(); ++k) {
            if (run.end == CAnswer::Run::EEnd::Loop && k == run.loopStart)
                lines.push_back("loop:");
            const CAnswer::Run::Step& step = run.steps[k];
            lines.push_back("step " + std::to_string(k + 1) + ": " + step.events +
                            (step.forward ? "" : " backward") + " \u2192 " + step.to);
        }
        if (run.end == CAnswer::Run::EEnd::Loop)
            lines.push_back("and round the loop again, for ever");
        else if (run.end == CAnswer::Run::EEnd::Deadlock)
            lines.push_back("and there no event has concession");
    }
    void operator()(const CAnswer::Table& table) const {
        if (!table.heading.empty())
            lines.push_back(table.heading);
        if (!table.lines.empty()) {
            lines.insert(lines.end(), table.lines.begin(), table.lines.end());
        } else {
            for (const std::vector<std::string>& row : table.rows) {
                std::string text;
                for (const std::string& cell : row)
                    text += (text.empty() ? "" : " ") + cell;
                lines.push_back(text);
            }
        }
        if (!table.complete)
            lines.push_back("(and more)");
    }
};

} // namespace

std::vector<std::string> CAnswerWriter::Lines(const CAnswer::Part& part) {
    std::vector<std::string> lines;
    std::visit(LinesOf{lines}, part);
    return lines;
}

void CAnswerWriter::Write(const CAnswer& answer) {
    for (const CAnswer::Entry& entry : answer.parts)
        for (const std::string& line : Lines(entry.part))
            WriteOutput(entry.pane, line);
}

std::string CAnswerWriter::ContestLine(const CAnswer::Verdict& verdict) {
    std::string value;
    switch (verdict.value) {
    case CAnswer::Verdict::EValue::True:
        value = "TRUE";
        break;
    case CAnswer::Verdict::EValue::False:
        value = "FALSE";
        break;
    case CAnswer::Verdict::EValue::Number:
        value = verdict.number;
        break;
    default:
        return "FORMULA " + verdict.id + " CANNOT_COMPUTE";
    }
    std::string line = "FORMULA " + verdict.id + " " + value + " TECHNIQUES";
    for (const std::string& word : verdict.techniques)
        line += " " + word;
    return line;
}
