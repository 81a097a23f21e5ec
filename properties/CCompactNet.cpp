#include "properties/CCompactNet.h"

#include "model/CNetStructure.h"

#include <algorithm>

CCompactNet::CCompactNet(const CNetStructure& net)
    : m_nWords(std::max(1, static_cast<int>((net.ConditionCount() + 63) / 64))),
      m_nConditions(static_cast<int>(net.ConditionCount())),
      m_nEvents(static_cast<int>(net.EventCount())),
      m_arrInitial(static_cast<std::size_t>(m_nWords)), m_arrPre(Offset(m_nEvents)),
      m_arrPost(Offset(m_nEvents)) {
    for (int c : net.InitialCase())
        Set(m_arrInitial.data(), c);
    for (int e = 0; e < m_nEvents; ++e) {
        for (int c : net.Pre(e))
            Set(m_arrPre.data() + Offset(e), c);
        for (int c : net.Post(e))
            Set(m_arrPost.data() + Offset(e), c);
    }
}

bool CCompactNet::IsDeadlock(const Word* c) const {
    for (int e = 0; e < m_nEvents; ++e)
        if (HasConcession(c, e))
            return false;
    return true;
}

bool CCompactNet::HasContact(const Word* c) const {
    for (int e = 0; e < m_nEvents; ++e) {
        const Word* pre = Pre(e);
        const Word* post = Post(e);
        bool held = true, meets = false;
        for (int w = 0; w < m_nWords; ++w) {
            held = held && (c[w] & pre[w]) == pre[w];
            meets = meets || (c[w] & post[w] & ~pre[w]) != 0;
        }
        if (held && meets)
            return true;
    }
    return false;
}

std::vector<int> CCompactNet::HeldConditions(const Word* c) const {
    std::vector<int> held;
    for (int c2 = 0; c2 < m_nConditions; ++c2)
        if (Holds(c, c2))
            held.push_back(c2);
    return held;
}

std::vector<CCompactNet::Word> CCompactNet::Mask(const std::vector<int>& conditions) const {
    std::vector<Word> mask(static_cast<std::size_t>(m_nWords));
    for (int c : conditions)
        Set(mask.data(), c);
    return mask;
}

namespace {

// The bits set, without the processor's instruction (not in the baseline of amd64).
int Bits(std::uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555ULL);
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0fULL;
    return static_cast<int>((x * 0x0101010101010101ULL) >> 56);
}

} // namespace

int CCompactNet::Count(const Word* c, const Word* mask) const {
    int n = 0;
    for (int w = 0; w < m_nWords; ++w)
        n += Bits(c[w] & mask[w]);
    return n;
}
