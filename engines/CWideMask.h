#pragma once

#include "base/WordHash.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

// A set of up to 64 * W small numbers (events by their place among those with
// concession), with the operations of a machine word, for the step counts of cases
// where more than 64 events have concession at once.
template <int W> struct CWideMask {
    std::array<std::uint64_t, W> words{};

    static CWideMask Bit(int i) {
        CWideMask m;
        m.words[static_cast<std::size_t>(i / 64)] = std::uint64_t{1} << (i % 64);
        return m;
    }
    // The numbers 0 ... n - 1.
    static CWideMask All(int n) {
        CWideMask m;
        for (int i = 0; i < W; ++i) {
            const int bits = n - 64 * i;
            m.words[static_cast<std::size_t>(i)] = bits >= 64  ? ~std::uint64_t{0}
                                                   : bits <= 0 ? 0
                                                               : (std::uint64_t{1} << bits) - 1;
        }
        return m;
    }
    // The numbers after j.
    static CWideMask After(int j) { return ~All(j + 1); }

    friend CWideMask operator&(CWideMask a, const CWideMask& b) {
        for (int i = 0; i < W; ++i)
            a.words[static_cast<std::size_t>(i)] &= b.words[static_cast<std::size_t>(i)];
        return a;
    }
    friend CWideMask operator|(CWideMask a, const CWideMask& b) {
        for (int i = 0; i < W; ++i)
            a.words[static_cast<std::size_t>(i)] |= b.words[static_cast<std::size_t>(i)];
        return a;
    }
    friend CWideMask operator~(CWideMask a) {
        for (std::uint64_t& w : a.words)
            w = ~w;
        return a;
    }
    friend bool operator==(const CWideMask& a, const CWideMask& b) = default;
    bool Empty() const {
        for (std::uint64_t w : words)
            if (w)
                return false;
        return true;
    }
    // The smallest member; the set must not be empty.
    int Lowest() const {
        for (int i = 0; i < W; ++i)
            if (words[static_cast<std::size_t>(i)])
                return 64 * i + std::countr_zero(words[static_cast<std::size_t>(i)]);
        return -1;
    }
    int Count() const {
        int n = 0;
        for (std::uint64_t w : words)
            n += std::popcount(w);
        return n;
    }
    bool Has(int i) const { return (words[static_cast<std::size_t>(i / 64)] >> (i % 64)) & 1; }
    std::size_t Hash() const {
        return static_cast<std::size_t>(HashWords(words.data(), words.size()));
    }
    struct Hasher {
        std::size_t operator()(const CWideMask& m) const { return m.Hash(); }
    };
};
