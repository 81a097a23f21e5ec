#include "FourTiTwo.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include <sys/wait.h>

std::optional<std::vector<std::vector<long long>>>
FourTiTwoRays(const std::vector<std::vector<int>>& matrix, int variables, int seconds) {
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
    const std::string limit = seconds > 0 ? "timeout " + std::to_string(seconds) + " " : "";
    const std::string command = limit + "4ti2-rays -q " + project + " > /dev/null 2>&1";
    std::vector<std::vector<long long>> rays;
    std::ifstream ray;
    const int status = std::system(command.c_str());
    // timeout's exit status 124: out of time.
    if (seconds > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 124)
        return std::nullopt;
    if (status == 0)
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
