#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Counts how often each condition name occurs, in a hash table of 17 buckets whose
// walk order is the one users of the stored files know: buckets 0 to 16, and within a
// bucket the names newest first. The hash runs over the name's Windows-1250 bytes, the
// form in which names are stored, while names are compared exactly as held (UTF-8).
class CNameCountMap {
public:
    static constexpr std::uint32_t kBuckets = 17;

    // hash = hash * 33 + byte, every byte taken as a signed 8-bit value, in unsigned
    // 32-bit arithmetic.
    static std::uint32_t Hash(const std::string& utf8Name);
    static std::uint32_t BucketOf(const std::string& utf8Name) { return Hash(utf8Name) % kBuckets; }

    void Add(const std::string& name);
    int GetCount(const std::string& name) const;

    // Calls the visitor with every name and its count in walk order.
    void ForEach(const std::function<void(const std::string&, int)>& visitor) const;

private:
    struct Entry {
        std::string name;
        int count = 0;
    };
    // Each bucket in order of first occurrence; the walk takes it backwards.
    std::array<std::vector<Entry>, kBuckets> m_buckets;
};
