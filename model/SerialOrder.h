#pragma once

#include <algorithm>
#include <iterator>
#include <vector>

// Sorted sequences of element pointers, ordered by the elements' serial numbers: the
// storage of the element sets. Every operation on two sequences is a linear merge.
// The element type must be complete where these are used.
namespace SerialOrder {

template <class T> struct Less {
    bool operator()(const T* a, const T* b) const { return a->GetSerial() < b->GetSerial(); }
};

// Inserts the element unless it is null or present; true when it was inserted.
template <class T> bool Insert(std::vector<T*>& members, T* element) {
    if (!element)
        return false;
    auto it = std::lower_bound(members.begin(), members.end(), element, Less<T>());
    if (it != members.end() && *it == element)
        return false;
    members.insert(it, element);
    return true;
}

template <class T> bool Contains(const std::vector<T*>& members, const T* element) {
    if (!element)
        return false;
    auto it = std::lower_bound(members.begin(), members.end(), element, Less<T>());
    return it != members.end() && *it == element;
}

template <class T> std::vector<T*> Union(const std::vector<T*>& a, const std::vector<T*>& b) {
    std::vector<T*> result;
    result.reserve(a.size() + b.size());
    std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(result), Less<T>());
    return result;
}

template <class T> std::vector<T*> Difference(const std::vector<T*>& a, const std::vector<T*>& b) {
    std::vector<T*> result;
    result.reserve(a.size());
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(result),
                        Less<T>());
    return result;
}

template <class T>
std::vector<T*> Intersection(const std::vector<T*>& a, const std::vector<T*>& b) {
    std::vector<T*> result;
    std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(result),
                          Less<T>());
    return result;
}

// sub is a subset of super.
template <class T> bool Includes(const std::vector<T*>& super, const std::vector<T*>& sub) {
    return std::includes(super.begin(), super.end(), sub.begin(), sub.end(), Less<T>());
}

// The two have a common member.
template <class T> bool Meet(const std::vector<T*>& a, const std::vector<T*>& b) {
    auto i = a.begin();
    auto j = b.begin();
    Less<T> less;
    while (i != a.end() && j != b.end()) {
        if (less(*i, *j))
            ++i;
        else if (less(*j, *i))
            ++j;
        else
            return true;
    }
    return false;
}

} // namespace SerialOrder
