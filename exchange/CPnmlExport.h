#pragma once

#include "base/CFileResult.h"

#include <string>

class CNetDesign;

// A net design as a PNML 2009 place/transition net: conditions become places (a token
// the initial marking 1), events transitions, edges arcs, with their positions, bend
// points, names and the names' offsets. Ids are the names made XML-safe and unique.
class CPnmlExport {
public:
    explicit CPnmlExport(const CNetDesign& net, std::string netName = {})
        : m_net(net), m_strNetName(std::move(netName)) {}

    // The document (UTF-8).
    std::string BuildXML() const;
    // Writes it to the path; an existing file is replaced only when the whole write
    // succeeds.
    CFileResult ExportXML(const std::string& path) const;

    static constexpr const char* kNamespace = "http://www.pnml.org/version-2009/grammar/pnml";
    static constexpr const char* kPtNetType = "http://www.pnml.org/version-2009/grammar/ptnet";

private:
    const CNetDesign& m_net;
    std::string m_strNetName;
};
