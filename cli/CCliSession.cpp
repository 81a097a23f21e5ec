#include "cli/CCliSession.h"

#include "base/OutputWriter.h"
#include "engines/ECaseGraphResult.h"
#include "formats/CExportInput.h"
#include "model/CPNEvent.h"
#include "platform/ExportFormats.h"

#include <new>

void CCliSession::ApplySeed(std::optional<unsigned> seed) {
    CRandomSource& random = m_doc.GetRandom();
    if (seed) {
        random.SetFixedSeed(*seed);
        random.Seed(*seed);
    } else {
        random.ClearFixedSeed();
        random.SeedWithTime();
    }
}

bool CCliSession::Load(const std::string& path, std::optional<unsigned> seed) {
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

void CCliSession::New(std::optional<unsigned> seed) {
    if (seed)
        m_doc.GetRandom().SetFixedSeed(*seed);
    m_doc.NewDocument();
    ApplySeed(seed);
}

bool CCliSession::Save(const std::string& path) {
    return Check(m_doc.OnSaveDocument(path), path);
}

bool CCliSession::Check(const CFileResult& result, const std::string& output) {
    if (result)
        return true;
    m_err << "zerin-cli: ";
    if (result.error.find(output) == std::string::npos)
        m_err << output << ": ";
    m_err << result.error << '\n';
    return false;
}

bool CCliSession::Export(const std::string& formatId, int nDiagram, const std::string& output) {
    const CExportFormat* format = ExportFormats().Find(formatId);
    if (!format)
        return Check(CFileResult::Failure("no export format " + formatId), output);
    return Check(format->Write(ModelInput(m_doc, nDiagram), output), output);
}

void CCliSession::Report(const std::string& message) {
    m_err << "zerin-cli: " << m_strFile << ": " << message << '\n';
}

bool CCliSession::ComputeCaseGraph() {
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

void CCliSession::LayOutCaseGraph() {
    m_doc.CaseGraphEditor().LayOutForShowing();
    m_doc.CaseGraphEditor().SetLaidOut();
}

bool CCliSession::UseEngine(const CEngineOptions& options, ENeeds needs) {
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

CCaseEngine* CCliSession::Analyse() {
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
