// The entry point of the in-process Windows tests: the application object the framework needs.
#include "framework/CWinApp.h"

#include <gtest/gtest.h>

namespace {
CWinApp g_testApp;
} // namespace

int main(int argc, char** argv) {
    // As CHIMO.EXE's manifest declares: metrics and icon sizes follow the display scale.
    ::SetProcessDPIAware();
    g_testApp.InitNames(::GetModuleHandleA(nullptr));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
