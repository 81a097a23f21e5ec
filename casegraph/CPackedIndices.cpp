#include "casegraph/CPackedIndices.h"

void CPackedIndices::Pack(const std::vector<std::uint32_t>& entries) {
    m_bytes.clear();
    m_nCount = entries.size();
    std::uint32_t last = 0;
    for (const std::uint32_t entry : entries) {
        const std::uint32_t index = entry & ~kFlag;
        // The difference to the last index, the flag in its lowest bit.
        std::uint64_t value = (static_cast<std::uint64_t>(index - last) << 1) | (entry >> 31);
        last = index;
        do {
            const auto byte = static_cast<std::uint8_t>(value & 0x7F);
            value >>= 7;
            m_bytes.push_back(value != 0 ? static_cast<std::uint8_t>(byte | 0x80) : byte);
        } while (value != 0);
    }
    m_bytes.shrink_to_fit();
}

std::vector<std::uint32_t> CPackedIndices::Unpack() const {
    std::vector<std::uint32_t> entries;
    entries.reserve(m_nCount);
    std::uint32_t last = 0;
    std::size_t at = 0;
    while (entries.size() < m_nCount) {
        std::uint64_t value = 0;
        int shift = 0;
        std::uint8_t byte = 0;
        do {
            byte = m_bytes[at++];
            value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
            shift += 7;
        } while ((byte & 0x80) != 0);
        last += static_cast<std::uint32_t>(value >> 1);
        entries.push_back(last | ((value & 1) != 0 ? kFlag : 0));
    }
    return entries;
}
