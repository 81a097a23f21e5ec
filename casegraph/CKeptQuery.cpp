#include "casegraph/CKeptQuery.h"

#include <algorithm>
#include <iterator>

namespace {
// Takes i out of the list if it is there.
bool TakeOut(std::vector<std::uint32_t>& list, std::uint32_t i) {
    const auto it = std::find(list.begin(), list.end(), i);
    if (it == list.end())
        return false;
    *it = list.back();
    list.pop_back();
    return true;
}
// Past this many changes kept apart, the area is asked for again.
constexpr std::size_t kMostChanges = 4096;
} // namespace

bool CKeptQuery::Holds(const Box& area) const {
    return m_bKept && area.x0 == m_area.x0 && area.y0 == m_area.y0 && area.x1 == m_area.x1 &&
           area.y1 == m_area.y1;
}

void CKeptQuery::Keep(const Box& area, const std::vector<std::uint32_t>& boxes) {
    m_bKept = true;
    m_area = area;
    m_boxes = boxes;
    m_came.clear();
    m_left.clear();
}

void CKeptQuery::Forget() {
    m_bKept = false;
    m_boxes.clear();
    m_came.clear();
    m_left.clear();
}

void CKeptQuery::Moved(std::uint32_t i, bool before, bool now) {
    if (!m_bKept || before == now)
        return;
    // Moved in and out again before anyone asked: nothing changed.
    if (now && !TakeOut(m_left, i))
        m_came.push_back(i);
    else if (!now && !TakeOut(m_came, i))
        m_left.push_back(i);
    if (m_came.size() + m_left.size() > kMostChanges)
        Forget();
}

const std::vector<std::uint32_t>& CKeptQuery::Boxes() {
    if (m_came.empty() && m_left.empty())
        return m_boxes;
    std::sort(m_came.begin(), m_came.end());
    std::sort(m_left.begin(), m_left.end());
    std::vector<std::uint32_t> stayed, now;
    stayed.reserve(m_boxes.size());
    std::set_difference(m_boxes.begin(), m_boxes.end(), m_left.begin(), m_left.end(),
                        std::back_inserter(stayed));
    now.reserve(stayed.size() + m_came.size());
    std::merge(stayed.begin(), stayed.end(), m_came.begin(), m_came.end(), std::back_inserter(now));
    m_boxes.swap(now);
    m_came.clear();
    m_left.clear();
    return m_boxes;
}
