#pragma once
// Whether a window's texts show whole: each label, check box, group box and button measured in
// its own font (with room for a check box's box), and each entry of a drop-down list in the
// closed list. Every shortfall is a test failure naming the text and the scale.
#include "framework/Unicode.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <initializer_list>

// Measures the texts of `dialogs`' children at `dpi`; returns how many it measured.
inline int ExpectTextsWhole(std::initializer_list<HWND> dialogs, int dpi) {
    int measured = 0;
    for (HWND dialog : dialogs) {
        for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            wchar_t kind[32] = L"", text[512] = L"";
            ::GetClassNameW(c, kind, 32);
            ::GetWindowTextW(c, text, 512);
            const LONG style = ::GetWindowLongW(c, GWL_STYLE);
            const bool button = lstrcmpiW(kind, L"Button") == 0;
            if (!*text || (!button && lstrcmpiW(kind, L"Static") != 0) ||
                (!button && (style & SS_TYPEMASK) == SS_ICON))
                continue;
            HDC dc = ::GetDC(c);
            HGDIOBJ old =
                ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(c, WM_GETFONT, 0, 0)));
            RECT need{};
            const UINT noPrefix = !button && (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
            ::DrawTextW(dc, text, -1, &need, DT_CALCRECT | DT_SINGLELINE | noPrefix);
            SIZE digit{};
            ::GetTextExtentPoint32W(dc, L"0", 1, &digit);
            ::SelectObject(dc, old);
            ::ReleaseDC(c, dc);
            const LONG type = style & BS_TYPEMASK;
            if (button && type == BS_GROUPBOX)
                need.right += 2 * digit.cx; // the frame's indent before the text and a gap after
            else if (button && type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON)
                need.right += ::MulDiv(13, dpi, 96) + digit.cx; // the box and the gap after it
            else if (button)
                need.right += 2 * ::GetSystemMetrics(SM_CXEDGE);
            RECT has{};
            ::GetClientRect(c, &has);
            const std::string shown = Utf8(text, -1).str();
            EXPECT_LE(need.right, has.right) << '"' << shown << "\" at " << dpi << " DPI";
            EXPECT_LE(need.bottom, has.bottom) << '"' << shown << "\" at " << dpi << " DPI";
            ++measured;
        }
    }
    return measured;
}

// Measures each entry of the drop-down lists `ids` of `dialog` at `dpi`.
inline void ExpectEntriesWhole(HWND dialog, std::initializer_list<int> ids, int dpi) {
    for (int id : ids) {
        const HWND list = ::GetDlgItem(dialog, id);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(::GetComboBoxInfo(list, &info)) << id;
        HDC dc = ::GetDC(list);
        HGDIOBJ old =
            ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(list, WM_GETFONT, 0, 0)));
        for (LRESULT i = 0, n = ::SendMessageW(list, CB_GETCOUNT, 0, 0); i < n; ++i) {
            wchar_t text[256] = L"";
            ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(text));
            RECT need{};
            ::DrawTextW(dc, text, -1, &need, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
            EXPECT_LE(need.right, info.rcItem.right - info.rcItem.left)
                << Utf8(text, -1).str() << " at " << dpi << " DPI";
        }
        ::SelectObject(dc, old);
        ::ReleaseDC(list, dc);
    }
}

// The display's scale, checked against the one at-each-dpi.sh gave the prefix.
inline int DisplayDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    if (const char* expected = std::getenv("CHIMO_TEST_DPI")) {
        EXPECT_EQ(dpi, std::atoi(expected)) << "the prefix's display scale did not take";
    }
    return dpi;
}
