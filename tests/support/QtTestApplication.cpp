#include "support/QtTestApplication.h"

#include <QtGlobal>

namespace {
int g_argc = 1;
char g_name[] = "zerin-test";
char* g_argv[] = {g_name, nullptr};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new QtTestApplication);
} // namespace

void QtTestApplication::SetUp() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (QApplication::instance() == nullptr) {
        m_pApplication = std::make_unique<QApplication>(g_argc, g_argv);
    }
}

void QtTestApplication::TearDown() {
    m_pApplication.reset();
}
