#include "platform/QtPlatform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace {

// Sets or clears environment variables for one test and puts them back afterwards.
class Environment {
public:
    ~Environment() {
        for (auto& [name, value] : m_saved)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }
    void Set(const std::string& name, const char* value) {
        if (!m_saved.count(name)) {
            const char* old = std::getenv(name.c_str());
            m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        value ? ::setenv(name.c_str(), value, 1) : ::unsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

std::string Platform() {
    const char* value = std::getenv("QT_QPA_PLATFORM");
    return value ? value : "(unset)";
}

} // namespace

TEST(QtPlatformTest, OffscreenOnlyWithoutADisplay) {
    Environment env;
    env.Set("QT_QPA_PLATFORM", nullptr);
    env.Set("DISPLAY", nullptr);
    env.Set("WAYLAND_DISPLAY", nullptr);
    EnsureQtPlatform();
    EXPECT_EQ(Platform(), "offscreen");

    env.Set("QT_QPA_PLATFORM", nullptr);
    env.Set("DISPLAY", ":0");
    EnsureQtPlatform();
    EXPECT_EQ(Platform(), "(unset)");

    env.Set("DISPLAY", nullptr);
    env.Set("WAYLAND_DISPLAY", "wayland-0");
    EnsureQtPlatform();
    EXPECT_EQ(Platform(), "(unset)");

    // A platform the user chose is kept.
    env.Set("WAYLAND_DISPLAY", nullptr);
    env.Set("QT_QPA_PLATFORM", "minimal");
    EnsureQtPlatform();
    EXPECT_EQ(Platform(), "minimal");
}
