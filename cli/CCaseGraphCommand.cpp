#include "cli/CCaseGraphCommand.h"

#include "cli/CCliSession.h"
#include "cli/CQuestionCommand.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CCaseGraphOptions.h"
#include "questions/CQuestionRegistry.h"

#include <utility>

int CCaseGraphCommand::Run(const CCaseGraphOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, std::nullopt))
        return EXIT_CLI_FAILURE;
    // The questions asked by their flags, and those the command always answers.
    std::vector<const CQuestion*> asked = options.m_arrAsked;
    for (const auto& question : Questions().Questions())
        if (question->Cli().command == "casegraph" && question->Cli().always)
            asked.push_back(question.get());
    // What lists the steps needs them stored; what lists the cases needs them one by one.
    const bool files = !options.m_strXml.empty() || !options.m_strClassXml.empty() ||
                       !options.m_strGraphML.empty() || !options.m_strDot.empty();
    const auto needs = files ? CCliSession::ENeeds::StoredGraph
                             : static_cast<CCliSession::ENeeds>(CQuestionCommand::NeedsOf(asked));
    if (!session.UseEngine(options.m_engine, needs))
        return EXIT_CLI_FAILURE;
    CCaseEngine* engine = session.Analyse();
    if (!engine)
        return EXIT_CLI_FAILURE;
    if (const int status = CQuestionCommand::Ask(session, engine, asked, {}); status != EXIT_CLI_OK)
        return status;
    // The files in the order of the options' help; the first that fails ends the command.
    const std::pair<const char*, const std::string*> written[] = {
        {"casegraph", &options.m_strXml},
        {"graphml", &options.m_strGraphML},
        {"dot", &options.m_strDot},
        {"caseclass", &options.m_strClassXml}};
    for (const auto& [format, output] : written)
        if (!output->empty() && !session.Export(format, CZerinDoc::DIAGRAM_CASE_GRAPH, *output))
            return EXIT_CLI_FAILURE;
    return EXIT_CLI_OK;
}
