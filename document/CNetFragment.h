#pragma once

#include "base/CSize.h"

#include <cstdint>
#include <vector>

class CDC;
class CNetDesign;
class CZerinDoc;

// A part of a net design as the clipboard carries it: the record of a net design that
// holds the selected conditions, events, labels and polygons, the name labels of the
// selected conditions and events, and every edge whose two ends are among them.
class CNetFragment {
public:
    // The fragment of the net design's selection; empty when it holds nothing of it.
    static std::vector<std::uint8_t> Copy(const CZerinDoc& doc);
    // The fragment's elements added to the net design, moved by the offset, names the
    // net has already given anew by the rule for new elements, and selected. False,
    // with nothing added, when the bytes are no fragment.
    static bool Paste(CZerinDoc& doc, std::vector<std::uint8_t> bytes, CSize offset, CDC& dc);
    // The fragment's elements, for its picture; false when the bytes are no fragment.
    static bool Read(std::vector<std::uint8_t> bytes, CNetDesign& net);
};
