#include "base/UniqueName.h"

std::string TakeUniqueName(std::set<std::string>& taken, const std::string& name) {
    if (taken.insert(name).second)
        return name;
    for (int k = 2;; ++k)
        if (std::string candidate = name + "_" + std::to_string(k); taken.insert(candidate).second)
            return candidate;
}
