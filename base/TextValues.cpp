#include "base/TextValues.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace TextValues {

std::optional<long long> Number(const std::string& text, long long low, long long high) {
    if (text.empty() || text[0] == '+' || text[0] == ' ')
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<long long> Size(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    long long unit = 1;
    std::string digits = text;
    switch (text.back()) {
    case 'K':
    case 'k':
        unit = 1024LL;
        break;
    case 'M':
    case 'm':
        unit = 1024LL * 1024;
        break;
    case 'G':
    case 'g':
        unit = 1024LL * 1024 * 1024;
        break;
    default:
        break;
    }
    if (unit != 1)
        digits.pop_back();
    const auto n = Number(digits, 1, LLONG_MAX / unit);
    if (!n)
        return std::nullopt;
    return *n * unit;
}

std::vector<std::string> Names(const std::string& list) {
    std::vector<std::string> names;
    std::string::size_type start = 0;
    while (start <= list.size()) {
        const std::string::size_type comma = list.find(',', start);
        const std::string name =
            list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!name.empty())
            names.push_back(name);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return names;
}

} // namespace TextValues
