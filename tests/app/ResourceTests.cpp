// The resources as the program finds them: the settings window's template and the sounds.
#include "main/InstanceMark.h"
#include "res/resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {
INT_PTR CALLBACK NoProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
} // namespace

// What the program relies on in the settings window's template: the title other instances look
// for, slot fields that take dropped files and show upper case, and a three-state Sleep Timer.
TEST(Resources, TheSettingsWindow) {
    HWND dialog = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CHIME),
                                       nullptr, NoProc, 0);
    char caption[32] = "";
    ::GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ(caption, kInstanceWindowTitle);
    for (int id :
         {IDC_SOUND_HOUR, IDC_SOUND_QUARTER_AFTER, IDC_SOUND_HALF_PAST, IDC_SOUND_QUARTER_TIL}) {
        HWND edit = ::GetDlgItem(dialog, id);
        EXPECT_TRUE(::GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << id;
        EXPECT_TRUE(::GetWindowLongA(edit, GWL_STYLE) & ES_UPPERCASE) << id;
    }
    EXPECT_EQ(::GetWindowLongA(::GetDlgItem(dialog, IDC_SLEEP_TIMER), GWL_STYLE) & BS_TYPEMASK,
              BS_AUTO3STATE);
    ::DestroyWindow(dialog);
}

// The three sounds are WAV files (the cues play them as such, and the volume preview scales
// one).
TEST(Resources, TheSoundsAreWavFiles) {
    HMODULE module = ::GetModuleHandleA(nullptr);
    for (UINT id : {IDW_ABOUT_SOUND, IDW_CUE_NO, IDW_CUE_YES}) {
        HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), "WAVE");
        auto* wave = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
        ASSERT_NE(wave, nullptr) << id;
        EXPECT_TRUE(!std::memcmp(wave, "RIFF", 4) && !std::memcmp(wave + 8, "WAVEfmt ", 8)) << id;
    }
}
