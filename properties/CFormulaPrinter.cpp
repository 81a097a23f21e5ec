#include "properties/CFormulaPrinter.h"

#include "model/CNetStructure.h"
#include "properties/CFormula.h"
#include "properties/CFormulaParser.h"

namespace {

using EKind = CFormula::EKind;

// How tightly each operator binds: the loosest first.
enum EPrecedence { kIff = 1, kImplies, kOr, kAnd, kUntil, kUnary, kAtom };

int PrecedenceOf(const CFormula& f) {
    switch (f.Kind()) {
    case EKind::Iff:
        return kIff;
    case EKind::Implies:
        return kImplies;
    case EKind::Or:
        return kOr;
    case EKind::And:
        return kAnd;
    case EKind::Until:
        return kUntil;
    case EKind::Not:
    case EKind::EX:
    case EKind::AX:
    case EKind::EF:
    case EKind::AG:
    case EKind::EG:
    case EKind::AF:
    case EKind::PathA:
    case EKind::PathE:
    case EKind::Next:
    case EKind::Finally:
    case EKind::Globally:
        return kUnary;
    default:
        return kAtom;
    }
}

const char* PrefixOf(EKind kind) {
    switch (kind) {
    case EKind::Not:
        return "!";
    case EKind::EX:
        return "EX ";
    case EKind::AX:
        return "AX ";
    case EKind::EF:
        return "EF ";
    case EKind::AG:
        return "AG ";
    case EKind::EG:
        return "EG ";
    case EKind::AF:
        return "AF ";
    case EKind::PathA:
        return "A ";
    case EKind::PathE:
        return "E ";
    case EKind::Next:
        return "X ";
    case EKind::Finally:
        return "F ";
    case EKind::Globally:
        return "G ";
    default:
        return "";
    }
}

const char* ComparisonOf(CFormula::ECompare compare) {
    switch (compare) {
    case CFormula::ECompare::Less:
        return " < ";
    case CFormula::ECompare::LessEqual:
        return " <= ";
    case CFormula::ECompare::Equal:
        return " = ";
    case CFormula::ECompare::NotEqual:
        return " != ";
    case CFormula::ECompare::GreaterEqual:
        return " >= ";
    case CFormula::ECompare::Greater:
        return " > ";
    }
    return " ? ";
}

} // namespace

std::string CFormulaPrinter::Print(const CFormula& formula) const {
    std::string out;
    Write(formula, out);
    return out;
}

void CFormulaPrinter::WriteOperand(const CFormula& f, int context, std::string& out) const {
    const bool parenthesize = PrecedenceOf(f) <= context;
    if (parenthesize)
        out += '(';
    Write(f, out);
    if (parenthesize)
        out += ')';
}

void CFormulaPrinter::WriteName(const std::string& name, std::string& out) const {
    if (CFormulaParser::IsPlainName(name)) {
        out += name;
        return;
    }
    out += '"';
    for (char c : name) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    out += '"';
}

void CFormulaPrinter::WriteNames(const std::vector<int>& elements, bool events,
                                 std::string& out) const {
    out += '(';
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (i > 0)
            out += ", ";
        WriteName(events ? m_net.EventName(elements[i]) : m_net.ConditionName(elements[i]), out);
    }
    out += ')';
}

void CFormulaPrinter::Write(const CFormula& f, std::string& out) const {
    const auto writeTerm = [&](const CFormula::Term& term) {
        if (!term.count) {
            out += std::to_string(term.value);
            return;
        }
        out += '#';
        WriteNames(term.conditions, false, out);
    };
    const EKind kind = f.Kind();
    switch (kind) {
    case EKind::True:
        out += "true";
        return;
    case EKind::False:
        out += "false";
        return;
    case EKind::Deadlock:
        out += "deadlock";
        return;
    case EKind::Condition:
        WriteName(m_net.ConditionName(f.Elements()[0]), out);
        return;
    case EKind::Fireable:
        out += "fireable";
        WriteNames(f.Elements(), true, out);
        return;
    case EKind::Bound:
        out += "bound";
        WriteNames(f.Elements(), false, out);
        return;
    case EKind::Compare:
        writeTerm(f.Left());
        out += ComparisonOf(f.Comparison());
        writeTerm(f.Right());
        return;
    case EKind::And:
    case EKind::Or:
    case EKind::Implies:
    case EKind::Iff:
    case EKind::Until: {
        const char* op = kind == EKind::And       ? " & "
                         : kind == EKind::Or      ? " | "
                         : kind == EKind::Implies ? " -> "
                         : kind == EKind::Iff     ? " <-> "
                                                  : " U ";
        for (std::size_t i = 0; i < f.Operands().size(); ++i) {
            if (i > 0)
                out += op;
            WriteOperand(*f.Operand(i), PrecedenceOf(f), out);
        }
        return;
    }
    case EKind::EU:
    case EKind::AU:
        out += kind == EKind::EU ? "E (" : "A (";
        WriteOperand(*f.Operand(0), kUntil, out);
        out += " U ";
        WriteOperand(*f.Operand(1), kUntil, out);
        out += ')';
        return;
    default:
        out += PrefixOf(kind);
        WriteOperand(*f.Operand(), kUnary - 1, out);
        return;
    }
}
