#include "properties/CPropertyFileReader.h"

#include "base/FileIO.h"
#include "model/CNetStructure.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <unordered_map>

namespace {

using EKind = CFormula::EKind;

struct Failure {
    long line;
    std::string reason;
};

bool Is(const xmlNode* node, const char* name) {
    return std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

std::string NameOf(const xmlNode* node) {
    return reinterpret_cast<const char*>(node->name);
}

[[noreturn]] void Fail(const xmlNode* node, std::string reason) {
    throw Failure{node ? static_cast<long>(xmlGetLineNo(node)) : 0, std::move(reason)};
}

std::vector<const xmlNode*> Children(const xmlNode* node) {
    std::vector<const xmlNode*> result;
    for (const xmlNode* c = node->children; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE)
            result.push_back(c);
    return result;
}

std::string TextOf(const xmlNode* node) {
    std::string text;
    for (const xmlNode* c = node->children; c; c = c->next)
        if (c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE)
            text += reinterpret_cast<const char*>(c->content);
    const auto begin = text.find_first_not_of(" \t\r\n");
    const auto end = text.find_last_not_of(" \t\r\n");
    return begin == std::string::npos ? std::string() : text.substr(begin, end - begin + 1);
}

const xmlNode* OnlyChild(const xmlNode* node) {
    const auto children = Children(node);
    if (children.size() != 1)
        Fail(node, "<" + NameOf(node) + "> needs exactly one element inside, not " +
                       std::to_string(children.size()));
    return children.front();
}

// Turns the elements of one formula into a tree.
class CFormulaBuilder {
public:
    CFormulaBuilder(const CNetStructure& net, bool ltl) : m_bLtl(ltl) {
        for (std::size_t c = 0; c < net.ConditionCount(); ++c)
            m_mapPlaces.emplace(net.ConditionName(static_cast<int>(c)), static_cast<int>(c));
        for (std::size_t e = 0; e < net.EventCount(); ++e)
            m_mapTransitions.emplace(net.EventName(static_cast<int>(e)), static_cast<int>(e));
    }

    FormulaPtr Top(const xmlNode* node) {
        if (Is(node, "place-bound"))
            return CFormula::Bound(Names(node, "place", m_mapPlaces));
        return Negated(node, 1);
    }

private:
    static constexpr int kMaxDepth = 2000;

    void Deeper(const xmlNode* node, int depth) {
        if (depth > kMaxDepth)
            Fail(node, "the formula is nested too deeply");
    }

    // The whole formula under negations: LTL where the file is, or where the quantifier
    // stands before more than CTL allows; state or CTL otherwise.
    FormulaPtr Negated(const xmlNode* node, int depth) {
        Deeper(node, depth);
        if (Is(node, "negation"))
            return CFormula::Not(Negated(OnlyChild(node), depth + 1));
        const bool all = Is(node, "all-paths");
        if ((all || Is(node, "exists-path")) && (m_bLtl || !IsCtlPath(OnlyChild(node))))
            return CFormula::Quantified(all, Path(OnlyChild(node), depth + 1));
        return State(node, depth);
    }

    static bool IsTemporal(const xmlNode* node) {
        return Is(node, "next") || Is(node, "finally") || Is(node, "globally") || Is(node, "until");
    }

    // Whether a temporal operator stands in the formula outside any quantifier.
    static bool HasBareTemporal(const xmlNode* node) {
        if (IsTemporal(node))
            return true;
        if (Is(node, "all-paths") || Is(node, "exists-path"))
            return false;
        for (const xmlNode* c : Children(node))
            if (HasBareTemporal(c))
                return true;
        return false;
    }

    // One temporal operator over state or CTL formulas: what CTL puts after a quantifier.
    static bool IsCtlPath(const xmlNode* node) {
        if (!IsTemporal(node))
            return false;
        for (const xmlNode* c : Children(node)) {
            const bool part = Is(c, "before") || Is(c, "reach");
            for (const xmlNode* operand : part ? Children(c) : std::vector<const xmlNode*>{c})
                if (HasBareTemporal(operand))
                    return false;
        }
        return true;
    }

    std::vector<int> Names(const xmlNode* node, const char* element,
                           const std::unordered_map<std::string, int>& known) {
        std::vector<int> result;
        for (const xmlNode* c : Children(node)) {
            if (!Is(c, element))
                Fail(c, "<" + NameOf(c) + "> where a <" + element + "> belongs");
            const std::string id = TextOf(c);
            const auto it = known.find(id);
            if (it == known.end())
                Fail(c, std::string("unknown ") + element + " '" + id + "'");
            result.push_back(it->second);
        }
        return result;
    }

    CFormula::Term Term(const xmlNode* node) {
        if (Is(node, "tokens-count"))
            return CFormula::Term::Count(Names(node, "place", m_mapPlaces));
        if (Is(node, "integer-constant")) {
            const std::string text = TextOf(node);
            long long value = 0;
            if (text.empty() || text.size() > 18 ||
                text.find_first_not_of("0123456789") != std::string::npos)
                Fail(node, "'" + text + "' is no number of tokens");
            for (char c : text)
                value = value * 10 + (c - '0');
            return CFormula::Term::Constant(value);
        }
        Fail(node, "<" + NameOf(node) + "> is no integer expression this reader knows");
    }

    // The connectives and atoms shared by state and path formulas; null for others.
    FormulaPtr Common(const xmlNode* node, int depth, bool path) {
        const auto sub = [&](const xmlNode* c) {
            return path ? Path(c, depth + 1) : State(c, depth + 1);
        };
        if (Is(node, "negation"))
            return CFormula::Not(sub(OnlyChild(node)));
        if (Is(node, "conjunction") || Is(node, "disjunction")) {
            std::vector<FormulaPtr> operands;
            for (const xmlNode* c : Children(node))
                operands.push_back(sub(c));
            if (operands.size() < 2)
                Fail(node, "<" + NameOf(node) + "> needs two or more elements inside");
            return Is(node, "conjunction") ? CFormula::And(std::move(operands))
                                           : CFormula::Or(std::move(operands));
        }
        if (Is(node, "is-fireable"))
            return CFormula::Fireable(Names(node, "transition", m_mapTransitions));
        if (Is(node, "integer-le")) {
            const auto children = Children(node);
            if (children.size() != 2)
                Fail(node, "<integer-le> compares exactly two integer expressions");
            return CFormula::Compare(Term(children[0]), CFormula::ECompare::LessEqual,
                                     Term(children[1]));
        }
        if (Is(node, "true"))
            return CFormula::True();
        if (Is(node, "false"))
            return CFormula::False();
        if (Is(node, "deadlock"))
            return CFormula::Deadlock();
        return nullptr;
    }

    // A state or CTL formula.
    FormulaPtr State(const xmlNode* node, int depth) {
        Deeper(node, depth);
        if (FormulaPtr f = Common(node, depth, false))
            return f;
        const bool all = Is(node, "all-paths");
        if (!all && !Is(node, "exists-path")) {
            if (Is(node, "place-bound"))
                Fail(node, "<place-bound> stands only for the whole formula");
            Fail(node, "<" + NameOf(node) + "> is no formula this reader knows");
        }
        if (m_bLtl)
            Fail(node, "in an LTL file a path quantifier stands only for the whole formula");
        const xmlNode* op = OnlyChild(node);
        if (!IsCtlPath(op))
            Fail(node, "a path quantifier inside a formula must stand before one of next, "
                       "finally, globally or until over state formulas");
        if (Is(op, "until")) {
            const auto [before, reach] = UntilParts(op);
            FormulaPtr p = State(before, depth + 2), q = State(reach, depth + 2);
            return all ? CFormula::AU(p, q) : CFormula::EU(p, q);
        }
        const EKind kind = Is(op, "next")      ? (all ? EKind::AX : EKind::EX)
                           : Is(op, "finally") ? (all ? EKind::AF : EKind::EF)
                                               : (all ? EKind::AG : EKind::EG);
        return CFormula::Ctl(kind, State(OnlyChild(op), depth + 2));
    }

    std::pair<const xmlNode*, const xmlNode*> UntilParts(const xmlNode* node) {
        const auto children = Children(node);
        if (children.size() != 2 || !Is(children[0], "before") || !Is(children[1], "reach"))
            Fail(node, "<until> holds a <before> and a <reach>");
        return {OnlyChild(children[0]), OnlyChild(children[1])};
    }

    // An LTL path formula.
    FormulaPtr Path(const xmlNode* node, int depth) {
        Deeper(node, depth);
        if (FormulaPtr f = Common(node, depth, true))
            return f;
        if (Is(node, "until")) {
            const auto [before, reach] = UntilParts(node);
            return CFormula::Until(Path(before, depth + 2), Path(reach, depth + 2));
        }
        const EKind kind = Is(node, "next")       ? EKind::Next
                           : Is(node, "finally")  ? EKind::Finally
                           : Is(node, "globally") ? EKind::Globally
                                                  : EKind::True;
        if (kind == EKind::True) {
            if (Is(node, "all-paths") || Is(node, "exists-path"))
                Fail(node, "a path quantifier cannot stand inside a path formula");
            Fail(node, "<" + NameOf(node) + "> is no path formula this reader knows");
        }
        return CFormula::Path(kind, Path(OnlyChild(node), depth + 1));
    }

    bool m_bLtl;
    std::unordered_map<std::string, int> m_mapPlaces;
    std::unordered_map<std::string, int> m_mapTransitions;
};

struct DocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
struct ContextFree {
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};

std::string TooLarge(const std::string& name) {
    return name + ": the file is larger than " +
           std::to_string(CPropertyFileReader::kMaxBytes >> 20) + " MB";
}

} // namespace

bool CPropertyFileReader::ReadFile(const std::string& path, ELogic logic) {
    m_arrProperties.clear();
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > static_cast<std::uintmax_t>(kMaxBytes)) {
        m_strError = TooLarge(path);
        return false;
    }
    std::string bytes;
    const CFileResult read = ReadWholeFile(path, bytes);
    if (!read) {
        m_strError = read.error;
        return false;
    }
    return Read(bytes, path, logic);
}

