#pragma once

#include "base/CFileResult.h"
#include "exchange/CPnmlImport.h"
#include "exchange/CPnmlNet.h"

#include <optional>
#include <string>
#include <vector>

// Reads the nets of a PNML file: the nodes and arcs of every page, nested pages and
// nets flattened, with or without the 2009 namespace, labels as <text> or as the
// older <value>, tool-specific parts skipped. No external entity is fetched; a file
// larger than kMaxBytes or nested deeper than kMaxDepth is refused.
class CDC;
class CNetDesign;
class CNetStructure;

class CPnmlReader {
public:
    static constexpr long long kMaxBytes = 256LL * 1024 * 1024;
    static constexpr int kMaxDepth = 1000;

    // Reads the file; false with the reason (naming the file) in Error().
    bool ReadFile(const std::string& path);
    // Reads a document held in memory; the name stands for it in messages.
    bool Read(const std::string& bytes, const std::string& name);

    // The file's net (the one with the id, or its only one) into the empty net
    // design; on failure the reason names the file, and the design stays empty.
    // notCENet tells a net refused for what it is from a file that cannot be read.
    static CFileResult Import(const std::string& path, const std::optional<std::string>& netId,
                              int gridSize, CNetDesign& design, CDC& dc,
                              const CPnmlImport::NewName& newName, bool* notCENet = nullptr);
    // The file's net as numbers, without drawing it, places and transitions named by
    // their ids (CPnmlImport::BuildStructure): what the analyses of a contest model
    // read. On failure the reason names the file.
    static CFileResult ImportStructure(const std::string& path,
                                       const std::optional<std::string>& netId, CNetStructure& net,
                                       bool* notCENet = nullptr);
    // The same for a file read already (ReadFile succeeded).
    CFileResult ImportNet(const std::optional<std::string>& netId, int gridSize, CNetDesign& design,
                          CDC& dc, const CPnmlImport::NewName& newName, bool* notCENet = nullptr);

    const std::vector<CPnmlNet>& Nets() const { return m_nets; }
    const std::string& Error() const { return m_strError; }

    // The one net to import: the net with the id, or the only net of the file; null
    // with the reason in Error() when there is no such net or there are several.
    const CPnmlNet* Select(const std::optional<std::string>& netId);

private:
    std::vector<CPnmlNet> m_nets;
    std::string m_strError;
    std::string m_strName;
};
