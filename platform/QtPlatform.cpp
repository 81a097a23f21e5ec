#include "platform/QtPlatform.h"

#include <cstdlib>

namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

void EnsureQtPlatform() {
    if (IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY"))
        return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
}