bool CPropertyFileReader::Read(const std::string& bytes, const std::string& name, ELogic logic) {
    m_arrProperties.clear();
    m_strError.clear();
    if (static_cast<long long>(bytes.size()) > kMaxBytes) {
        m_strError = TooLarge(name);
        return false;
    }
    if (logic == ELogic::Auto) {
        const std::string file = std::filesystem::path(name).filename().string();
        logic = file.find("LTL") != std::string::npos ? ELogic::Ltl : ELogic::Ctl;
    }
    std::unique_ptr<xmlParserCtxt, ContextFree> context(xmlNewParserCtxt());
    if (!context) {
        m_strError = name + ": out of memory";
        return false;
    }
    // No network, no entities substituted, no external subset loaded; silent, since the
    // error comes back as the message.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    std::unique_ptr<xmlDoc, DocFree> doc(xmlCtxtReadMemory(context.get(), bytes.data(),
                                                           static_cast<int>(bytes.size()),
                                                           name.c_str(), nullptr, options));
    if (!doc) {
        const xmlError* error = xmlCtxtGetLastError(context.get());
        std::string message = error && error->message ? error->message : "not well-formed XML";
        while (!message.empty() && std::isspace(static_cast<unsigned char>(message.back())))
            message.pop_back();
        m_strError = name + ":" + std::to_string(error ? error->line : 0) + ": " + message;
        return false;
    }
    try {
        if (doc->intSubset || doc->extSubset)
            throw Failure{std::max(1L, doc->intSubset ? xmlGetLineNo(reinterpret_cast<xmlNode*>(
                                                            doc->intSubset))
                                                      : 1L),
                          "a document type declaration is not accepted"};
        const xmlNode* root = xmlDocGetRootElement(doc.get());
        if (!root || !Is(root, "property-set"))
            Fail(root, "the document is no <property-set>");
        CFormulaBuilder builder(m_net, logic == ELogic::Ltl);
        for (const xmlNode* property : Children(root)) {
            if (!Is(property, "property"))
                Fail(property, "<" + NameOf(property) + "> inside <property-set>");
            CProperty read;
            const xmlNode* formula = nullptr;
            for (const xmlNode* part : Children(property)) {
                if (Is(part, "id"))
                    read.id = TextOf(part);
                else if (Is(part, "formula"))
                    formula = part;
            }
            if (read.id.empty())
                Fail(property, "a <property> without an <id>");
            if (!formula)
                Fail(property, "the property '" + read.id + "' has no <formula>");
            read.formula = builder.Top(OnlyChild(formula));
            m_arrProperties.push_back(std::move(read));
        }
    } catch (const Failure& failure) {
        m_arrProperties.clear();
        m_strError = name + ":" + std::to_string(failure.line) + ": " + failure.reason;
        return false;
    }
    return true;
}
