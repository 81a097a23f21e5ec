#pragma once

// What zerin-cli tells its caller.
constexpr int EXIT_CLI_OK = 0;
// The net is not a C/E system (check and simulate).
constexpr int EXIT_CLI_NOT_CE_SYSTEM = 1;
// Bad usage, a file that cannot be read, or an output that cannot be written.
constexpr int EXIT_CLI_FAILURE = 2;
