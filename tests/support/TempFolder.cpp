#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <unistd.h>

TempFolder::TempFolder(const std::string& prefix) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    m_folder = std::filesystem::temp_directory_path() /
               (prefix + "-" + std::to_string(::getpid()) + "-" +
                (test ? std::string(test->test_suite_name()) + "." + test->name() : "none"));
    std::filesystem::remove_all(m_folder);
    std::filesystem::create_directories(m_folder);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

std::string TempFolder::Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
