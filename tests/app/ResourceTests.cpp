// What the settings window's template gives that no test of behaviour sees: slot fields that
// take files dropped from the shell (the tests hand WM_DROPFILES over directly), and a Sleep
// Timer box of three states (a two-state box shows the third as checked).
#include "res/resource.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {
INT_PTR CALLBACK NoProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
} // namespace

TEST(Resources, TheSettingsWindow) {
    HWND dialog = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CHIME),
                                       nullptr, NoProc, 0);
    for (int id :
         {IDC_SOUND_HOUR, IDC_SOUND_QUARTER_AFTER, IDC_SOUND_HALF_PAST, IDC_SOUND_QUARTER_TIL}) {
        EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(dialog, id), GWL_EXSTYLE) & WS_EX_ACCEPTFILES)
            << id;
    }
    EXPECT_EQ(::GetWindowLongA(::GetDlgItem(dialog, IDC_SLEEP_TIMER), GWL_STYLE) & BS_TYPEMASK,
              BS_AUTO3STATE);
    ::DestroyWindow(dialog);
}
