// The cheapest program that does CHIMO!'s waiting: one hidden dialog with a tray icon, one
// timer armed for the next quarter hour of local time (to the millisecond), which plays the
// WAV file named on the command line and re-arms (and re-arms when the clock is set). Nothing
// else. The benchmark compares
// CHIMO.EXE with it.
#include <windows.h>
#include <shellapi.h>

namespace {
const char* g_sound = "";

UINT MillisecondsToNextQuarter() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    const UINT intoQuarter = ((now.wMinute % 15) * 60 + now.wSecond) * 1000u + now.wMilliseconds;
    return 15 * 60 * 1000u - intoQuarter;
}

INT_PTR CALLBACK BaselineProc(HWND hwnd, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        NOTIFYICONDATAA icon{};
        icon.cbSize = sizeof icon;
        icon.hWnd = hwnd;
        icon.uID = 1;
        icon.uFlags = NIF_ICON | NIF_TIP;
        icon.hIcon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); // IDI_APPLICATION
        lstrcpynA(icon.szTip, "Baseline", sizeof icon.szTip);
        ::Shell_NotifyIconA(NIM_ADD, &icon);
        ::SetTimer(hwnd, 1, MillisecondsToNextQuarter(), nullptr);
        return TRUE;
    }
    case WM_TIMER:
        ::PlaySoundA(g_sound, nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
        ::SetTimer(hwnd, 1, MillisecondsToNextQuarter(), nullptr);
        return TRUE;
    case WM_TIMECHANGE:
        ::SetTimer(hwnd, 1, MillisecondsToNextQuarter(), nullptr);
        return TRUE;
    case WM_CLOSE: ::DestroyWindow(hwnd); return TRUE;
    case WM_DESTROY: ::PostQuitMessage(0); return TRUE;
    }
    return FALSE;
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    g_sound = commandLine;
    // A dialog template in memory: a popup titled "Baseline", never shown.
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass;
        WCHAR title[9];
    } dialog = {{WS_POPUP | WS_CAPTION, 0, 0, 0, 0, 100, 50}, 0, 0, L"Baseline"};
    if (!::CreateDialogIndirectParamA(instance, &dialog.header, nullptr, BaselineProc, 0))
        return 1;
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    return 0;
}
