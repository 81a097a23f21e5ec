// The readable language and the contest's XML: what the parser makes of the text, the
// faults it names, the printer's text read back to the same tree, the XML read to the
// same tree as its readable form (and so to the same answers), and the faults of the
// XML named with the file and the line.

#include "model/CNetDesign.h"
#include "model/CNetStructure.h"
#include "properties/CFormulaParser.h"
#include "properties/CFormulaPrinter.h"
#include "properties/CPropertyChecker.h"
#include "properties/CPropertyFileReader.h"
#include "support/NetFamilies.h"
#include "support/RandomFormulas.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

namespace {

using EKind = CFormula::EKind;

CNetStructure Philosophers(int n) {
    CNetDesign design;
    BuildDiningPhilosophers(design, n);
    return CNetStructure::FromDesign(design);
}

// The contest's XML of a formula that it can express (comparisons <=, no -> or <->).
class CXmlWriter {
public:
    explicit CXmlWriter(const CNetStructure& net) : m_net(net) {}

    std::string Document(const std::vector<FormulaPtr>& formulas) const {
        std::string xml = "<?xml version=\"1.0\"?>\n<property-set xmlns=\"http://mcc.lip6.fr/\">\n";
        for (std::size_t i = 0; i < formulas.size(); ++i)
            xml += "<property><id>f-" + std::to_string(i) +
                   "</id><description>x</description><formula>" + Write(*formulas[i]) +
                   "</formula></property>\n";
        return xml + "</property-set>\n";
    }

private:
    std::string Names(const std::vector<int>& elements, bool events) const {
        std::string out;
        for (int e : elements)
            out += events ? "<transition>" + m_net.EventName(e) + "</transition>"
                          : "<place>" + m_net.ConditionName(e) + "</place>";
        return out;
    }
    std::string Term(const CFormula::Term& t) const {
        return t.count ? "<tokens-count>" + Names(t.conditions, false) + "</tokens-count>"
                       : "<integer-constant>" + std::to_string(t.value) + "</integer-constant>";
    }
    std::string Wrap(const char* tag, const std::string& inside) const {
        return std::string("<") + tag + ">" + inside + "</" + tag + ">";
    }
    std::string Write(const CFormula& f) const {
        const auto op = [&](std::size_t i) { return Write(*f.Operand(i)); };
        const auto until = [&](const char* q) {
            return Wrap(q, Wrap("until", Wrap("before", op(0)) + Wrap("reach", op(1))));
        };
        switch (f.Kind()) {
        case EKind::True:
            return "<true/>";
        case EKind::False:
            return "<false/>";
        case EKind::Deadlock:
            return "<deadlock/>";
        case EKind::Fireable:
            return Wrap("is-fireable", Names(f.Elements(), true));
        case EKind::Bound:
            return Wrap("place-bound", Names(f.Elements(), false));
        case EKind::Compare:
            return Wrap("integer-le", Term(f.Left()) + Term(f.Right()));
        case EKind::Not:
            return Wrap("negation", op(0));
        case EKind::And:
        case EKind::Or: {
            std::string inside;
            for (std::size_t i = 0; i < f.Operands().size(); ++i)
                inside += op(i);
            return Wrap(f.Kind() == EKind::And ? "conjunction" : "disjunction", inside);
        }
        case EKind::EX:
            return Wrap("exists-path", Wrap("next", op(0)));
        case EKind::AX:
            return Wrap("all-paths", Wrap("next", op(0)));
        case EKind::EF:
            return Wrap("exists-path", Wrap("finally", op(0)));
        case EKind::AF:
            return Wrap("all-paths", Wrap("finally", op(0)));
        case EKind::EG:
            return Wrap("exists-path", Wrap("globally", op(0)));
        case EKind::AG:
            return Wrap("all-paths", Wrap("globally", op(0)));
        case EKind::EU:
            return until("exists-path");
        case EKind::AU:
            return until("all-paths");
        case EKind::PathA:
            return Wrap("all-paths", op(0));
        case EKind::PathE:
            return Wrap("exists-path", op(0));
        case EKind::Next:
            return Wrap("next", op(0));
        case EKind::Finally:
            return Wrap("finally", op(0));
        case EKind::Globally:
            return Wrap("globally", op(0));
        case EKind::Until:
            return Wrap("until", Wrap("before", op(0)) + Wrap("reach", op(1)));
        default:
            return "<unexpressible/>";
        }
    }

