#include "cli/CLayoutCommand.h"

#include "base/FormatString.h"
#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CLayoutOptions.h"
#include "layout/CSmoothCaseGraphSession.h"

int CLayoutCommand::Run(const CLayoutOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, options.m_seed) ||
        !session.UseEngine(options.m_engine, CCliSession::ENeeds::StoredGraph))
        return EXIT_CLI_FAILURE;
    if (!session.ComputeCaseGraph())
        return EXIT_CLI_FAILURE;
    session.LayOutCaseGraph();
    CZerinDoc& doc = session.Doc();
    const CCaseGraph& graph = doc.CaseGraph();

    // The smoothing dialog's part: Start, the generations, Stop, then OK when a search
    // ran (which applies the best placement) and Cancel otherwise.
    int generations = 0;
    unsigned fitness = 0;
    int intersections = 0;
    CSize extent = graph.Extent();
    const bool applied =
        doc.CaseGraphEditor().Smooth(extent, [&](CSmoothCaseGraphSession& smoothing) {
            if (options.m_population) {
                CGASettings settings = smoothing.GetSettings();
                settings.m_nPopulationSize = *options.m_population;
                smoothing.ApplySettings(settings);
            }
            // The first step makes the population, the others breed the generations asked for.
            if (options.m_nGenerations > 0 && smoothing.Start()) {
                do
                    smoothing.RunGeneration();
                while (smoothing.GetGenerations() < options.m_nGenerations);
                smoothing.Stop();
            }
            generations = smoothing.GetGenerations();
            fitness = smoothing.GetFitness();
            intersections = smoothing.GetIntersections();
            return options.m_nGenerations > 0;
        });
    if (applied)
        doc.SetModifiedFlag();
    session.Out() << FormatString("Generations: %d", generations) << '\n'
                  << FormatString("Fitness: %u", fitness) << '\n'
                  << FormatString("Intersections: %d", intersections) << '\n';
    if (options.m_strOutput.empty())
        return EXIT_CLI_OK;
    // A document keeps a case graph only for a tested net; the user asked for one.
    if (doc.Record().netModified) {
        session.Report("the net is not a C/E system, the saved document holds no case graph");
        doc.CaseGraphEditor().SetLaidOut(false);
    }
    if (!session.Save(options.m_strOutput))
        return EXIT_CLI_FAILURE;
    return EXIT_CLI_OK;
}
