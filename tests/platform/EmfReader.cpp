#include "EmfReader.h"

#include <QString>

std::uint32_t EmfRecord::U32(std::size_t offset) const {
    if (offset + 4 > bytes.size())
        return 0;
    auto b = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i]));
    };
    return b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24);
}

std::string EmfRecord::Utf16(std::size_t offset, std::size_t count) const {
    std::u16string units;
    for (std::size_t i = 0; i < count && offset + 2 * i + 1 < bytes.size(); ++i) {
        auto lo = static_cast<unsigned char>(bytes[offset + 2 * i]);
        auto hi = static_cast<unsigned char>(bytes[offset + 2 * i + 1]);
        units.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
    return QString::fromStdU16String(units).toStdString();
}

std::vector<EmfRecord> ReadEmf(const std::string& file) {
    std::vector<EmfRecord> records;
    std::size_t offset = 0;
    while (offset + 8 <= file.size()) {
        EmfRecord head;
        head.bytes = file.substr(offset, 8);
        std::uint32_t size = head.U32(4);
        if (size < 8 || size % 4 != 0 || offset + size > file.size())
            return {};
        EmfRecord record;
        record.type = head.U32(0);
        record.bytes = file.substr(offset, size);
        records.push_back(record);
        offset += size;
    }
    if (offset != file.size())
        return {};
    return records;
}

int CountRecords(const std::vector<EmfRecord>& records, std::uint32_t type) {
    int n = 0;
    for (const EmfRecord& r : records)
        n += r.type == type;
    return n;
}
