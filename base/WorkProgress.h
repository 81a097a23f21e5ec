#pragma once

#include <cstddef>
#include <functional>

// How far a long piece of work has come, done of total items; false when the user
// cancelled it. The work stops at once, leaving nothing it marks as done.
using WorkProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Told every this many items, and at the end.
constexpr std::size_t kWorkProgressEvery = 65536;

// Whether the work goes on after done of total items.
inline bool ReportWork(const WorkProgress& progress, std::size_t done, std::size_t total) {
    return !progress || (done % kWorkProgressEvery != 0 && done != total) || progress(done, total);
}
