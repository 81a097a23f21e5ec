#include "platform/CHeadlessSession.h"

#include "base/FormatString.h"
#include "base/OutputWriter.h"
#include "document/CAutomaticRun.h"
#include "engines/ECaseGraphResult.h"
#include "formats/CExportInput.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "platform/CPnmlReader.h"
#include "platform/ExportFormats.h"

#include <new>

void CHeadlessSession::ApplySeed(std::optional<unsigned> seed) {
    CRandomSource& random = m_doc.GetRandom();
    if (seed) {
        random.SetFixedSeed(*seed);
        random.Seed(*seed);
    } else {
        random.ClearFixedSeed();
        random.SeedWithTime();
    }
}

bool CHeadlessSession::Load(const std::string& path, std::optional<unsigned> seed) {
    m_strFile = path;
    if (seed)
        m_doc.GetRandom().SetFixedSeed(*seed);
    const CFileResult result = m_doc.OnOpenDocument(path);
    if (!result) {
        Report(result.error);
        return false;
    }
    ApplySeed(seed);
    return true;
}

void CHeadlessSession::New(std::optional<unsigned> seed) {
    if (seed)
        m_doc.GetRandom().SetFixedSeed(*seed);
    m_doc.NewDocument();
    ApplySeed(seed);
}

bool CHeadlessSession::Save(const std::string& path) {
    return Check(m_doc.OnSaveDocument(path), path);
}

bool CHeadlessSession::Import(const std::string& path, const std::optional<std::string>& netId,
                              bool& notCENet) {
    New(std::nullopt);
    m_strFile = path;
    notCENet = false;
    CNetDesign imported;
    int next[2] = {1, 1};
    const CFileResult result = CPnmlReader::Import(
        path, netId, m_doc.Record().gridSize, imported, m_dc,
        [&next](bool event) { return FormatString(event ? "e%d" : "b%d", next[event ? 1 : 0]++); },
        &notCENet);
    if (!result)
        return Check(result, path);
    m_doc.ReplaceNet(imported, next[0], next[1]);
    return true;
}

bool CHeadlessSession::Check(const CFileResult& result, const std::string& output) {
    if (result)
        return true;
    Tell(result.error.find(output) == std::string::npos ? output + ": " + result.error
                                                        : result.error);
    return false;
}

bool CHeadlessSession::Export(const std::string& formatId, int nDiagram, const std::string& output,
                              bool standalone) {
    const CExportFormat* format = ExportFormats().Find(formatId);
    if (!format)
        return Check(CFileResult::Failure("no export format " + formatId), output);
    return Check(format->Write(ModelInput(m_doc, nDiagram, standalone), output), output);
}

void CHeadlessSession::Report(const std::string& message) {
    // A reader's message names the file already.
    const bool named = message.rfind(m_strFile + ": ", 0) == 0;
    Tell(named ? message : m_strFile + ": " + message);
}

bool CHeadlessSession::ComputeCaseGraph() {
    COutputSink* sink = SetOutputSink(nullptr);
    // A fresh layout: the places of a graph the file held are not reused.
    m_doc.Simulation().ForgetCaseClass(true);
    const bool passed = m_doc.Simulation().TestNet();
    SetOutputSink(sink);
    // As a passed entry leaves it, so that the next entry need not test again.
    m_doc.Simulation().AdoptCaseGraph(passed);
    // A graph past a limit or one that did not fit in memory is reported, not taken
    // for an empty one; nothing of it is kept.
    if (const auto& limit = m_frame.GetLimitReached()) {
        m_doc.Simulation().ForgetCaseClass(false);
        Report(*limit);
        return false;
    }
    if (const auto& error = m_frame.GetLastError()) {
        Report(*error);
        return false;
    }
    try {
        m_doc.CaseGraphEditor().Name(m_dc, true);
    } catch (const std::bad_alloc&) {
        m_doc.Simulation().ForgetCaseClass(false);
        Report(kCaseGraphTooLarge);
        return false;
    }
    return true;
}

void CHeadlessSession::LayOutCaseGraph() {
    m_doc.CaseGraphEditor().LayOutForShowing();
    m_doc.CaseGraphEditor().SetLaidOut();
}

bool CHeadlessSession::UseEngine(const CEngineOptions& options, ENeeds needs) {
    m_engine = options;
    m_eNeeds = needs;
    m_frame.SetCaseGraphLimits(options.maxCases, options.maxMemory, options.maxMemoryText);
    const ECaseEngine engine = options.engine;
    if (needs == ENeeds::StoredGraph && engine != ECaseEngine::Auto &&
        engine != ECaseEngine::Explicit) {
        Report(std::string("--engine ") + CaseEngineName(engine) +
               ": this needs the stored case graph (--engine explicit or auto)");
        return false;
    }
    if (needs == ENeeds::Cases && engine == ECaseEngine::Symbolic) {
        Report("--engine symbolic: this needs the cases one by one (--engine cases, explicit or "
               "auto)");
        return false;
    }
    m_doc.Simulation().SetEngineChoice(needs == ENeeds::StoredGraph ? ECaseEngine::Explicit
                                                                    : engine);
    return true;
}