    const CNetStructure& m_net;
};

// The same formula with what XML cannot say said otherwise: a condition as a count of
// one at least, a < b as !(b <= a), -> and <-> by their definitions.
FormulaPtr Expressible(const FormulaPtr& f) {
    using T = CFormula::Term;
    using C = CFormula::ECompare;
    const auto le = [](const T& a, const T& b) { return CFormula::Compare(a, C::LessEqual, b); };
    switch (f->Kind()) {
    case EKind::Condition:
        return le(T::Constant(1), T::Count(f->Elements()));
    case EKind::Compare:
        switch (f->Comparison()) {
        case C::LessEqual:
            return f;
        case C::GreaterEqual:
            return le(f->Right(), f->Left());
        case C::Less:
            return CFormula::Not(le(f->Right(), f->Left()));
        case C::Greater:
            return CFormula::Not(le(f->Left(), f->Right()));
        case C::Equal:
            return CFormula::And({le(f->Left(), f->Right()), le(f->Right(), f->Left())});
        case C::NotEqual:
            return CFormula::Not(
                CFormula::And({le(f->Left(), f->Right()), le(f->Right(), f->Left())}));
        }
        return f;
    case EKind::Implies:
        return CFormula::Or(
            {CFormula::Not(Expressible(f->Operand(0))), Expressible(f->Operand(1))});
    case EKind::Iff: {
        const auto a = Expressible(f->Operand(0)), b = Expressible(f->Operand(1));
        return CFormula::Or(
            {CFormula::And({a, b}), CFormula::And({CFormula::Not(a), CFormula::Not(b)})});
    }
    default: {
        if (f->Operands().empty())
            return f;
        std::vector<FormulaPtr> ops;
        for (const FormulaPtr& o : f->Operands())
            ops.push_back(Expressible(o));
        switch (f->Kind()) {
        case EKind::Not:
            return CFormula::Not(ops[0]);
        case EKind::And:
            return CFormula::And(ops);
        case EKind::Or:
            return CFormula::Or(ops);
        case EKind::EU:
            return CFormula::EU(ops[0], ops[1]);
        case EKind::AU:
            return CFormula::AU(ops[0], ops[1]);
        case EKind::Until:
            return CFormula::Until(ops[0], ops[1]);
        case EKind::PathA:
        case EKind::PathE:
            return CFormula::Quantified(f->Kind() == EKind::PathA, ops[0]);
        case EKind::Next:
        case EKind::Finally:
        case EKind::Globally:
            return CFormula::Path(f->Kind(), ops[0]);
        default:
            return CFormula::Ctl(f->Kind(), ops[0]);
        }
    }
    }
}

} // namespace

