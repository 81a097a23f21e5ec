#pragma once
#include <cstddef>
#include <cstdint>

// The hash of a row of 64-bit words (a case as bits, a set of events as a mask): each
// word folded in by a multiply and shift, then the whole finished by a 64-bit mixer, so
// that the low bits (a table's slot) and the high bits (its shard) both spread.
inline std::uint64_t HashWords(const std::uint64_t* words, std::size_t count) {
    std::uint64_t h = 0x9E3779B97F4A7C15ULL;
    for (std::size_t w = 0; w < count; ++w) {
        h ^= words[w];
        h *= 0xBF58476D1CE4E5B9ULL;
        h ^= h >> 31;
    }
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDULL;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ULL;
    h ^= h >> 33;
    return h;
}
