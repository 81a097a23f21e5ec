#include "document/CDocumentFile.h"

#include "casegraph/CCaseGraph.h"
#include "base/CArchive.h"
#include "base/CArchiveException.h"
#include "base/CRandomSource.h"
#include "base/FileIO.h"
#include "document/CDocumentValidator.h"
#include "document/CZerinDoc.h"
#include "document/ZerinClassRegistry.h"
#include "model/CNetDesign.h"
#include "occurrence/COccurrenceNet.h"

#include <exception>
#include <string_view>

namespace {

constexpr std::int32_t kFileVersion = 1;

} // namespace

void CDocumentFile::ResetRecordFields(CZerinDoc& doc) {
    doc.m_nFileVersion = kFileVersion;
    doc.m_bGrid = doc.m_bGridSaved = true;
    doc.m_nGridSize = 10;
    doc.m_bNetModified = true;
    doc.m_bCaseGraphLaidOut = doc.m_bCaseGraphValid = doc.m_bContactFree = false;
    for (int& counter : doc.m_nNextName)
        counter = 1;
    doc.m_bRebuildInitialCase = doc.m_bRestartOccurrenceNet = doc.m_bCaseGraphResized = false;
}

void CDocumentFile::WriteRecord(CArchive& ar, const CZerinDoc& doc) {
    ar.WriteInt32(kFileVersion);
    // Simulation switches the grid off; the file keeps the user's setting.
    ar.WriteBool32(doc.m_bSimulation ? doc.m_bGridSaved : doc.m_bGrid);
    ar.WriteInt32(doc.m_nGridSize);
    // A graph whose steps are produced on demand is not stored: the file marks it not
    // computed, and the next simulation computes it again.
    const bool onDemand = !doc.m_caseGraph.IsStored();
    ar.WriteBool32(doc.m_bNetModified);
    ar.WriteBool32(doc.m_bCaseGraphLaidOut && !onDemand);
    ar.WriteBool32(doc.m_bCaseGraphValid && !onDemand);
    ar.WriteBool32(doc.m_bContactFree);
    for (int counter : doc.m_nNextName)
        ar.WriteInt32(counter);
    // Storing leaves every object as it is; the records are one virtual for both ways.
    const_cast<CNetDesign&>(doc.m_netDesign).Serialize(ar);
    if (doc.m_bNetModified || onDemand) {
        // The case graph and the occurrence net belong to the net as it was before the
        // edit: the file holds them empty, as the emptied graph keeps its grid sizes.
        CRandomSource random;
        CCaseGraph emptyGraph(random);
        emptyGraph.m_nGridSize = doc.m_caseGraph.m_nGridSize;
        emptyGraph.m_nMinGridSize = doc.m_caseGraph.m_nMinGridSize;
        emptyGraph.Serialize(ar);
    } else {
        const_cast<CCaseGraph&>(doc.m_caseGraph).Serialize(ar);
    }
    if (doc.m_bNetModified) {
        COccurrenceNet emptyNet;
        emptyNet.Serialize(ar);
    } else {
        const_cast<COccurrenceNet&>(doc.m_occurrenceNet).Serialize(ar);
    }
}

void CDocumentFile::ReadRecord(CArchive& ar, CZerinDoc& doc) {
    const std::int32_t version = ar.ReadInt32();
    if (version != kFileVersion)
        throw CArchiveException(CArchiveException::Cause::BadSchema, "document version");
    doc.m_nFileVersion = version;
    doc.m_bGrid = doc.m_bGridSaved = ar.ReadBool32();
    doc.m_nGridSize = ar.ReadInt32();
    doc.m_bNetModified = ar.ReadBool32();
    doc.m_bCaseGraphLaidOut = ar.ReadBool32();
    doc.m_bCaseGraphValid = ar.ReadBool32();
    doc.m_bContactFree = ar.ReadBool32();
    for (int& counter : doc.m_nNextName)
        counter = ar.ReadInt32();
    doc.m_bRebuildInitialCase = true;
    doc.m_bRestartOccurrenceNet = true;
    doc.m_bCaseGraphResized = true;
    doc.m_netDesign.Serialize(ar);
    doc.m_caseGraph.Serialize(ar);
    doc.m_occurrenceNet.Serialize(ar);
}

std::vector<std::uint8_t> CDocumentFile::Store(const CZerinDoc& doc) {
    CArchive ar;
    WriteRecord(ar, doc);
    return ar.GetBuffer();
}

CFileResult CDocumentFile::Save(const CZerinDoc& doc, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = Store(doc);
    } catch (const std::exception& e) {
        return CFileResult::Failure("Cannot save " + path + ": " + e.what());
    }
    return WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

CFileResult CDocumentFile::Read(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::string text;
    if (const CFileResult read = ReadWholeFile(path, text); !read)
        // The document's own words, then the reason the file layer had.
        return CFileResult::Failure(std::string(CArchiveException::GetOpenFailedMessage()) + " (" +
                                    read.reason + ")");
    bytes.assign(text.begin(), text.end());
    return CFileResult::Success();
}

CFileResult CDocumentFile::Load(CZerinDoc& doc, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (CFileResult read = Read(path, bytes); !read) {
        doc.DeleteContents();
        ResetRecordFields(doc);
        return read;
    }
    return LoadBytes(doc, std::move(bytes));
}

CFileResult CDocumentFile::LoadBytes(CZerinDoc& doc, std::vector<std::uint8_t> bytes) {
    doc.DeleteContents();
    const CClassRegistry registry = MakeZerinClassRegistry();
    CArchive ar(std::move(bytes), registry);
    try {
        ReadRecord(ar, doc);
        CDocumentValidator::Validate(doc, ar.GetLoadedObjects());
        // Checked as read; now the steps that need no objects of their own let go of them.
        doc.m_caseGraph.ReleasePlainSteps();
        return CFileResult::Success();
    } catch (const std::exception& e) {
        Discard(doc, ar);
        return CFileResult::Failure(CArchiveException::GetUserMessage(e));
    }
}

void CDocumentFile::Discard(CZerinDoc& doc, const CArchive& ar) {
    // The containers were empty before the load, so everything they hold now came from
    // the archive, which lists each object once: take it back from them and delete it
    // from the list, whether it was attached anywhere or not.
    doc.m_netDesign.m_listElements.clear();
    CCaseGraph& graph = doc.m_caseGraph;
    graph.m_arrCases.clear();
    graph.m_arrSteps.clear();
    graph.m_arrStepLabels.clear();
    graph.m_arrNetEvents.clear();
    graph.m_listElements.clear();
    doc.m_occurrenceNet.m_listElements.clear();
    doc.m_occurrenceNet.m_listDecorations.clear();
    for (CObject* object : ar.GetLoadedObjects())
        delete object;
    doc.DeleteContents();
    ResetRecordFields(doc);
}
