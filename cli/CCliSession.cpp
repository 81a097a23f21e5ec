#include "cli/CCliSession.h"

#include "analysis/ECaseGraphResult.h"
#include "base/OutputWriter.h"

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

void CCliSession::Report(const std::string& message) {
    m_err << "zerin-cli: " << m_strFile << ": " << message << '\n';
}

bool CCliSession::ComputeCaseGraph() {
    COutputSink* sink = SetOutputSink(nullptr);
    // A fresh layout: the places of a graph the file held are not reused.
    m_doc.m_caseGraph.DeleteContents(true);
    const bool passed = m_doc.TestNet();
    SetOutputSink(sink);
    // As a passed entry leaves it, so that the next entry need not test again.
    m_doc.m_bNetModified = !passed;
    m_doc.m_bCaseGraphValid = passed;
    m_doc.m_bContactFree = passed && m_doc.m_caseGraph.IsContactFree();
    m_doc.m_bCaseGraphLaidOut = false;
    // A graph past a limit or one that did not fit in memory is reported, not taken
    // for an empty one; nothing of it is kept.
    if (const auto& limit = m_frame.GetLimitReached()) {
        m_doc.m_caseGraph.DeleteContents(false);
        Report(*limit);
        return false;
    }
    if (const auto& error = m_frame.GetLastError()) {
        Report(*error);
        return false;
    }
    try {
        m_doc.m_caseGraph.NameElements(m_dc);
    } catch (const std::bad_alloc&) {
        m_doc.m_caseGraph.DeleteContents(false);
        Report(kCaseGraphTooLarge);
        return false;
    }
    return true;
}

void CCliSession::LayOutCaseGraph() {
    m_doc.m_caseGraph.InitialLayout();
    m_doc.SetCaseGraphLaidOut();
}
