#include "engines/CCaseTable.h"

#include "base/WordHash.h"

#include <algorithm>

CCaseTable::CCaseTable(int bits)
    : m_nKeyWords(std::max(1, (bits + 63) / 64)), m_nHalves(std::max(1, (bits + 31) / 32)),
      m_arrShards(std::size_t{1} << kShardBits) {}

std::uint64_t CCaseTable::Hash(const Word* key, int words) {
    return HashWords(key, static_cast<std::size_t>(words));
}

void CCaseTable::Get(int index, Word* out) const {
    const std::uint32_t* halves = Stored(index);
    std::fill_n(out, m_nKeyWords, Word{0});
    for (int h = 0; h < m_nHalves; ++h)
        out[h / 2] |= Word{halves[h]} << (32 * (h % 2));
}

bool CCaseTable::Equal(int index, const Word* key) const {
    const std::uint32_t* halves = Stored(index);
    for (int h = 0; h < m_nHalves; ++h)
        if (halves[h] != static_cast<std::uint32_t>(key[h / 2] >> (32 * (h % 2))))
            return false;
    return true;
}

std::uint64_t CCaseTable::StoredHash(int index) const {
    Word key[4];
    std::vector<Word> more;
    Word* words = key;
    if (m_nKeyWords > 4) {
        more.resize(At(static_cast<std::uint64_t>(m_nKeyWords)));
        words = more.data();
    }
    Get(index, words);
    return Hash(words);
}

int CCaseTable::Find(const Word* key, std::uint64_t hash) const {
    const CShard& shard = ShardOf(hash);
    const std::size_t size = shard.slots.size();
    if (size == 0)
        return -1;
    const std::uint32_t tag = Tag(hash);
    const std::uint32_t number = (1u << m_nNumberBits) - 1;
    for (std::size_t slot = Position(hash, size);; slot = slot + 1 == size ? 0 : slot + 1) {
        const std::uint32_t value = shard.slots[slot];
        if (value == 0)
            return -1;
        // Most slots of other keys differ in the hash's bits: their keys are not read.
        if (value >> m_nNumberBits != tag)
            continue;
        const int index = static_cast<int>(value & number) - 1;
        if (Equal(index, key))
            return index;
    }
}

void CCaseTable::GrowShard(CShard& shard) {
    std::vector<std::uint32_t> old;
    old.swap(shard.slots);
    const std::size_t size = std::max<std::size_t>(16, old.size() + old.size() / 2);
    shard.slots.assign(size, 0);
    const std::uint32_t number = (1u << m_nNumberBits) - 1;
    // The keys lie anywhere: each is fetched a few slots ahead of its turn.
    constexpr std::size_t kAhead = 16;
    for (std::size_t k = 0; k < old.size(); ++k) {
        if (k + kAhead < old.size() && old[k + kAhead] != 0)
            __builtin_prefetch(Stored(static_cast<int>(old[k + kAhead] & number) - 1));
        const std::uint32_t value = old[k];
        if (value == 0)
            continue;
        std::size_t slot = Position(StoredHash(static_cast<int>(value & number) - 1), size);
        while (shard.slots[slot] != 0)
            slot = slot + 1 == size ? 0 : slot + 1;
        shard.slots[slot] = value;
    }
}

void CCaseTable::Place(int index, std::uint64_t hash) {
    CShard& shard = m_arrShards[At(hash >> (64 - kShardBits))];
    // At most four fifths full: the hash's bits keep the runs cheap to pass.
    if ((std::uint64_t{shard.count} + 1) * 5 > std::uint64_t{shard.slots.size()} * 4)
        GrowShard(shard);
    const std::size_t size = shard.slots.size();
    std::size_t slot = Position(hash, size);
    while (shard.slots[slot] != 0)
        slot = slot + 1 == size ? 0 : slot + 1;
    shard.slots[slot] = Tag(hash) << m_nNumberBits | (static_cast<std::uint32_t>(index) + 1);
    ++shard.count;
}

void CCaseTable::Reindex() {
    for (CShard& shard : m_arrShards) {
        std::fill(shard.slots.begin(), shard.slots.end(), 0);
        shard.count = 0;
    }
    for (int i = 0; i < m_nCount; ++i)
        Place(i, StoredHash(i));
}

int CCaseTable::Add(const Word* key, std::uint64_t hash) {
    const int index = m_nCount;
    if ((static_cast<std::uint64_t>(index) & ((1u << kBlockBits) - 1)) == 0)
        m_arrBlocks.emplace_back().reserve(At(static_cast<std::uint64_t>(m_nHalves)) << kBlockBits);
    std::vector<std::uint32_t>& block = m_arrBlocks.back();
    for (int h = 0; h < m_nHalves; ++h)
        block.push_back(static_cast<std::uint32_t>(key[h / 2] >> (32 * (h % 2))));
    ++m_nCount;
    if (m_nCount >= (1 << m_nNumberBits) - 1 && m_nNumberBits < 31) {
        // Past the numbers the slots hold: two bits more for them.
        m_nNumberBits = std::min(31, m_nNumberBits + 2);
        Reindex();
    } else {
        Place(index, hash);
    }
    return index;
}

std::size_t CCaseTable::Bytes() const {
    std::size_t bytes = 0;
    for (const auto& block : m_arrBlocks)
        bytes += block.capacity() * sizeof(std::uint32_t);
    for (const CShard& shard : m_arrShards)
        bytes += shard.slots.capacity() * sizeof(std::uint32_t);
    return bytes;
}
