#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Increasing indices, each with a flag in its top bit, kept as the differences between
// them in as few bytes as they need (seven bits a byte): the steps a move of one case
// touches lie hundreds apart among hundreds of thousands.
class CPackedIndices {
public:
    static constexpr std::uint32_t kFlag = 1u << 31;

    // Entries are an index, or an index | kFlag; the indices increase.
    void Pack(const std::vector<std::uint32_t>& entries);
    std::vector<std::uint32_t> Unpack() const;
    bool IsEmpty() const { return m_nCount == 0; }
    std::size_t Size() const { return m_bytes.size(); }

private:
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_nCount = 0;
};
