#pragma once

#include "properties/CFormula.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

class CNetStructure;

// Reads the readable formula language, naming conditions and events by the net's own
// names:
//
//   EF (eat_0 & eat_2)        AG !deadlock          A G F fireable(take_1)
//   E (think_0 U eat_0)       #(a, b, c) <= 1       bound(fork_0, fork_1)
//
// From the loosest to the tightest: <->, -> (to the right), |, &, U (to the right, only in
// a path formula), then the prefixes ! EX AX EF AG EG AF A E X F G. A condition's name
// says it holds; fireable(events) that one of them has concession; #(conditions) counts
// those that hold, compared with < <= = != >= > to another count or a number. A or E
// before a path formula (X F G U) is LTL and stands for the whole formula, under
// negations at most; A (p U q) and E (p U q) of state formulas are CTL's until. A name
// that is not a plain identifier (letters, digits, '_', not starting with a digit) or is
// a word of the language is written in double quotes, with \" and \\ inside.
class CFormulaParser {
public:
    explicit CFormulaParser(const CNetStructure& net);

    enum class EError {
        None,
        Syntax,           // an unexpected token or the end of the text
        UnknownCondition, // Name() names no condition of the net
        UnknownEvent,     // Name() names no event of the net
        Misplaced,        // an operator where it may not stand (X outside A, A inside EF, ...)
        TooDeep,          // nested deeper than kMaxDepth
    };
    struct Error {
        EError kind = EError::None;
        // The offset of the character where the fault lies.
        std::size_t position = 0;
        // The unknown name, or the token found.
        std::string name;
        // The whole sentence, with the column (position + 1).
        std::string message;
    };

    static constexpr int kMaxDepth = 2000;

    // The formula, or null with the reason in GetError().
    FormulaPtr Parse(const std::string& text);
    const Error& GetError() const { return m_error; }

    // The words of the language, which a name must not be unless quoted.
    static bool IsKeyword(const std::string& word);
    // Whether the name can be written without quotes.
    static bool IsPlainName(const std::string& name);

private:
    enum class EToken { End, Word, Quoted, Number, Symbol };
    struct Token {
        EToken kind = EToken::End;
        std::string text;
        std::size_t position = 0;
    };
    struct Failure {};

    void Tokenize(const std::string& text);
    const Token& Peek() const { return m_arrTokens[m_nNext]; }
    bool IsSymbol(const char* symbol) const;
    bool IsWord(const char* word) const;
    void Expect(const char* symbol);
    [[noreturn]] void Fail(EError kind, std::size_t position, const std::string& name,
                           const std::string& message);
    [[noreturn]] void FailAtToken(const std::string& expected);

    FormulaPtr ParseIff();
    FormulaPtr ParseImplies();
    FormulaPtr ParseOr();
    FormulaPtr ParseAnd();
    FormulaPtr ParseUntil();
    FormulaPtr ParseUnary();
    FormulaPtr ParsePrimary();
    FormulaPtr ParseComparison();
    CFormula::Term ParseTerm();
    std::vector<int> ParseNames(bool events);
    // Path quantifiers and bounds found below the top, which only the top may hold.
    void CheckPlacement(const FormulaPtr& root);

    std::unordered_map<std::string, int> m_mapConditions;
    std::unordered_map<std::string, int> m_mapEvents;
    std::vector<Token> m_arrTokens;
    std::size_t m_nNext = 0;
    int m_nDepth = 0;
    bool m_bInPath = false;
    // The LTL quantifiers and bounds made, with where they were written.
    std::vector<std::pair<const CFormula*, std::size_t>> m_arrTopOnly;
    // The CTL operators read in a path formula: fine under an until of CTL formulas,
    // misplaced in LTL.
    struct CtlInPath {
        std::size_t position;
        std::string word;
    };
    std::vector<CtlInPath> m_arrCtlInPath;
    Error m_error;
};