TEST(FormulaLanguage, ReadsTheOperatorsWithTheirPrecedence) {
    const CNetStructure net = Philosophers(3);
    CFormulaParser parser(net);
    CFormulaPrinter printer(net);
    // Text, and the tree as the printer writes it, parenthesized wherever it nests.
    const struct {
        const char* text;
        const char* tree;
    } rows[] = {
        {"EF (eat_0 & eat_2)", "EF (eat_0 & eat_2)"},
        {"AG !deadlock", "AG !deadlock"},
        {"A G F fireable(take_1)", "A G F fireable(take_1)"},
        {"E (think_0 U eat_0)", "E (think_0 U eat_0)"},
        {"#(think_0, eat_0, fork_0) <= 1", "#(think_0, eat_0, fork_0) <= 1"},
        {"eat_0 | eat_1 & eat_2", "eat_0 | eat_1 & eat_2"},
        {"(eat_0 | eat_1) & eat_2", "(eat_0 | eat_1) & eat_2"},
        {"eat_0 & (eat_1 & eat_2)", "eat_0 & (eat_1 & eat_2)"},
        {"eat_0 -> eat_1 -> eat_2", "eat_0 -> (eat_1 -> eat_2)"},
        {"eat_0 <-> eat_1 <-> eat_2", "(eat_0 <-> eat_1) <-> eat_2"},
        {"!eat_0 & eat_1", "!eat_0 & eat_1"},
        {"EF eat_0 & AG eat_1", "EF eat_0 & AG eat_1"},
        {"A (eat_0 U eat_1 U eat_2)", "A (eat_0 U (eat_1 U eat_2))"},
        {"A (eat_0 U eat_1)", "A (eat_0 U eat_1)"},
        {"A X eat_0", "A X eat_0"},
        {"AX eat_0", "AX eat_0"},
        {"! A (F eat_0 | G eat_1)", "!A (F eat_0 | G eat_1)"},
        {"2 > #(eat_0) | #(eat_1) != #(eat_2, eat_2)",
         "2 > #(eat_0) | #(eat_1) != #(eat_2, eat_2)"},
        {"true & false | fireable()", "true & false | fireable()"},
        {"bound(fork_0, fork_1)", "bound(fork_0, fork_1)"},
        {"\"eat_0\"", "eat_0"},
        {"EG AF E (AX eat_0 U EX eat_1)", "EG AF E (AX eat_0 U EX eat_1)"},
    };
    for (const auto& row : rows) {
        const FormulaPtr f = parser.Parse(row.text);
        ASSERT_TRUE(f) << row.text << ": " << parser.GetError().message;
        EXPECT_EQ(printer.Print(*f), row.tree) << row.text;
    }
    // The two untils under A: CTL's for state formulas, LTL's around path formulas.
    EXPECT_EQ(parser.Parse("A (eat_0 U eat_1)")->Kind(), EKind::AU);
    EXPECT_EQ(parser.Parse("A (eat_0 U X eat_1)")->Kind(), EKind::PathA);
    EXPECT_EQ(parser.Parse("A X eat_0")->Kind(), EKind::PathA);
    EXPECT_EQ(parser.Parse("AX eat_0")->Kind(), EKind::AX);
}

TEST(FormulaLanguage, NamesThePositionAndTheFault) {
    const CNetStructure net = Philosophers(3);
    CFormulaParser parser(net);
    using E = CFormulaParser::EError;
    const struct {
        std::string text;
        E kind;
        std::size_t position;
        const char* name;
    } rows[] = {
        {"EF (eat_0 & eat_9)", E::UnknownCondition, 12, "eat_9"},
        {"fireable(take_0, tak_1)", E::UnknownEvent, 17, "tak_1"},
        {"#(fork_0, take_0) <= 1", E::UnknownCondition, 10, "take_0"},
        {"EF (eat_0", E::Syntax, 9, ""},
        {"eat_0 eat_1", E::Syntax, 6, "eat_1"},
        {"eat_0 $ eat_1", E::Syntax, 6, "$"},
        {"#(eat_0)", E::Syntax, 8, ""},
        {"#(eat_0) < ", E::Syntax, 11, ""},
        {"fireable(take_0 take_1)", E::Syntax, 16, "take_1"},
        {"fireable(true)", E::Syntax, 9, "true"},
        {"\"eat_0", E::Syntax, 0, ""},
        {"99999999999999999999 <= #(eat_0)", E::Syntax, 0, "99999999999999999999"},
        {"G eat_0", E::Misplaced, 0, "G"},
        {"eat_0 U eat_1", E::Misplaced, 6, "U"},
        {"EF A G eat_0", E::Misplaced, 3, "A"},
        {"A G A F eat_0", E::Misplaced, 4, "A"},
        {"A (EF eat_0 U X eat_1)", E::Misplaced, 3, "EF"},
        {"A G eat_0 & A F eat_1", E::Misplaced, 0, "A"},
        {"EF bound(eat_0)", E::Misplaced, 3, "bound"},
        {std::string(3000, '!') + "true", E::TooDeep, CFormulaParser::kMaxDepth - 1, "!"},
    };
    for (const auto& row : rows) {
        EXPECT_FALSE(parser.Parse(row.text)) << row.text;
        const auto& error = parser.GetError();
        EXPECT_EQ(error.kind, row.kind) << row.text << ": " << error.message;
        EXPECT_EQ(error.position, row.position) << row.text << ": " << error.message;
        EXPECT_EQ(error.name, row.name) << row.text;
        EXPECT_NE(error.message.find("column " + std::to_string(row.position + 1) + ":"),
                  std::string::npos)
            << error.message;
    }
}

