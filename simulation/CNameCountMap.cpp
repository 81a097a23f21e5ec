#include "simulation/CNameCountMap.h"

#include "base/CodePage1250.h"

std::uint32_t CNameCountMap::Hash(const std::string& utf8Name) {
    std::uint32_t hash = 0;
    for (char c : CodePage1250::FromUtf8(utf8Name)) {
        const auto byte = static_cast<std::int32_t>(static_cast<signed char>(c));
        hash = hash * 33u + static_cast<std::uint32_t>(byte);
    }
    return hash;
}

void CNameCountMap::Add(const std::string& name) {
    std::vector<Entry>& bucket = m_buckets[BucketOf(name)];
    for (Entry& entry : bucket) {
        if (entry.name == name) {
            ++entry.count;
            return;
        }
    }
    bucket.push_back({name, 1});
}

int CNameCountMap::GetCount(const std::string& name) const {
    for (const Entry& entry : m_buckets[BucketOf(name)])
        if (entry.name == name)
            return entry.count;
    return 0;
}

void CNameCountMap::ForEach(const std::function<void(const std::string&, int)>& visitor) const {
    for (const std::vector<Entry>& bucket : m_buckets)
        for (auto it = bucket.rbegin(); it != bucket.rend(); ++it)
            visitor(it->name, it->count);
}
