// Reads arbitrary bytes as a formula of the readable language (first byte even) or as a
// contest property file (odd) over the dining philosophers. A text is read or refused
// with the place and the reason; what is read prints to a text that reads back to the
// same tree, and is answered within a second or left open with a reason. Anything else,
// a crash, a leak, undefined behaviour or a hang is a finding.

#include "model/CNetDesign.h"
#include "model/CNetStructure.h"
#include "properties/CFormulaParser.h"
#include "properties/CFormulaPrinter.h"
#include "properties/CPropertyChecker.h"
#include "properties/CPropertyFileReader.h"
#include "support/NetFamilies.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Finding(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

const CNetStructure& Net() {
    static const CNetStructure net = [] {
        CNetDesign design;
        BuildDiningPhilosophers(design, 3);
        return CNetStructure::FromDesign(design);
    }();
    return net;
}

void ExpectReadsBack(const CFormula& formula) {
    const std::string text = CFormulaPrinter(Net()).Print(formula);
    CFormulaParser parser(Net());
    const FormulaPtr back = parser.Parse(text);
    if (!back || !(*back == formula))
        Finding("a printed formula does not read back to itself");
}

void ExpectAnswered(const CProperty& property) {
    CPropertyChecker checker(Net());
    const CPropertyResult result = checker.Check(property, CCheckLimits{1.0, 256u << 20, {}});
    if (result.verdict == EVerdict::CannotCompute && result.reason == EStopReason::None)
        Finding("a question left open without a reason");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 2 == 0) {
        CFormulaParser parser(Net());
        const FormulaPtr f = parser.Parse(text);
        if (!f) {
            if (parser.GetError().message.empty() || parser.GetError().position > text.size())
                Finding("a refused formula without its place and reason");
            return 0;
        }
        ExpectReadsBack(*f);
        ExpectAnswered(CProperty{"fuzz", f});
        return 0;
    }
    CPropertyFileReader reader(Net());
    if (!reader.Read(text, data[0] % 4 == 1 ? "LTLFireability.xml" : "CTLFireability.xml")) {
        if (reader.Error().rfind("LTLFireability.xml:", 0) != 0 &&
            reader.Error().rfind("CTLFireability.xml:", 0) != 0)
            Finding("a refused file without its name and line");
        return 0;
    }
    for (const CProperty& property : reader.Properties()) {
        ExpectReadsBack(*property.formula);
        ExpectAnswered(property);
    }
    return 0;
}
