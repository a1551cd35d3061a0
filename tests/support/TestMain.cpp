// The entry point of every in-process Windows test binary: the application object the
// framework needs, and a boundary reporter that fails the running test instead of showing a box.
#include "CWinApp.h"
#include "CWnd.h"

#include <gtest/gtest.h>

namespace {
CWinApp g_testApp;

void FailOnBoundaryException(const char* what) {
    ADD_FAILURE() << "exception reached a window procedure: " << what;
}
} // namespace

int main(int argc, char** argv) {
    // As CHIMO.EXE's manifest declares: metrics and icon sizes follow the display scale.
    ::SetProcessDPIAware();
    g_testApp.InitNames(::GetModuleHandleA(nullptr));
    SetExceptionReporter(FailOnBoundaryException);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
