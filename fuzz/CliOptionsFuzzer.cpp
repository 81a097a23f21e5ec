// Command lines of any words for zerin-cli's parser over its table of subcommands: the
// input's NUL-separated words are the arguments. The parser accepts or refuses with a reason; a
// crash, a hang or undefined behaviour is a finding.

#include "cli/CliSubcommands.h"
#include "cli/options/CCommandLine.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size && args.size() < 64; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    CCommandLine options(CliSubcommands());
    if (!options.Parse(args) && options.m_strError.empty()) {
        std::fprintf(stderr, "finding: a refused command line without a reason\n");
        std::abort();
    }
    return 0;
}
