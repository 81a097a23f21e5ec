#include "cli/CQuestionCommand.h"

#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "document/CZerinDoc.h"
#include "model/CNetStructure.h"
#include "platform/CPnmlReader.h"
#include "questions/CAnswerWriter.h"
#include "questions/CQuestionAsker.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsPnml(const std::string& path) {
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return lower.size() > 5 &&
           (lower.ends_with(".pnml") || (lower.ends_with(".xml") && !lower.ends_with(".zrn")));
}

int StatusOf(const CAnswer& answer) {
    return answer.status == 0   ? EXIT_CLI_OK
           : answer.status == 1 ? EXIT_CLI_NOT_CE_SYSTEM
                                : EXIT_CLI_FAILURE;
}

} // namespace

CQuestionOptions::CQuestionOptions(const CQuestion& question)
    : CCommandOptions(question.Cli().command, Arguments::File,
                      question.Cli().synopsis.empty() ? Synopsis(question)
                                                      : question.Cli().synopsis,
                      question.Cli().description),
      m_question(question) {
    for (const CQuestion::Option& option : question.Options()) {
        if (option.valueName.empty()) {
            Flag(option.name, option.help, [this, name = option.name] { m_args[name].clear(); });
            continue;
        }
        Value(option.name, option.valueName, option.help,
              [this, option](const std::string& value) -> std::optional<std::string> {
                  if (!option.choices.empty() &&
                      std::find(option.choices.begin(), option.choices.end(), value) ==
                          option.choices.end()) {
                      std::string list;
                      for (const std::string& choice : option.choices)
                          list += (list.empty() ? "" : ", ") + choice;
                      return option.name + " takes " + list + ", not '" + value + "'";
                  }
                  std::vector<std::string>& values = m_args[option.name];
                  if (!option.repeatable)
                      values.clear();
                  values.push_back(value);
                  return std::nullopt;
              });
    }
    if (!question.NeedsOnlyTheNet())
        Engine(m_engine);
}

std::string CQuestionOptions::Synopsis(const CQuestion& question) {
    std::string text = question.Cli().command + " FILE";
    for (const CQuestion::Option& option : question.Options())
        text += " [" + option.name + (option.valueName.empty() ? "" : " " + option.valueName) +
                "]" + (option.repeatable ? "..." : "");
    if (!question.NeedsOnlyTheNet())
        text += " [--engine E] [--max-cases N] [--max-memory SIZE]";
    return text;
}

namespace CQuestionCommand {

int NeedsOf(const std::vector<const CQuestion*>& asked) {
    CCliSession::ENeeds needs = CCliSession::ENeeds::Anything;
    for (const CQuestion* question : asked) {
        if (question->Needs() == CQuestion::ENeeds::StoredGraph)
            return static_cast<int>(CCliSession::ENeeds::StoredGraph);
        if (question->Needs() == CQuestion::ENeeds::ListedCases)
            needs = CCliSession::ENeeds::Cases;
    }
    return static_cast<int>(needs);
}

int Ask(CCliSession& session, CCaseEngine* engine, const std::vector<const CQuestion*>& asked,
        const CQuestionArgs& args) {
    std::vector<const CQuestion*> byRank = asked;
    std::stable_sort(byRank.begin(), byRank.end(), [](const CQuestion* a, const CQuestion* b) {
        return a->Rank() < b->Rank();
    });
    CZerinDoc& doc = session.Doc();
    const CNetStructure net = CNetStructure::FromDesign(doc.NetDesign());
    int status = EXIT_CLI_OK;
    for (const CQuestion* question : byRank) {
        const CQuestionContext context{net, &doc, engine, args, {}, session.File()};
        const CAnswer answer = CQuestionAsker::Ask(*question, context);
        CAnswerWriter::Write(answer);
        if (!answer.error.empty())
            session.Report(answer.error);
        status = StatusOf(answer);
        if (status != EXIT_CLI_OK)
            return status;
    }
    return status;
}

int Run(const CQuestionOptions& options, CCliSession& session) {
    const CQuestion& question = options.m_question;
    if (question.NeedsOnlyTheNet() && IsPnml(options.m_strFile)) {
        // A net of another tool, read without drawing it: its names are its ids.
        session.SetFile(options.m_strFile);
        CNetStructure net;
        const CFileResult read = CPnmlReader::ImportStructure(options.m_strFile, std::nullopt, net);
        if (!read) {
            session.Report(read.error);
            return EXIT_CLI_FAILURE;
        }
        if (const std::string wrong = question.CheckArguments(net, options.m_args); !wrong.empty()) {
            session.Report(wrong);
            return EXIT_CLI_FAILURE;
        }
        const CQuestionContext context{net, nullptr, nullptr, options.m_args, {},
                                       options.m_strFile};
        const CAnswer answer = CQuestionAsker::Ask(question, context);
        CAnswerWriter::Write(answer);
        if (!answer.error.empty())
            session.Report(answer.error);
        return StatusOf(answer);
    }
    if (!session.Load(options.m_strFile, std::nullopt))
        return EXIT_CLI_FAILURE;
    if (!question.NeedsOnlyTheNet() &&
        !session.UseEngine(options.m_engine,
                           static_cast<CCliSession::ENeeds>(NeedsOf({&question}))))
        return EXIT_CLI_FAILURE;
    const std::string wrong = question.CheckArguments(
        CNetStructure::FromDesign(session.Doc().NetDesign()), options.m_args);
    if (!wrong.empty()) {
        session.Report(wrong);
        return EXIT_CLI_FAILURE;
    }
    CCaseEngine* engine = nullptr;
    if (!question.NeedsOnlyTheNet()) {
        engine = session.Analyse();
        if (!engine)
            return EXIT_CLI_FAILURE;
    }
    return Ask(session, engine, {&question}, options.m_args);
}

} // namespace CQuestionCommand
