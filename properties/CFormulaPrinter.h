#pragma once

#include <string>
#include <vector>

class CFormula;
class CNetStructure;

// Writes a formula in the readable language with the net's names, so that the parser
// reads the same tree back: n-ary conjunctions and disjunctions stay flat, nested ones
// keep their parentheses, and names that are no plain identifiers are quoted.
class CFormulaPrinter {
public:
    explicit CFormulaPrinter(const CNetStructure& net) : m_net(net) {}

    std::string Print(const CFormula& formula) const;

private:
    void Write(const CFormula& f, std::string& out) const;
    // The operand, in parentheses where its operator binds no tighter than the context.
    void WriteOperand(const CFormula& f, int context, std::string& out) const;
    void WriteNames(const std::vector<int>& elements, bool events, std::string& out) const;
    void WriteName(const std::string& name, std::string& out) const;

    const CNetStructure& m_net;
};
