// A newer CHIMO.EXE replaces the running one, and leaves strangers alone.
#include "E2eSupport.h"

#include <gtest/gtest.h>

namespace {

struct Takeover : ::testing::Test {
    void SetUp() override { StopAllChimos(); }
    void TearDown() override { StopAllChimos(); }
};

LRESULT CALLBACK StrangerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        ++*reinterpret_cast<int*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

TEST_F(Takeover, ASecondInstanceReplacesTheFirst) {
    ChimoProcess first = StartChimo();
    ASSERT_NE(first.info.hProcess, nullptr) << "could not start " << ChimoExePath();
    HWND firstWindow = WaitForMainWindow(first);
    ASSERT_NE(firstWindow, nullptr);
    // The modal loop shows the window once and its first paint hides it again: give a busy
    // machine a moment for that paint.
    for (int waited = 0; waited < 2000 && ::IsWindowVisible(firstWindow); waited += 50)
        PumpFor(50);
    EXPECT_FALSE(::IsWindowVisible(firstWindow)) << "the main window stays hidden";

    ChimoProcess second = StartChimo();
    ASSERT_TRUE(first.WaitForExit(20000)) << "the first instance must save and exit";
    HWND secondWindow = WaitForMainWindow(second);
    ASSERT_NE(secondWindow, nullptr);
    EXPECT_TRUE(second.running());

    std::vector<InstanceWindow> windows = ChimoWindows();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].processId, second.info.dwProcessId);
    first.Close();
    second.Close();
}

TEST_F(Takeover, AStrangerTitledChimoIsLeftAlone) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = StrangerProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "StrangerWindow";
    ::RegisterClassA(&wc);
    int destroys = 0;
    HWND stranger = ::CreateWindowExA(0, "StrangerWindow", "CHIMO!", WS_OVERLAPPEDWINDOW, 0, 0,
                                      100, 100, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(stranger, nullptr);
    ::SetWindowLongPtrA(stranger, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&destroys));

    ChimoProcess chimo = StartChimo();
    HWND window = WaitForMainWindow(chimo);
    EXPECT_NE(window, nullptr) << "a stranger's window must not keep CHIMO! from starting";
    EXPECT_TRUE(::IsWindow(stranger));
    EXPECT_EQ(destroys, 0) << "the stranger was sent WM_DESTROY";
    ::DestroyWindow(stranger);
    chimo.Close();
}