CCaseEngine* CHeadlessSession::Analyse() {
    const ECaseEngine engine = m_engine.engine;
    const bool sayWhich = engine == ECaseEngine::Auto;
    auto stored = [&]() -> CCaseEngine* {
        m_doc.Simulation().SetEngineChoice(ECaseEngine::Explicit);
        if (!ComputeCaseGraph())
            return nullptr;
        return m_doc.Simulation().Engine();
    };
    if (engine == ECaseEngine::Explicit)
        return stored();
    // What lists the steps takes the stored graph as the test leaves it, named.
    if (m_eNeeds == ENeeds::StoredGraph) {
        Report(CCaseEngineChoice::Make(engine, m_eNeeds, {}, {}, {}).ChoiceLine());
        return stored();
    }

    // The structure as the test builds it, as quietly.
    COutputSink* sink = SetOutputSink(nullptr);
    m_doc.Simulation().BuildInitialCase();
    SetOutputSink(sink);
    // The class is kept by the engine alone: nothing of it is drawn.
    const CSimulation::Computed computed = m_doc.Simulation().ComputeCaseClass(
        engine, m_eNeeds, [this](int n, int arcs) { return m_frame.CaseGraphProgress(n, arcs); },
        false);
    if (sayWhich && computed.casesDidNotFit)
        Report(computed.choiceLine);
    if (computed.result != ECaseGraphResult::Completed) {
        const std::string memory = m_engine.maxMemory > 0
                                       ? "not enough memory: the case graph needs more than " +
                                             m_engine.maxMemoryText + " (--max-memory)"
                                       : std::string(kCaseGraphTooLarge);
        Report(m_frame.GetLimitReached().value_or(memory));
        return nullptr;
    }
    if (sayWhich && !computed.casesDidNotFit)
        Report(computed.choiceLine);
    return m_doc.Simulation().Engine();
}

CHeadlessSession::ETest CHeadlessSession::EnterWithFullTest() {
    m_frame.ClearLastError();
    m_doc.SetNetModified();
    m_doc.Simulation().Enter();
    if (m_doc.Simulation().IsActive())
        return ETest::CESystem;
    // A case graph that did not fit in memory says nothing about the net.
    if (const auto& error = m_frame.GetLastError()) {
        Report(*error);
        return ETest::Failed;
    }
    return ETest::NotCESystem;
}

bool CHeadlessSession::SetBreakpoints(const std::vector<std::vector<std::string>>& cases) {
    const CBreakPoints& breakPoints = m_doc.Simulation().RefillBreakPoints();
    std::vector<std::uint32_t> indices;
    for (const std::vector<std::string>& names : cases) {
        CSetConditions wanted;
        for (const std::string& name : names) {
            CPNCondition* condition = m_doc.NetDesign().FindCondition(name);
            if (!condition) {
                Report("--break-at: no condition is named '" + name + "'");
                return false;
            }
            wanted.Add(condition);
        }
        bool found = false;
        for (int i = 0; i < breakPoints.m_nCases; ++i)
            if (breakPoints.GetCase(i).IsEqual(wanted)) {
                indices.push_back(static_cast<std::uint32_t>(i));
                found = true;
            }
        // A case the net never reaches cannot stop the run; the user should know.
        if (!found)
            Report("--break-at: the case " + wanted.ToString(false) +
                   " is not reachable, the breakpoint is never reached");
    }
    m_doc.Simulation().SetBreakpoints(indices);
    return true;
}

void CHeadlessSession::RunAutomatically(int steps, bool largest, const StepFired& fired) {
    CAutomaticRun run;
    int count = 0;
    run.Run(
        m_doc,
        [&] {
            // A limit of no step presses stop before the first step is fired.
            if (count >= steps) {
                run.Stop();
                m_doc.Selection().Clear();
                return CAutomaticRun::STEP_FINISHED;
            }
            const std::list<CPNElement*> step = m_doc.Selection().Elements();
            const int result = CAutomaticRun::ExecuteStepWithoutAnimation(m_doc);
            const bool goOn = !fired || fired(step);
            if (++count >= steps || !goOn)
                run.Stop();
            return result;
        },
        largest ? CAutomaticRun::CHOOSE_LARGEST : CAutomaticRun::CHOOSE_RANDOM);
}
