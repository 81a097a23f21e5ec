#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CNetStructure;

// The net for exploring its cases: a case is a bit vector of Words() machine words (bit
// c for condition c), and each event's pre- and post-set is one too, so that concession
// and firing are a few word operations. The C/E rule: an event has concession when its
// pre-set is held and no condition of its post-set is (an event with a condition both
// before and after it never has); firing takes the pre-set and marks the post-set.
class CCompactNet {
public:
    using Word = std::uint64_t;

    explicit CCompactNet(const CNetStructure& net);

    int Words() const { return m_nWords; }
    int ConditionCount() const { return m_nConditions; }
    int EventCount() const { return m_nEvents; }
    const Word* Initial() const { return m_arrInitial.data(); }
    const Word* Pre(int event) const { return m_arrPre.data() + Offset(event); }
    const Word* Post(int event) const { return m_arrPost.data() + Offset(event); }

    bool HasConcession(const Word* c, int event) const {
        const Word* pre = Pre(event);
        const Word* post = Post(event);
        for (int w = 0; w < m_nWords; ++w)
            if ((c[w] & pre[w]) != pre[w] || (c[w] & post[w]) != 0)
                return false;
        return true;
    }
    // The case after the event (which has concession) into out.
    void Fire(const Word* c, int event, Word* out) const {
        const Word* pre = Pre(event);
        const Word* post = Post(event);
        for (int w = 0; w < m_nWords; ++w)
            out[w] = (c[w] & ~pre[w]) | post[w];
    }
    bool IsDeadlock(const Word* c) const;
    // Whether the case has contact: an event's pre-set held and a condition of its
    // post-set held too (a place/transition net would put a second token there).
    bool HasContact(const Word* c) const;
    static bool Holds(const Word* c, int condition) {
        return (c[condition / 64] >> (condition % 64)) & 1u;
    }
    static void Set(Word* c, int condition) { c[condition / 64] |= Word{1} << (condition % 64); }
    // The conditions held, ascending.
    std::vector<int> HeldConditions(const Word* c) const;
    // The conditions as a bit vector.
    std::vector<Word> Mask(const std::vector<int>& conditions) const;
    int Count(const Word* c, const Word* mask) const;

private:
    std::size_t Offset(int event) const {
        return static_cast<std::size_t>(event) * static_cast<std::size_t>(m_nWords);
    }

    int m_nWords = 1;
    int m_nConditions = 0;
    int m_nEvents = 0;
    std::vector<Word> m_arrInitial;
    std::vector<Word> m_arrPre;
    std::vector<Word> m_arrPost;
};
