#pragma once

#include "base/CFileResult.h"

#include <string>

class CNetDesign;

// The "netdesign" XML export: the conditions with their initial token, the events and
// the edges of a net design, each in list order, named by their name labels.
class CNetDesignExport {
public:
    explicit CNetDesignExport(const CNetDesign& net) : m_net(net) {}

    // The document text (UTF-8, declared as windows-1250).
    std::string BuildXML() const;
    // Writes the document to the path in Windows-1250; an existing file is replaced
    // only when the whole write succeeds.
    CFileResult ExportXML(const std::string& path) const;

private:
    const CNetDesign& m_net;
};
