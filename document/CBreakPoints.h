#pragma once

#include "model/CSetConditions.h"

#include <cstdint>
#include <vector>

class CCaseGraph;

// The breakpoints of the automatic run: the cases offered (copies of the case graph's
// node cases, in node order) and which of them are breakpoints. The "Set Breakpoints"
// dialog edits the two index arrays; the document keeps this for its whole life.
class CBreakPoints {
public:
    // Takes the case list from the case graph when flagged and clears every breakpoint.
    void Refill(const CCaseGraph& caseGraph);
    // No breakpoint; every case available.
    void ResetAll();
    // The case equals one of the breakpoint cases.
    bool IsBreakpoint(const CSetConditions& c) const;
    // A copy of case i; an empty case for an index outside the list.
    CSetConditions GetCase(int i) const;
    // What the dialog's OK hands back: the breakpoint cases by index; every other
    // case becomes available.
    void SetBreakpoints(const std::vector<std::uint32_t>& breakIndices);
    // No case list at all, to be refilled (the document was emptied).
    void Clear();

    int m_nCases = 0;
    int m_nAvailable = 0;
    int m_nBreak = 0;
    bool m_bNeedsRefill = true;
    std::vector<std::uint32_t> m_arrAvailable;
    std::vector<std::uint32_t> m_arrBreak;
    std::vector<CSetConditions> m_arrCases;
};
