#pragma once

#include <optional>
#include <vector>

// The extreme rays of the cone {y >= 0 : A y = 0} as 4ti2's rays program (Debian's
// 4ti2) computes them, run in a fresh folder of the running test: each ray with one
// entry per variable, in 4ti2's order. nullopt where the program is not installed or
// did not finish within the seconds given (0: no limit). A test fails when the program
// ends without an answer.
std::optional<std::vector<std::vector<long long>>>
FourTiTwoRays(const std::vector<std::vector<int>>& matrix, int variables, int seconds = 0);
