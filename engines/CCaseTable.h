#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The keys of the cases of a search (CCaseCode), numbered 0, 1, ... in the order they
// are added, each found again by its bits: a key of up to 32 bits takes four bytes,
// one of up to 64 eight, in blocks that never move.
//
// A table of numbers finds a key again: open addressing in 64 shards that grow one at
// a time by half, so that growing never holds two copies of the whole. A slot holds the
// key's number and some bits of its hash, so that a probe reads a key only where those
// agree.
//
// Finding (Find) only reads: threads find keys at once while none is added.
class CCaseTable {
public:
    using Word = std::uint64_t;

    // Keys of `bits` bits.
    explicit CCaseTable(int bits = 64);

    int Count() const { return m_nCount; }
    // The 64-bit words of a key.
    int KeyWords() const { return m_nKeyWords; }
    // The bytes the table holds.
    std::size_t Bytes() const;

    static std::uint64_t Hash(const Word* key, int words);
    std::uint64_t Hash(const Word* key) const { return Hash(key, m_nKeyWords); }
    // Fetches the slot of the hash ahead of Find. (Inlined where it is called: a function
    // of its own would count as without effect and be left out.)
    [[gnu::always_inline]] void Prefetch(std::uint64_t hash) const {
        const CShard& shard = ShardOf(hash);
        if (!shard.slots.empty())
            __builtin_prefetch(&shard.slots[Position(hash, shard.slots.size())]);
    }
    // The number of the key, -1 for one not in the table.
    int Find(const Word* key, std::uint64_t hash) const;
    int Find(const Word* key) const { return Find(key, Hash(key)); }
    // Adds a key not in the table; its number.
    int Add(const Word* key, std::uint64_t hash);
    int Add(const Word* key) { return Add(key, Hash(key)); }
    // Key i into out (KeyWords() words).
    void Get(int index, Word* out) const;

private:
    struct CShard {
        std::vector<std::uint32_t> slots;
        std::uint32_t count = 0;
    };
    static constexpr int kShardBits = 6;
    static constexpr int kBlockBits = 16;
    // The numbers in the slots take more bits as the keys grow, the hash fewer.
    static constexpr int kFirstNumberBits = 22;

    static std::size_t At(std::uint64_t i) { return static_cast<std::size_t>(i); }
    const CShard& ShardOf(std::uint64_t hash) const {
        return m_arrShards[static_cast<std::size_t>(hash >> (64 - kShardBits))];
    }
    // The slot of a hash in a shard of the given size.
    static std::size_t Position(std::uint64_t hash, std::size_t size) {
        return static_cast<std::size_t>(((hash & 0xffffffffu) * size) >> 32);
    }
    std::uint32_t Tag(std::uint64_t hash) const {
        return static_cast<std::uint32_t>(hash >> 40) & ((1u << (32 - m_nNumberBits)) - 1);
    }
    // The stored key i, as its halves.
    const std::uint32_t* Stored(int index) const {
        const auto i = static_cast<std::uint64_t>(index);
        return m_arrBlocks[At(i >> kBlockBits)].data() +
               At(i & ((1u << kBlockBits) - 1)) * At(static_cast<std::uint64_t>(m_nHalves));
    }
    bool Equal(int index, const Word* key) const;
    std::uint64_t StoredHash(int index) const;
    void Place(int index, std::uint64_t hash);
    void GrowShard(CShard& shard);
    void Reindex();

    int m_nKeyWords;
    // The 32-bit halves a key is kept in.
    int m_nHalves;
    int m_nCount = 0;
    int m_nNumberBits = kFirstNumberBits;
    std::vector<std::vector<std::uint32_t>> m_arrBlocks;
    std::vector<CShard> m_arrShards;
};
