#include "properties/CFormulaParser.h"

#include "model/CNetStructure.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <limits>

namespace {

using EKind = CFormula::EKind;

constexpr std::array<const char*, 17> kKeywords = {
    "true", "false", "deadlock", "fireable", "bound", "A",  "E",  "X", "F",
    "G",    "U",     "EX",       "AX",       "EF",    "AG", "EG", "AF"};

// The symbols, longer ones first so that "<->" is not read as "<" and "->".
constexpr std::array<const char*, 16> kSymbols = {"<->", "->", "<=", ">=", "!=", "==", "<", ">",
                                                  "=",   "!",  "&",  "|",  "(",  ")",  ",", "#"};

struct CtlWord {
    const char* word;
    EKind kind;
};
constexpr std::array<CtlWord, 6> kCtlWords = {{{"EX", EKind::EX},
                                               {"AX", EKind::AX},
                                               {"EF", EKind::EF},
                                               {"AG", EKind::AG},
                                               {"EG", EKind::EG},
                                               {"AF", EKind::AF}}};

bool IsNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

std::string Shown(const std::string& token) {
    return token.empty() ? "the end" : "'" + token + "'";
}

} // namespace

CFormulaParser::CFormulaParser(const CNetStructure& net) {
    // A name given twice stands for the first element with it, as the net's Find does.
    for (std::size_t c = 0; c < net.ConditionCount(); ++c)
        m_mapConditions.emplace(net.ConditionName(static_cast<int>(c)), static_cast<int>(c));
    for (std::size_t e = 0; e < net.EventCount(); ++e)
        m_mapEvents.emplace(net.EventName(static_cast<int>(e)), static_cast<int>(e));
}

bool CFormulaParser::IsKeyword(const std::string& word) {
    for (const char* k : kKeywords)
        if (word == k)
            return true;
    return false;
}

bool CFormulaParser::IsPlainName(const std::string& name) {
    if (name.empty() || !IsNameStart(name[0]) || IsKeyword(name))
        return false;
    for (char c : name)
        if (!IsNameChar(c))
            return false;
    return true;
}

void CFormulaParser::Fail(EError kind, std::size_t position, const std::string& name,
                          const std::string& message) {
    m_error =
        Error{kind, position, name, "column " + std::to_string(position + 1) + ": " + message};
    throw Failure{};
}

void CFormulaParser::FailAtToken(const std::string& expected) {
    const Token& t = Peek();
    Fail(EError::Syntax, t.position, t.text,
         "expected " + expected + " but found " + Shown(t.text));
}

void CFormulaParser::Tokenize(const std::string& text) {
    m_arrTokens.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        Token token;
        token.position = i;
        if (IsNameStart(c)) {
            std::size_t end = i;
            while (end < text.size() && IsNameChar(text[end]))
                ++end;
            token.kind = EToken::Word;
            token.text = text.substr(i, end - i);
            i = end;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            std::size_t end = i;
            while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
                ++end;
            token.kind = EToken::Number;
            token.text = text.substr(i, end - i);
            i = end;
        } else if (c == '"') {
            token.kind = EToken::Quoted;
            for (++i;; ++i) {
                if (i >= text.size())
                    Fail(EError::Syntax, token.position, "", "a quoted name is not closed");
                if (text[i] == '"')
                    break;
                if (text[i] == '\\' && i + 1 < text.size())
                    ++i;
                token.text += text[i];
            }
            ++i;
        } else {
            const char* symbol = nullptr;
            for (const char* s : kSymbols)
                if (text.compare(i, std::strlen(s), s) == 0) {
                    symbol = s;
                    break;
                }
            if (!symbol)
                Fail(EError::Syntax, i, std::string(1, c),
                     "unexpected character '" + std::string(1, c) + "'");
            token.kind = EToken::Symbol;
            token.text = symbol;
            i += std::strlen(symbol);
        }
        m_arrTokens.push_back(std::move(token));
    }
    m_arrTokens.push_back(Token{EToken::End, "", text.size()});
}

bool CFormulaParser::IsSymbol(const char* symbol) const {
    return Peek().kind == EToken::Symbol && Peek().text == symbol;
}

bool CFormulaParser::IsWord(const char* word) const {
    return Peek().kind == EToken::Word && Peek().text == word;
}

void CFormulaParser::Expect(const char* symbol) {
    if (!IsSymbol(symbol))
        FailAtToken(std::string("'") + symbol + "'");
    ++m_nNext;
}