TEST(FormulaLanguage, PrintedFormulasReadBackToTheSameTree) {
    for (int seed = 0; seed < 30; ++seed) {
        std::mt19937 gen(static_cast<unsigned>(seed));
        CNetDesign design;
        BuildRandomNet(design, gen, 3 + seed % 5, 2 + seed % 4);
        CNetStructure net = CNetStructure::FromDesign(design);
        // Names the language must quote: a word of its own, blanks, quotes, nothing.
        const char* awkward[] = {"F", "a b", "say \"x\"\\", "", "A", "deadlock", "1st"};
        net.AddCondition(awkward[seed % 7], seed % 2 == 0);
        CRandomFormulas random(net, gen);
        CFormulaParser parser(net);
        CFormulaPrinter printer(net);
        for (int k = 0; k < 40; ++k) {
            const FormulaPtr formulas[] = {random.State(3), random.Reachability(3), random.Ctl(4),
                                           random.Ltl(4), random.Bound()};
            for (const FormulaPtr& f : formulas) {
                const std::string text = printer.Print(*f);
                const FormulaPtr back = parser.Parse(text);
                ASSERT_TRUE(back) << text << ": " << parser.GetError().message;
                EXPECT_TRUE(*back == *f) << text << " read back as " << printer.Print(*back);
            }
        }
    }
}

TEST(FormulaLanguage, TheXmlAndTheReadableFormGiveTheSameFormulaAndAnswer) {
    for (int seed = 0; seed < 20; ++seed) {
        std::mt19937 gen(static_cast<unsigned>(seed));
        CNetDesign design;
        BuildRandomNet(design, gen, 4 + seed % 5, 3 + seed % 4);
        const CNetStructure net = CNetStructure::FromDesign(design);
        CRandomFormulas random(net, gen);
        for (bool ltl : {false, true}) {
            std::vector<FormulaPtr> formulas;
            for (int k = 0; k < 16; ++k)
                formulas.push_back(Expressible(ltl     ? random.Ltl(3)
                                               : k % 4 ? random.Ctl(3)
                                                       : random.Bound()));
            CPropertyFileReader reader(net);
            ASSERT_TRUE(reader.Read(CXmlWriter(net).Document(formulas),
                                    ltl ? "LTLCardinality.xml" : "CTLCardinality.xml"))
                << reader.Error();
            ASSERT_EQ(reader.Properties().size(), formulas.size());
            CFormulaParser parser(net);
            std::vector<CProperty> readable;
            for (std::size_t i = 0; i < formulas.size(); ++i) {
                const CProperty& read = reader.Properties()[i];
                EXPECT_EQ(read.id, "f-" + std::to_string(i));
                EXPECT_TRUE(*read.formula == *formulas[i]);
                readable.push_back(
                    {read.id, parser.Parse(CFormulaPrinter(net).Print(*read.formula))});
                ASSERT_TRUE(readable.back().formula) << parser.GetError().message;
            }
            CPropertyChecker checker(net);
            const auto a = checker.Check(reader.Properties());
            const auto b = checker.Check(readable);
            for (std::size_t i = 0; i < a.size(); ++i) {
                EXPECT_EQ(a[i].verdict, b[i].verdict);
                EXPECT_EQ(a[i].number, b[i].number);
            }
        }
    }
}

TEST(FormulaLanguage, NextIsReadAsTheFileSaysInACaseWithoutConcession) {
    // One condition, no event: the initial case has no concession.
    CNetStructure net;
    net.AddCondition("p");
    const std::string xml =
        "<property-set><property><id>x</id><formula><all-paths><next><integer-le>"
        "<integer-constant>1</integer-constant><tokens-count><place>p</place></tokens-count>"
        "</integer-le></next></all-paths></formula></property></property-set>";
    CPropertyChecker checker(net);
    CPropertyFileReader reader(net);
    // CTL: AX p holds where there is no step; LTL: the run stays in the case, where p fails.
    ASSERT_TRUE(reader.Read(xml, "CTLFireability.xml"));
    EXPECT_EQ(checker.Check(reader.Properties()[0]).verdict, EVerdict::True);
    ASSERT_TRUE(reader.Read(xml, "LTLFireability.xml"));
    EXPECT_EQ(checker.Check(reader.Properties()[0]).verdict, EVerdict::False);
}

