#include "../properties/RandomFormulas.h"

#include "model/CNetDesign.h"
#include "model/CNetStructure.h"
#include "properties/CFormulaPrinter.h"
#include "properties/CPropertyChecker.h"
#include "questions/CSymbolicPropertyEngine.h"
#include "support/NetFamilies.h"

#include <gtest/gtest.h>

#include <random>

// The decision diagrams answer every state and CTL formula they take as the explicit
// CTL engine does (maximal runs, EX false and AX true where nothing has concession),
// over random nets and formulas, several properties to one batch as the checker hands
// them; what they do not take (counts, LTL) stays open for the others.
TEST(SymbolicProperties, AgreeWithTheExplicitCtlEngineOnRandomFormulas) {
    int compared = 0;
    for (int seed = 0; seed < 40; ++seed) {
        std::mt19937 gen(static_cast<unsigned>(seed));
        CNetDesign design;
        BuildRandomNet(design, gen, 4 + seed % 6, 3 + seed % 5);
        design.BuildStructure();
        const CNetStructure net = CNetStructure::FromDesign(design);
        CRandomFormulas random(net, gen);
        std::vector<CProperty> properties;
        for (int k = 0; k < 12; ++k) {
            const FormulaPtr f = k % 3 == 0   ? random.State(3)
                                 : k % 3 == 1 ? random.Reachability(3)
                                              : random.Ctl(3);
            properties.push_back({"p" + std::to_string(k), f});
        }
        properties.push_back(
            {"deadlock", CFormula::Ctl(CFormula::EKind::EF, CFormula::Deadlock())});
        properties.push_back(
            {"ltl", CFormula::Quantified(
                        true, CFormula::Path(CFormula::EKind::Finally, CFormula::Deadlock()))});
        CPropertyChecker explicitCtl(net);
        explicitCtl.SetEngine(EEngine::Ctl);
        const std::vector<CPropertyResult> expected = explicitCtl.Check(properties);

        CPropertyChecker symbolic(net);
        auto engine = CSymbolicPropertyEngine::Make(net, 0, {});
        ASSERT_TRUE(engine) << seed;
        symbolic.AddEngine(std::move(engine), true);
        symbolic.SetEngine(EEngine::Symbolic);
        const std::vector<CPropertyResult> got = symbolic.Check(properties);
        for (std::size_t i = 0; i < properties.size(); ++i) {
            if (properties[i].id == "ltl") {
                EXPECT_EQ(got[i].verdict, EVerdict::CannotCompute);
                continue;
            }
            if (got[i].verdict == EVerdict::CannotCompute)
                continue; // a count in it
            ++compared;
            EXPECT_EQ(got[i].verdict, expected[i].verdict)
                << "seed " << seed << ": " << CFormulaPrinter(net).Print(*properties[i].formula);
            EXPECT_EQ(TechniqueWords(got[i].techniques),
                      std::vector<std::string>{"DECISION_DIAGRAMS"});
        }
    }
    EXPECT_GT(compared, 200);
}

// Without the drawn elements the engine has nothing to fire: none is made.
TEST(SymbolicProperties, NoEngineForANetOfNumbersAlone) {
    CNetStructure net;
    const int a = net.AddCondition("a", true), b = net.AddCondition("b");
    const int e = net.AddEvent("e");
    net.AddPre(e, a);
    net.AddPost(e, b);
    EXPECT_FALSE(CSymbolicPropertyEngine::Make(net, 0, {}));
}
