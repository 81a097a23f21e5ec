#include "cli/CCaseGraphCommand.h"

#include "base/FormatString.h"
#include "base/OutputWriter.h"
#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CCaseGraphOptions.h"

int CCaseGraphCommand::Run(const CCaseGraphOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, std::nullopt))
        return EXIT_CLI_FAILURE;
    session.Frame().SetCaseGraphLimits(options.m_nMaxCases, options.m_nMaxMemory,
                                       options.m_strMaxMemory);
    if (!session.ComputeCaseGraph())
        return EXIT_CLI_FAILURE;
    CCaseGraph& graph = session.Doc().m_caseGraph;
    WriteOutput(PANE_STANDARD,
                FormatString("Total %d case(s), %d step(s)", graph.m_nCases, graph.m_nSteps));
    if (options.m_bNames)
        graph.WriteNames();
    if (options.m_bClasses)
        graph.WriteForwardReachableClasses();
    if (options.m_bClassSummary)
        graph.WriteClassSummary();
    if (options.m_bCaseClass)
        graph.WriteCaseClass();
    if (!options.m_strXml.empty() &&
        !session.Check(graph.ExportCaseGraphXML(options.m_strXml), options.m_strXml))
        return EXIT_CLI_FAILURE;
    if (!options.m_strGraphML.empty() || !options.m_strDot.empty()) {
        const CGraphText forOtherTools = graph.GraphForOtherTools();
        if (!options.m_strGraphML.empty() &&
            !session.Check(forOtherTools.SaveGraphML(options.m_strGraphML), options.m_strGraphML))
            return EXIT_CLI_FAILURE;
        if (!options.m_strDot.empty() &&
            !session.Check(forOtherTools.SaveDot(options.m_strDot), options.m_strDot))
            return EXIT_CLI_FAILURE;
    }
    if (!options.m_strClassXml.empty() &&
        !session.Check(graph.ExportCaseClassXML(options.m_strClassXml), options.m_strClassXml))
        return EXIT_CLI_FAILURE;
    return EXIT_CLI_OK;
}
