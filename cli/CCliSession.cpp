#include "cli/CCliSession.h"

#include "engines/CCaseEngineChoice.h"
#include "engines/CCasesEngine.h"
#include "casegraph/CStoredEngine.h"
#include "engines/CSymbolicEngine.h"
#include "engines/ECaseGraphResult.h"
#include "base/OutputWriter.h"
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
    m_doc.CaseGraph().DeleteContents(true);
    const bool passed = m_doc.TestNet();
    SetOutputSink(sink);
    // As a passed entry leaves it, so that the next entry need not test again.
    m_doc.AdoptCaseGraph(passed);
    // A graph past a limit or one that did not fit in memory is reported, not taken
    // for an empty one; nothing of it is kept.
    if (const auto& limit = m_frame.GetLimitReached()) {
        m_doc.CaseGraph().DeleteContents(false);
        Report(*limit);
        return false;
    }
    if (const auto& error = m_frame.GetLastError()) {
        Report(*error);
        return false;
    }
    try {
        m_doc.CaseGraph().NameElements(m_dc);
    } catch (const std::bad_alloc&) {
        m_doc.CaseGraph().DeleteContents(false);
        Report(kCaseGraphTooLarge);
        return false;
    }
    return true;
}

void CCliSession::LayOutCaseGraph() {
    m_doc.CaseGraph().InitialLayout();
    m_doc.SetCaseGraphLaidOut();
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
    m_doc.SetCaseEngine(needs == ENeeds::StoredGraph ? ECaseEngine::Explicit : engine);
    return true;
}

std::unique_ptr<CCaseEngine> CCliSession::Analyse() {
    const ECaseEngine engine = m_engine.engine;
    const bool sayWhich = engine == ECaseEngine::Auto;
    auto stored = [&]() -> std::unique_ptr<CCaseEngine> {
        m_doc.SetCaseEngine(ECaseEngine::Explicit);
        if (!ComputeCaseGraph())
            return nullptr;
        return std::make_unique<CStoredEngine>(m_doc.CaseGraph());
    };
    if (engine == ECaseEngine::Explicit)
        return stored();
    if (m_eNeeds == ENeeds::StoredGraph) {
        Report("engine: explicit (what is asked lists the steps)");
        return stored();
    }

    // The structure as the test builds it, as quietly.
    COutputSink* sink = SetOutputSink(nullptr);
    m_doc.BuildInitialCase();
    SetOutputSink(sink);
    const std::vector<CPNEvent*> events = m_doc.NetDesign().GetEvents();
    CCaseEngineHost host;
    host.progress = [this](int n, int arcs) { return m_frame.CaseGraphProgress(n, arcs); };
    host.memoryLeft = [this] { return m_frame.CaseGraphMemoryBudget(); };
    host.stoppedForMemory = [this] { return m_frame.TakeOutOfMemory(); };
    CCaseEngineChoice choice = CCaseEngineChoice::Make(engine, m_eNeeds == ENeeds::Anything, events,
                                                       m_doc.InitialCase(), host);
    if (sayWhich && choice.m_bCasesDidNotFit)
        Report("engine: symbolic (the cases do not fit in memory)");
    if (choice.m_eResult != ECaseGraphResult::Completed) {
        const std::string memory = m_engine.maxMemory > 0
                                       ? "not enough memory: the case graph needs more than " +
                                             m_engine.maxMemoryText + " (--max-memory)"
                                       : std::string(kCaseGraphTooLarge);
        Report(m_frame.GetLimitReached().value_or(memory));
        return nullptr;
    }
    const std::string need = MemoryText(choice.m_nStoredBytes);
    switch (choice.m_eEngine) {
    case ECaseEngine::Cases:
        if (sayWhich)
            Report("engine: cases (the steps are produced on demand; the stored case graph "
                   "would take about " +
                   need + ")");
        return std::move(choice.m_pCases);
    case ECaseEngine::Symbolic:
        return std::move(choice.m_pSymbolic);
    default:
        if (sayWhich)
            Report("engine: explicit (the stored case graph, about " + need + ")");
        return stored();
    }
}
