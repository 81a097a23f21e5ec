#include "support/Golden.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

void ExpectGolden(const std::string& name, const std::string& actual) {
    const std::filesystem::path path = std::filesystem::path(ZERIN_TEST_DATA) / "golden" / name;
    const char* update = std::getenv("ZERIN_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << path << " is missing; run the test with ZERIN_UPDATE_GOLDEN=1";
        return;
    }
    std::ostringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(expected.str(), actual) << "differs from " << path;
}

void ExpectGolden(const std::string& name, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    ExpectGolden(name, text);
}

std::string HexDump(const std::string& bytes) {
    std::string text;
    char cell[16];
    for (std::size_t at = 0; at < bytes.size(); at += 16) {
        std::snprintf(cell, sizeof cell, "%06zx:", at);
        text += cell;
        for (std::size_t i = at; i < bytes.size() && i < at + 16; ++i) {
            std::snprintf(cell, sizeof cell, " %02x", static_cast<unsigned char>(bytes[i]));
            text += cell;
        }
        text += "\n";
    }
    return text;
}
