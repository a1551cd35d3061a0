// The resources as the program finds them: the settings window's controls (ids, classes, texts,
// tab order and the style bits that change behaviour), the tray menu, and the sounds.
#include "res/resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {
INT_PTR CALLBACK NoProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Each control of dialog `id`, in tab order, as "id class text" and the behaviour-changing
// bits: "tab", "drop", "upper", "3state".
std::vector<std::string> Controls(UINT id, std::string* caption) {
    HWND dialog =
        ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr, NoProc, 0);
    char text[256] = "";
    ::GetWindowTextA(dialog, text, sizeof text);
    *caption = text;
    std::vector<std::string> controls;
    for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = "";
        ::GetClassNameA(c, cls, sizeof cls);
        ::GetWindowTextA(c, text, sizeof text);
        const LONG style = ::GetWindowLongA(c, GWL_STYLE);
        std::string line =
            std::to_string(static_cast<short>(::GetDlgCtrlID(c))) + " " + cls + " " + text;
        if (style & WS_TABSTOP)
            line += " tab";
        if (::GetWindowLongA(c, GWL_EXSTYLE) & WS_EX_ACCEPTFILES)
            line += " drop";
        if (!lstrcmpiA(cls, "Edit") && (style & ES_UPPERCASE))
            line += " upper";
        if (!lstrcmpiA(cls, "Button") && (style & BS_TYPEMASK) == BS_AUTO3STATE)
            line += " 3state";
        controls.push_back(line);
    }
    ::DestroyWindow(dialog);
    return controls;
}
} // namespace

// The settings window is titled "CHIMO!": other instances look for that title.
TEST(Resources, TheSettingsWindow) {
    std::string caption;
    EXPECT_EQ(Controls(IDD_CHIME, &caption),
              (std::vector<std::string>{"1 Button &OK tab",
                                        "2 Button &Cancel tab",
                                        "-1 Static Top of the hour:",
                                        "-1 Static Quarter After:",
                                        "-1 Static Half Past:",
                                        "-1 Static Quarter 'Til:",
                                        "1001 Edit  tab drop upper",
                                        "1002 Edit  tab drop upper",
                                        "1003 Edit  tab drop upper",
                                        "1004 Edit  tab drop upper",
                                        "1006 Button Use same for all secondary CHIMO!s. tab",
                                        "-1 Button Secondary CHIMO!s",
                                        "1007 Button Disable Secondary CHIMO!s. tab",
                                        "-1 Button Primary CHIMO!",
                                        "1009 Button &About tab",
                                        "1010 Button Browse... tab",
                                        "1011 Button Browse... tab",
                                        "1012 Button Browse... tab",
                                        "1013 Button Browse... tab",
                                        "1014 Button Play tab",
                                        "1015 Button Play tab",
                                        "1016 Button Play tab",
                                        "1017 Button Play tab",
                                        "1018 Button Multi-CHIMO! tab",
                                        "1019 Button Disable tab",
                                        "-1 Button ",
                                        "1020 Button Sleep Timer tab 3state",
                                        "-1 Static Start Time",
                                        "-1 Static Stop Time",
                                        "1021 Edit  tab",
                                        "1022 Edit  tab",
                                        "3 Button &Quit tab"}));
    EXPECT_EQ(caption, "CHIMO!");
}

TEST(Resources, TheTrayMenuAndTheSounds) {
    HMODULE module = ::GetModuleHandleA(nullptr);
    HMENU menu = ::LoadMenuA(module, MAKEINTRESOURCEA(IDR_TRAY_MENU));
    HMENU popup = ::GetSubMenu(menu, 0);
    std::vector<std::string> items;
    for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
        char text[64] = "";
        ::GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        items.push_back(std::to_string(::GetMenuItemID(popup, i)) + " " + text);
    }
    ::DestroyMenu(menu);
    EXPECT_EQ(items, (std::vector<std::string>{"1009 &About", "0 ", "32776 &Settings",
                                               "32782 S&leep", "1019 &Disable", "3 &Quit"}));
    for (UINT id : {IDW_ABOUT_SOUND, IDW_CUE_NO, IDW_CUE_YES}) {
        HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), "WAVE");
        auto* wave = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
        ASSERT_NE(wave, nullptr) << id;
        EXPECT_TRUE(!std::memcmp(wave, "RIFF", 4) && !std::memcmp(wave + 8, "WAVEfmt ", 8)) << id;
    }
}
