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

void CDocumentFile::WriteRecord(CArchive& ar, const CZerinDoc& doc) {
    const CDocumentRecord& record = doc.Record();
    ar.WriteInt32(kFileVersion);
    // Simulation switches the grid off; the file keeps the user's setting.
    ar.WriteBool32(doc.Simulation().IsActive() ? record.gridSaved : record.grid);
    ar.WriteInt32(record.gridSize);
    // A graph whose steps are produced on demand is not stored: the file marks it not
    // computed, and the next simulation computes it again.
    const CCaseGraph& graph = doc.CaseGraph();
    const bool onDemand = !graph.HasAllSteps();
    ar.WriteBool32(record.netModified);
    ar.WriteBool32(record.caseGraphLaidOut && !onDemand);
    ar.WriteBool32(record.caseGraphValid && !onDemand);
    ar.WriteBool32(record.contactFree);
    for (int counter : record.nextName)
        ar.WriteInt32(counter);
    // Storing leaves every object as it is; the records are one virtual for both ways.
    const_cast<CNetDesign&>(doc.NetDesign()).Serialize(ar);
    if (record.netModified || onDemand) {
        // The case graph and the occurrence net belong to the net as it was before the
        // edit: the file holds them empty, as the emptied graph keeps its grid sizes.
        CRandomSource random;
        CCaseGraph emptyGraph(random);
        emptyGraph.SetGridSizes(graph.GridSize(), graph.MinGridSize());
        emptyGraph.Serialize(ar);
    } else {
        const_cast<CCaseGraph&>(graph).Serialize(ar);
    }
    if (record.netModified) {
        COccurrenceNet emptyNet;
        emptyNet.Serialize(ar);
    } else {
        const_cast<COccurrenceNet&>(doc.OccurrenceNet()).Serialize(ar);
    }
}

void CDocumentFile::ReadRecord(CArchive& ar, CZerinDoc& doc) {
    const std::int32_t version = ar.ReadInt32();
    if (version != kFileVersion)
        throw CArchiveException(CArchiveException::Cause::BadSchema, "document version");
    CDocumentRecord record;
    record.fileVersion = version;
    record.grid = record.gridSaved = ar.ReadBool32();
    record.gridSize = ar.ReadInt32();
    record.netModified = ar.ReadBool32();
    record.caseGraphLaidOut = ar.ReadBool32();
    record.caseGraphValid = ar.ReadBool32();
    record.contactFree = ar.ReadBool32();
    for (int& counter : record.nextName)
        counter = ar.ReadInt32();
    record.rebuildInitialCase = true;
    record.caseGraphResized = true;
    doc.TakeRecord(record);
    doc.Simulation().Loaded();
    doc.SerializeDiagrams(ar);
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
        doc.TakeRecord(CDocumentRecord());
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
        doc.CaseGraphEditor().ReleasePlainSteps();
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
    doc.ForgetLoadedElements();
    for (CObject* object : ar.GetLoadedObjects())
        delete object;
}
