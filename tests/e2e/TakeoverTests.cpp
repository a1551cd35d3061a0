// A newer CHIMO.EXE replaces the running one, and leaves strangers alone.
#include "tests/e2e/E2eSupport.h"

#include <gtest/gtest.h>

namespace {

struct Takeover : ::testing::Test {
    void SetUp() override { StopAllChimos(); }
    void TearDown() override { StopAllChimos(); }
};

WNDPROC g_strangerDefault = nullptr;
int g_strangerDestroys = 0;

LRESULT CALLBACK StrangerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        ++g_strangerDestroys;
    return ::CallWindowProcA(g_strangerDefault, hwnd, message, wParam, lParam);
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
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "StrangerWindow";
    ::RegisterClassA(&wc);
    // Another program's window with the same title, of its own class or a dialog like ours.
    for (const char* className : {"StrangerWindow", "#32770"}) {
        HWND stranger = ::CreateWindowExA(0, className, "CHIMO!", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                          100, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(stranger, nullptr) << className;
        g_strangerDestroys = 0;
        g_strangerDefault = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(stranger, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StrangerProc)));

        ChimoProcess chimo = StartChimo();
        // Pumps while it waits, so the stranger would see anything sent to it.
        EXPECT_NE(WaitForMainWindow(chimo), nullptr)
            << className << ": the stranger must not keep CHIMO! from starting";
        EXPECT_TRUE(::IsWindow(stranger)) << className;
        EXPECT_EQ(g_strangerDestroys, 0) << className << ": the stranger was sent WM_DESTROY";
        ::SetWindowLongPtrA(stranger, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_strangerDefault));
        ::DestroyWindow(stranger);
        chimo.Close();
        StopAllChimos();
    }
}
