#pragma once

#include "findings/CElementHighlight.h"
#include "model/CSetConditions.h"
#include "structure/CSemiflowResult.h"
#include "structure/CSiphonResult.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CNetStructure;

// The net's structure as the program lists it: the minimal S-invariants with their
// weights and their value, the T-invariants with their event counts, the minimal siphons
// with the largest trap in each. Choosing an item highlights its conditions (or its
// events, with their counts) in the net design; an S-invariant's value in any case is
// the weighted number of its conditions the case holds, which every step keeps.
class CStructureList {
public:
    enum class EKind { SInvariant, TInvariant, Siphon };
    struct Item {
        EKind kind = EKind::SInvariant;
        // Conditions (S-invariants, siphons) or events (T-invariants) by number, ascending.
        std::vector<int> elements;
        // Their weights in the same order; 1 each for a siphon.
        std::vector<std::int64_t> weights;
        // An S-invariant's value in the initial case.
        std::int64_t value = 0;
        // A siphon's largest trap, and whether the initial case marks it.
        std::vector<int> trap;
        bool trapMarked = false;
    };

    // What the analyses found of the net, each list where it was asked for.
    void Fill(std::shared_ptr<const CNetStructure> net, const std::optional<CSemiflowResult>& s,
              const std::optional<CSemiflowResult>& t, const std::optional<CSiphonResult>& siphons);
    void Clear();
    const std::shared_ptr<const CNetStructure>& Net() const { return m_pNet; }
    const std::vector<Item>& Items() const { return m_arrItems; }
    // The items of a kind, in their order.
    std::vector<std::size_t> ItemsOf(EKind kind) const;
    // The lines above the items: how many of each kind, whether every one was listed,
    // covered by invariants, the siphon-trap property.
    const std::vector<std::string>& Summary() const { return m_arrSummary; }

    // "2 a + b + c = 1", "t1 + 2 t2", "{ a, b }, trap { a } marked", by the net's names.
    std::string Describe(const Item& item) const;
    // The value of an S-invariant in a case, given by the conditions it holds (by number).
    static std::int64_t ValueIn(const Item& item, const std::vector<bool>& held);
    // The conditions a case holds, by the net's numbers.
    std::vector<bool> Held(const CSetConditions& c) const;
    // What choosing the item highlights: its conditions or events, each with its weight
    // or count beside it where it is not 1; a siphon's trap conditions with "trap".
    std::vector<CElementHighlight::Mark> Marks(const Item& item) const;

private:
    std::shared_ptr<const CNetStructure> m_pNet;
    std::vector<Item> m_arrItems;
    std::vector<std::string> m_arrSummary;
};
