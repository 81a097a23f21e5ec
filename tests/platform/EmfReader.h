#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A metafile read back record by record, to check what was recorded.
struct EmfRecord {
    std::uint32_t type = 0;
    std::string bytes; // the whole record
    std::uint32_t U32(std::size_t offset) const;
    std::int32_t I32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
    // count UTF-16 code units from the offset, as UTF-8 with zeros kept.
    std::string Utf16(std::size_t offset, std::size_t count) const;
};

// The records in order; empty when the sizes do not add up to the file.
std::vector<EmfRecord> ReadEmf(const std::string& file);
int CountRecords(const std::vector<EmfRecord>& records, std::uint32_t type);

// Record types of the format.
constexpr std::uint32_t kEmrHeader = 1;
constexpr std::uint32_t kEmrPolygon = 3;
constexpr std::uint32_t kEmrSetPixelV = 15;
constexpr std::uint32_t kEmrEof = 14;
constexpr std::uint32_t kEmrSetBkMode = 18;
constexpr std::uint32_t kEmrSetRop2 = 20;
constexpr std::uint32_t kEmrSetTextColor = 24;
constexpr std::uint32_t kEmrMoveToEx = 27;
constexpr std::uint32_t kEmrSelectObject = 37;
constexpr std::uint32_t kEmrCreatePen = 38;
constexpr std::uint32_t kEmrCreateBrushIndirect = 39;
constexpr std::uint32_t kEmrDeleteObject = 40;
constexpr std::uint32_t kEmrEllipse = 42;
constexpr std::uint32_t kEmrRectangle = 43;
constexpr std::uint32_t kEmrLineTo = 54;
constexpr std::uint32_t kEmrExtCreateFontIndirectW = 82;
constexpr std::uint32_t kEmrExtTextOutW = 84;
