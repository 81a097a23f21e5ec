#pragma once

#include <memory>

class bdd;

// A set of cases of the symbolic engine (CSymbolicEngine): a handle on one of its
// decision diagrams over the conditions, kept from the library's collector while a
// handle on it lives. The engine owns the library's tables: a set is made by the
// engine, goes before it, and is never mixed with the sets of another. The sets hold
// assignments of the conditions, not only cases of the class; a checker meets them with
// the class where it matters. The default set is empty.
class CCaseSet {
public:
    CCaseSet() = default;

    bool IsEmpty() const;
    // Two sets of one engine are equal exactly when they hold the same cases.
    bool operator==(const CCaseSet& other) const;
    CCaseSet operator|(const CCaseSet& other) const;
    CCaseSet operator&(const CCaseSet& other) const;
    // The cases of this set not in other.
    CCaseSet operator-(const CCaseSet& other) const;
    // Whether every case of this set is in other.
    bool IsSubsetOf(const CCaseSet& other) const { return (*this - other).IsEmpty(); }

private:
    friend class CSymbolicEngine;
    explicit CCaseSet(const bdd& diagram);
    // The diagram; false for the default set.
    bdd Diagram() const;

    std::shared_ptr<const bdd> m_pDiagram;
};