FormulaPtr CFormulaParser::Parse(const std::string& text) {
    m_error = Error{};
    m_nNext = 0;
    m_nDepth = 0;
    m_bInPath = false;
    m_arrTopOnly.clear();
    m_arrCtlInPath.clear();
    try {
        Tokenize(text);
        FormulaPtr f = ParseIff();
        if (Peek().kind != EToken::End)
            FailAtToken("an operator or the end");
        CheckPlacement(f);
        return f;
    } catch (const Failure&) {
        return nullptr;
    }
}

void CFormulaParser::CheckPlacement(const FormulaPtr& root) {
    const CFormula* top = root.get();
    while (top->Kind() == EKind::Not)
        top = top->Operand().get();
    for (const auto& [node, position] : m_arrTopOnly) {
        if (node->Kind() == EKind::Bound && node != root.get())
            Fail(EError::Misplaced, position, "bound",
                 "bound(...) stands only for the whole formula");
        if (node->Kind() != EKind::Bound && node != top)
            Fail(EError::Misplaced, position, node->Kind() == EKind::PathA ? "A" : "E",
                 "A or E before a path formula stands only for the whole formula");
    }
}

FormulaPtr CFormulaParser::ParseIff() {
    if (++m_nDepth > kMaxDepth)
        Fail(EError::TooDeep, Peek().position, Peek().text, "the formula is nested too deeply");
    FormulaPtr left = ParseImplies();
    while (IsSymbol("<->")) {
        ++m_nNext;
        left = CFormula::Iff(left, ParseImplies());
    }
    --m_nDepth;
    return left;
}

FormulaPtr CFormulaParser::ParseImplies() {
    FormulaPtr left = ParseOr();
    if (!IsSymbol("->"))
        return left;
    ++m_nNext;
    return CFormula::Implies(left, ParseImplies());
}

FormulaPtr CFormulaParser::ParseOr() {
    std::vector<FormulaPtr> operands{ParseAnd()};
    while (IsSymbol("|")) {
        ++m_nNext;
        operands.push_back(ParseAnd());
    }
    return CFormula::Or(std::move(operands));
}

FormulaPtr CFormulaParser::ParseAnd() {
    std::vector<FormulaPtr> operands{ParseUntil()};
    while (IsSymbol("&")) {
        ++m_nNext;
        operands.push_back(ParseUntil());
    }
    return CFormula::And(std::move(operands));
}

FormulaPtr CFormulaParser::ParseUntil() {
    FormulaPtr left = ParseUnary();
    if (!IsWord("U"))
        return left;
    if (!m_bInPath)
        Fail(EError::Misplaced, Peek().position, "U",
             "U stands only in a path formula under A or E, as in A (p U q)");
    ++m_nNext;
    return CFormula::Until(left, ParseUntil());
}

FormulaPtr CFormulaParser::ParseUnary() {
    if (++m_nDepth > kMaxDepth)
        Fail(EError::TooDeep, Peek().position, Peek().text, "the formula is nested too deeply");
    const Token token = Peek();
    FormulaPtr result;
    if (IsSymbol("!")) {
        ++m_nNext;
        result = CFormula::Not(ParseUnary());
    } else if (token.kind == EToken::Word && (token.text == "A" || token.text == "E")) {
        // In a path formula only an until of CTL formulas may hold it.
        const bool inPath = m_bInPath;
        if (inPath)
            m_arrCtlInPath.push_back(CtlInPath{token.position, token.text});
        ++m_nNext;
        const std::size_t ctlBefore = m_arrCtlInPath.size();
        m_bInPath = true;
        FormulaPtr path = ParseUnary();
        m_bInPath = inPath;
        result = CFormula::Quantified(token.text == "A", path);
        if (result->Kind() == EKind::PathA || result->Kind() == EKind::PathE) {
            // LTL: the CTL operators read in its path formula may not stand there.
            if (m_arrCtlInPath.size() > ctlBefore) {
                const auto first = std::min_element(
                    m_arrCtlInPath.begin() + static_cast<std::ptrdiff_t>(ctlBefore),
                    m_arrCtlInPath.end(),
                    [](const auto& a, const auto& b) { return a.position < b.position; });
                Fail(EError::Misplaced, first->position, first->word,
                     first->word + " cannot stand in a path formula under A or E");
            }
            m_arrTopOnly.emplace_back(result.get(), token.position);
        }
        m_arrCtlInPath.resize(ctlBefore);
    } else if (token.kind == EToken::Word &&
               (token.text == "X" || token.text == "F" || token.text == "G")) {
        if (!m_bInPath)
            Fail(EError::Misplaced, token.position, token.text,
                 token.text + " stands only in a path formula under A or E");
        ++m_nNext;
        const EKind kind = token.text == "X"   ? EKind::Next
                           : token.text == "F" ? EKind::Finally
                                               : EKind::Globally;
        result = CFormula::Path(kind, ParseUnary());
    } else {
        for (const CtlWord& w : kCtlWords)
            if (token.kind == EToken::Word && token.text == w.word) {
                // Its operand is a state formula again, even in a path formula (where only
                // an until of CTL formulas may hold it).
                const bool inPath = m_bInPath;
                if (inPath)
                    m_arrCtlInPath.push_back(CtlInPath{token.position, token.text});
                ++m_nNext;
                m_bInPath = false;
                result = CFormula::Ctl(w.kind, ParseUnary());
                m_bInPath = inPath;
            }
        if (!result)
            result = ParsePrimary();
    }
    --m_nDepth;
    return result;
}

