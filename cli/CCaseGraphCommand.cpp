#include "cli/CCaseGraphCommand.h"

#include "casegraph/CCaseGraph.h"
#include "engines/CNodeAdjacency.h"
#include "base/FormatString.h"
#include "base/OutputWriter.h"
#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CCaseGraphOptions.h"

#include <utility>

namespace {

// The first option that lists the steps of the stored graph, or nothing.
const char* StoredGraphOption(const CCaseGraphOptions& options) {
    if (options.m_bNames)
        return "--names";
    if (options.m_bClasses)
        return "--classes";
    if (!options.m_strXml.empty())
        return "--xml";
    if (!options.m_strClassXml.empty())
        return "--class-xml";
    if (!options.m_strGraphML.empty())
        return "--graphml";
    if (!options.m_strDot.empty())
        return "--dot";
    return nullptr;
}

} // namespace

int CCaseGraphCommand::Run(const CCaseGraphOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, std::nullopt))
        return EXIT_CLI_FAILURE;
    // What lists the steps needs them stored; what lists the cases needs them one by one.
    const char* storedOption = StoredGraphOption(options);
    const CCliSession::ENeeds needs = storedOption ? CCliSession::ENeeds::StoredGraph
                                      : options.m_bClassSummary || options.m_bCaseClass
                                          ? CCliSession::ENeeds::Cases
                                          : CCliSession::ENeeds::Anything;
    if (!session.UseEngine(options.m_engine, needs))
        return EXIT_CLI_FAILURE;
    CCaseEngine* analysis = session.Analyse();
    if (!analysis)
        return EXIT_CLI_FAILURE;
    WriteOutput(PANE_STANDARD, "Total " + analysis->CountCases() + " case(s), " +
                                   analysis->CountSteps() + " step(s)");
    if (options.m_bContactFree)
        WriteOutput(PANE_STANDARD, analysis->IsContactFree() ? "System is contact-free"
                                                             : "System is not contact-free");
    if (options.m_bForward)
        WriteOutput(PANE_STANDARD, "Reached by forward steps from the initial case: " +
                                       analysis->CountForwardCases() + " case(s)");
    const CCaseGraph& graph = session.Doc().CaseGraph();
    if (options.m_bNames)
        graph.WriteNames();
    if (options.m_bClasses)
        session.Doc().CaseGraphEditor().WriteForwardReachableClasses();
    if (options.m_bClassSummary)
        CCaseGraph::WriteClassSummary(*analysis->ForwardAdjacency());
    if (options.m_bCaseClass) {
        WriteOutput(PANE_ANALYSIS, "Writing out case class...");
        for (int i = 0; i < analysis->CaseCount(); ++i)
            WriteOutput(PANE_ANALYSIS, analysis->Case(i).ToString(false));
        WriteOutput(PANE_ANALYSIS, FormatString("Total %d case(s)", analysis->CaseCount()));
    }
    // The files in the order of the options' help; the first that fails ends the command.
    const std::pair<const char*, const std::string*> files[] = {
        {"casegraph", &options.m_strXml},
        {"graphml", &options.m_strGraphML},
        {"dot", &options.m_strDot},
        {"caseclass", &options.m_strClassXml}};
    for (const auto& [format, output] : files)
        if (!output->empty() && !session.Export(format, CZerinDoc::DIAGRAM_CASE_GRAPH, *output))
            return EXIT_CLI_FAILURE;
    return EXIT_CLI_OK;
}
