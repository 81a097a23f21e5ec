#pragma once

#include "properties/CProperty.h"

#include <string>
#include <vector>

class CNetStructure;

// Reads a property file of the Model Checking Contest (<property-set> of <property>
// with an <id> and a <formula>) into formulas over the net, places and transitions
// named by their PNML ids. Nothing is fetched from outside: a document type declaration
// is refused, as is a file larger than kMaxBytes. An error names the file, the line and
// the reason ("file.xml:12: unknown place 'P9'").
//
// The same XML means two things in CTL and in LTL files: all-paths(next(p)) is CTL's AX
// (true in a case without concession) in one and LTL's A X p (the run stays in that
// case for ever, so p must hold there) in the other. The logic says which; Auto takes
// LTL for a file whose name holds "LTL", as the contest names them.
class CPropertyFileReader {
public:
    enum class ELogic { Auto, Ctl, Ltl };
    static constexpr long long kMaxBytes = 64LL * 1024 * 1024;
    static constexpr int kMaxDepth = 2000;

    explicit CPropertyFileReader(const CNetStructure& net) : m_net(net) {}

    // False with the reason in Error(); the properties read are those of the file.
    bool ReadFile(const std::string& path, ELogic logic = ELogic::Auto);
    // A document held in memory; the name stands for it in messages.
    bool Read(const std::string& bytes, const std::string& name, ELogic logic = ELogic::Auto);

    const std::vector<CProperty>& Properties() const { return m_arrProperties; }
    const std::string& Error() const { return m_strError; }

private:
    const CNetStructure& m_net;
    std::vector<CProperty> m_arrProperties;
    std::string m_strError;
};
