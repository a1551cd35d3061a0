// The cheapest program that does CHIMO!'s waiting: one hidden dialog with a tray icon, one
// timer armed for the next quarter hour of local time (to the millisecond), which plays the
// WAV file named on the command line and re-arms (and re-arms when the clock is set). Nothing
// else. The benchmark compares CHIMO.EXE with it.
//
// With BASELINE_WINDOW_FROM naming CHIMO.EXE, it also builds that program's settings window
// from its resources (with its manifest's controls), hidden and never filled in: what keeping
// that window from the start costs, measured apart from everything else CHIMO! does.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>

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
    case WM_TIMECHANGE: ::SetTimer(hwnd, 1, MillisecondsToNextQuarter(), nullptr); return TRUE;
    case WM_CLOSE: ::DestroyWindow(hwnd); return TRUE;
    case WM_DESTROY: {
        // The icon goes with the window: one left behind costs the next program Wine's
        // taskbar's time to find its window gone.
        NOTIFYICONDATAA icon{};
        icon.cbSize = sizeof icon;
        icon.hWnd = hwnd;
        icon.uID = 1;
        ::Shell_NotifyIconA(NIM_DELETE, &icon);
        ::PostQuitMessage(0);
        return TRUE;
    }
    }
    return FALSE;
}
// CHIMO!'s settings window as its template builds it, its controls empty.
INT_PTR CALLBACK Inert(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
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
    if (const char* chimo = std::getenv("BASELINE_WINDOW_FROM")) {
        ACTCTXA manifest{};
        manifest.cbSize = sizeof manifest;
        manifest.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        manifest.lpSource = chimo;
        manifest.lpResourceName = MAKEINTRESOURCEA(1);
        ULONG_PTR cookie = 0;
        const HANDLE context = ::CreateActCtxA(&manifest);
        if (context != INVALID_HANDLE_VALUE)
            ::ActivateActCtx(context, &cookie);
        // Loaded here only, so that the plain baseline maps no comctl32.
        using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        const auto init = reinterpret_cast<Init>(reinterpret_cast<void*>(
            ::GetProcAddress(::LoadLibraryA("comctl32.dll"), "InitCommonControlsEx")));
        INITCOMMONCONTROLSEX classes{sizeof classes,
                                     ICC_BAR_CLASSES | ICC_HOTKEY_CLASS | ICC_STANDARD_CLASSES};
        if (init)
            init(&classes);
        const HMODULE resources = ::LoadLibraryExA(
            chimo, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        if (!resources || !::CreateDialogParamA(resources, MAKEINTRESOURCEA(102) /* IDD_CHIME */,
                                                nullptr, Inert, 0))
            return 1;
    }
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    return 0;
}
