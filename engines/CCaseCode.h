#pragma once

#include <cstdint>
#include <vector>

// The conditions that determine a case. Every case of the class is the initial case
// changed by a sum of events, each adding its post-set and taking its pre-set (or the
// other way round for a backward step): a case differs from the initial case by a
// combination of the rows of the incidence matrix. Where the row of a condition is a
// combination of the rows of others, its value follows from theirs. A case is kept as
// the bits of the conditions of a row basis, its key; the others are computed again
// when the case is read. The dining philosophers' 3n conditions come to n bits.
//
// An event with concession toggles exactly its pre- and post-set, so a successor's key
// is its case's key with the event's toggles (Flip) applied.
//
// Only the cases of the class are told apart by their keys: a set of conditions that is
// no case of the class may have the key of one that is.
class CCaseCode {
public:
    using Word = std::uint64_t;

    // The net: pre- and post-sets as bit vectors of `words` words per event, the
    // initial case. Nets whose conditions times events pass kLargestNet keep every
    // condition.
    CCaseCode(int conditions, int events, int words, const std::vector<Word>& pre,
              const std::vector<Word>& post, const std::vector<Word>& initial);

    int Words() const { return m_nWords; }
    // The bits of a key and the words they take.
    int KeyBits() const { return static_cast<int>(m_arrBasis.size()); }
    int KeyWords() const { return m_nKeyWords; }
    // Every condition is in the key, as it is in the case.
    bool IsIdentity() const { return m_bIdentity; }

    void Encode(const Word* c, Word* key) const;
    void Decode(const Word* key, Word* c) const;
    // The key's bits an event toggles (KeyWords() words).
    const Word* Flip(int event) const {
        return m_arrFlip.data() +
               static_cast<std::size_t>(event) * static_cast<std::size_t>(m_nKeyWords);
    }

    static constexpr long long kLargestNet = 1LL << 18;

private:
    // Finds the basis and the rows that follow from it; false where the numbers grow too
    // large (every condition is kept then).
    bool FindBasis(int conditions, int events, const std::vector<Word>& pre,
                   const std::vector<Word>& post, const std::vector<Word>& initial);

    int m_nWords;
    int m_nKeyWords = 1;
    bool m_bIdentity = true;
    // The conditions of the key, ascending.
    std::vector<int> m_arrBasis;
    // A condition outside the basis: divisor * value = constant + sum of factor * (bit
    // of basis condition `term`) over its terms.
    struct CDependent {
        int condition;
        long long divisor;
        long long constant;
        std::uint32_t first;
        std::uint32_t count;
    };
    struct CTerm {
        std::uint32_t word; // the key's word and bit
        Word mask;
        long long factor;
    };
    std::vector<CDependent> m_arrDependents;
    std::vector<CTerm> m_arrTerms;
    std::vector<Word> m_arrFlip;
    // Decoding a byte of the key at a time, where the sums stay small: per byte of the
    // key and value of the byte, the case's bits it sets and what it adds to each
    // dependent condition's sum (one byte each, added with wrap-around).
    void MakeByteTables();
    static constexpr std::size_t kMaxSums = 1024;
    static constexpr std::size_t kMaxTableBytes = 4u << 20;
    bool m_bByteTables = false;
    int m_nKeyBytes = 0;
    std::size_t m_nSums = 0; // the dependents, rounded up to 16
    std::vector<Word> m_arrByteBits;
    std::vector<std::int8_t> m_arrByteSums;
    std::vector<std::int8_t> m_arrSumBase;  // the constants
    std::vector<std::int8_t> m_arrSumMatch; // the divisors
};