FormulaPtr CFormulaParser::ParsePrimary() {
    const Token token = Peek();
    if (IsSymbol("(")) {
        ++m_nNext;
        FormulaPtr inner = ParseIff();
        Expect(")");
        return inner;
    }
    if (IsSymbol("#") || token.kind == EToken::Number)
        return ParseComparison();
    if (token.kind == EToken::Word && IsKeyword(token.text)) {
        ++m_nNext;
        if (token.text == "true")
            return CFormula::True();
        if (token.text == "false")
            return CFormula::False();
        if (token.text == "deadlock")
            return CFormula::Deadlock();
        if (token.text == "fireable")
            return CFormula::Fireable(ParseNames(true));
        if (token.text == "bound") {
            FormulaPtr bound = CFormula::Bound(ParseNames(false));
            m_arrTopOnly.emplace_back(bound.get(), token.position);
            return bound;
        }
        --m_nNext;
        FailAtToken("a formula");
    }
    if (token.kind == EToken::Word || token.kind == EToken::Quoted) {
        const auto it = m_mapConditions.find(token.text);
        if (it == m_mapConditions.end())
            Fail(EError::UnknownCondition, token.position, token.text,
                 "unknown condition '" + token.text + "'");
        ++m_nNext;
        return CFormula::Condition(it->second);
    }
    FailAtToken("a formula");
}

FormulaPtr CFormulaParser::ParseComparison() {
    CFormula::Term left = ParseTerm();
    using C = CFormula::ECompare;
    struct Op {
        const char* symbol;
        C compare;
    };
    static constexpr std::array<Op, 7> kOps = {{{"<=", C::LessEqual},
                                                {">=", C::GreaterEqual},
                                                {"!=", C::NotEqual},
                                                {"==", C::Equal},
                                                {"<", C::Less},
                                                {">", C::Greater},
                                                {"=", C::Equal}}};
    for (const Op& op : kOps)
        if (IsSymbol(op.symbol)) {
            ++m_nNext;
            CFormula::Term right = ParseTerm();
            return CFormula::Compare(std::move(left), op.compare, std::move(right));
        }
    FailAtToken("a comparison (< <= = != >= >)");
}

CFormula::Term CFormulaParser::ParseTerm() {
    const Token token = Peek();
    if (token.kind == EToken::Number) {
        long long value = 0;
        for (char c : token.text) {
            if (value > (std::numeric_limits<long long>::max() - 9) / 10)
                Fail(EError::Syntax, token.position, token.text, "the number is too large");
            value = value * 10 + (c - '0');
        }
        ++m_nNext;
        return CFormula::Term::Constant(value);
    }
    if (IsSymbol("#")) {
        ++m_nNext;
        return CFormula::Term::Count(ParseNames(false));
    }
    FailAtToken("a number or #(conditions)");
}

std::vector<int> CFormulaParser::ParseNames(bool events) {
    Expect("(");
    std::vector<int> result;
    if (IsSymbol(")")) {
        ++m_nNext;
        return result;
    }
    for (;;) {
        const Token token = Peek();
        if (token.kind != EToken::Quoted && (token.kind != EToken::Word || IsKeyword(token.text)))
            FailAtToken(events ? "an event's name" : "a condition's name");
        const auto& names = events ? m_mapEvents : m_mapConditions;
        const auto it = names.find(token.text);
        if (it == names.end())
            Fail(events ? EError::UnknownEvent : EError::UnknownCondition, token.position,
                 token.text,
                 std::string("unknown ") + (events ? "event" : "condition") + " '" + token.text +
                     "'");
        result.push_back(it->second);
        ++m_nNext;
        if (IsSymbol(")")) {
            ++m_nNext;
            return result;
        }
        Expect(",");
    }
}