TEST(PropertyFile, NamesTheFileTheLineAndTheReason) {
    CNetStructure net;
    net.AddCondition("p1");
    net.AddEvent("t1");
    const auto property = [](const std::string& formula) {
        return "<property-set>\n<property>\n<id>x</id>\n<formula>\n" + formula +
               "\n</formula>\n</property>\n</property-set>\n";
    };
    const struct {
        std::string xml;
        const char* error;
    } rows[] = {
        {property("<is-fireable><transition>t9</transition></is-fireable>"),
         "f.xml:5: unknown transition 't9'"},
        {property("<integer-le><tokens-count><place>p9</place></tokens-count>"
                  "<integer-constant>1</integer-constant></integer-le>"),
         "f.xml:5: unknown place 'p9'"},
        {property("<integer-le><integer-constant>-1</integer-constant>\n<integer-constant>1</"
                  "integer-constant></integer-le>"),
         "f.xml:5: '-1' is no number of tokens"},
        {property("<integer-le><integer-constant>1</integer-constant></integer-le>"),
         "f.xml:5: <integer-le> compares exactly two integer expressions"},
        {property("<negation>\n<place-bound><place>p1</place></place-bound></negation>"),
         "f.xml:6: <place-bound> stands only for the whole formula"},
        {property("<exists-path><finally><globally><true/></globally></finally></exists-path>"
                  "\n"),
         ""},
        {property("<conjunction><true/><exists-path><finally><globally><true/></globally></finally>"
                  "</exists-path></conjunction>"),
         "f.xml:5: a path quantifier inside a formula must stand before one of next, finally, "
         "globally or until over state formulas"},
        {property("<is-live><transition>t1</transition></is-live>"),
         "f.xml:5: <is-live> is no formula this reader knows"},
        {property("<true/><false/>"), "f.xml:4: <formula> needs exactly one element inside, not 2"},
        {"<property-set><property><formula><true/></formula></property></property-set>",
         "f.xml:1: a <property> without an <id>"},
        {"<property-set><property><id>x</id></property></property-set>",
         "f.xml:1: the property 'x' has no <formula>"},
        {"<properties/>", "f.xml:1: the document is no <property-set>"},
        {"<property-set>\n<property>", "f.xml:2: "},
        {"<!DOCTYPE property-set [<!ENTITY big \"x\">]>\n<property-set/>",
         "f.xml:1: a document type declaration is not accepted"},
        {"<!DOCTYPE property-set SYSTEM \"http://example.org/x.dtd\">\n<property-set/>",
         "f.xml:1: a document type declaration is not accepted"},
    };
    for (const auto& row : rows) {
        CPropertyFileReader reader(net);
        const bool ok = reader.Read(row.xml, "f.xml");
        EXPECT_EQ(ok, std::string(row.error).empty()) << row.xml;
        EXPECT_EQ(reader.Error().substr(0, std::string(row.error).size()), row.error)
            << reader.Error();
        if (!ok) {
            EXPECT_TRUE(reader.Properties().empty());
        }
    }
    // An LTL file: quantifiers stand only at the top.
    CPropertyFileReader reader(net);
    EXPECT_FALSE(reader.Read(property("<all-paths><globally><all-paths><finally><true/></finally>"
                                      "</all-paths></globally></all-paths>"),
                             "LTLFireability.xml"));
    EXPECT_EQ(reader.Error(),
              "LTLFireability.xml:5: a path quantifier cannot stand inside a path formula");
    // Too large, told before reading.
    TempFolder folder;
    const std::string big = folder.Path("big.xml");
    std::ofstream(big).put('<');
    std::filesystem::resize_file(big, CPropertyFileReader::kMaxBytes + 1);
    EXPECT_FALSE(reader.ReadFile(big));
    EXPECT_EQ(reader.Error(), big + ": the file is larger than 64 MB");
    EXPECT_FALSE(reader.ReadFile(folder.Path("none.xml")));
    EXPECT_NE(reader.Error().find("none.xml"), std::string::npos);
}
