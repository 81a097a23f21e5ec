#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The processes, images and fonts of the tests need an application object.
class CliEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_app = std::make_unique<QGuiApplication>(m_argc, m_argv); }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "test_cli";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new CliEnvironment);

} // namespace
