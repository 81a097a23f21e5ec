#include "FourTiTwo.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

std::optional<std::vector<std::vector<long long>>>
FourTiTwoRays(const std::vector<std::vector<int>>& matrix, int variables) {
    if (std::system("command -v 4ti2-rays > /dev/null 2>&1") != 0)
        return std::nullopt;
    TempFolder folder("zerin-4ti2");
    const std::string project = folder.Path("cone");
    {
        // A cone without constraints is the orthant: one line of zeros says so.
        std::vector<std::vector<int>> lines = matrix;
        if (lines.empty())
            lines.emplace_back(static_cast<std::size_t>(variables), 0);
        std::ofstream mat(project + ".mat");
        mat << lines.size() << " " << variables << "\n";
        for (const std::vector<int>& line : lines) {
            for (int v : line)
                mat << v << " ";
            mat << "\n";
        }
    }
    const std::string command = "4ti2-rays -q " + project + " > /dev/null 2>&1";
    std::vector<std::vector<long long>> rays;
    std::ifstream ray;
    if (std::system(command.c_str()) == 0)
        ray.open(project + ".ray");
    std::size_t count = 0, width = 0;
    if (!(ray >> count >> width)) {
        ADD_FAILURE() << "4ti2-rays gave no answer for " << project;
        return rays;
    }
    rays.assign(count, std::vector<long long>(width));
    for (auto& r : rays)
        for (long long& v : r)
            ray >> v;
    return rays;
}
