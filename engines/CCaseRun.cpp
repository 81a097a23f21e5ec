#include "engines/CCaseRun.h"

#include <algorithm>

bool CCaseRun::IsForwardOnly() const {
    return std::all_of(steps.begin(), steps.end(), [](const Step& s) { return s.forward; });
}

std::vector<std::string> CCaseRun::Describe() const {
    std::vector<TextStep> texts;
    for (const Step& s : steps)
        texts.push_back({s.events.ToString(), s.forward, s.to.ToString(false)});
    return Describe(from.ToString(false), to.ToString(false), found, texts);
}

std::vector<std::string> CCaseRun::Describe(const std::string& from, const std::string& to,
                                            bool found, const std::vector<TextStep>& steps) {
    std::vector<std::string> lines;
    if (!found) {
        lines.push_back("No path from " + from + " to " + to);
        return lines;
    }
    const std::size_t n = steps.size();
    const bool forwardOnly =
        std::all_of(steps.begin(), steps.end(), [](const TextStep& s) { return s.forward; });
    lines.push_back("Shortest path from " + from + " to " + to + ": " + std::to_string(n) +
                    (n == 1 ? " step" : " steps") + (forwardOnly ? "" : ", with backward steps"));
    for (std::size_t k = 0; k < n; ++k) {
        const TextStep& s = steps[k];
        lines.push_back("step " + std::to_string(k + 1) + ": " + s.events +
                        (s.forward ? "" : " backward") + " \u2192 " + s.to);
    }
    return lines;
}
