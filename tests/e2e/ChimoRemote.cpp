// A small remote control for a running CHIMO.EXE, for the black-box tests:
//   chimo_remote wait                 waits until CHIMO!'s hidden main window exists
//   chimo_remote settext ID TEXT      sets the text of control ID (as typing would)
//   chimo_remote gettext ID           prints the text of control ID
//   chimo_remote click ID             clicks button or box ID
//   chimo_remote state NAME           leaves CHIMO! showing a window with a loop of its own and
//                                     waits until it is up: settings, about, quit (the
//                                     question), invalidtime, missingfile (OK's question),
//                                     linkerror (a link of the About box failed to open),
//                                     browse (the open-file dialog), menu (the tray menu)
//   chimo_remote endsession           ends the session, as the Restart Manager does
//   chimo_remote quit                 ends CHIMO! as a newer instance would, and waits for it
//   chimo_remote hang                 plays a hung instance: a window marked as CHIMO!'s whose
//                                     thread never answers
//   chimo_remote stranger SECONDS     shows windows titled "CHIMO!" that are not CHIMO!'s for
//                                     that long; fails when any is closed or destroyed
// Exit code 0 on success, 1 when CHIMO! is not running or the command failed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {
HWND FindChimo(DWORD ms) {
    for (DWORD waited = 0;; waited += 50, ::Sleep(50)) {
        if (HWND hwnd = ::FindWindowA("#32770", "CHIMO!")) {
            // Answered once its thread pumps messages: the window has finished initialising.
            DWORD_PTR ignored;
            ::SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
            return hwnd;
        }
        if (waited >= ms)
            return nullptr;
    }
}

// A visible window of CHIMO!'s process with that class and title (either may be nullptr),
// within 10 s.
HWND WaitForWindow(HWND chimo, const char* className, const char* title) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(chimo, &process);
    for (int waited = 0; waited < 10000; waited += 50, ::Sleep(50)) {
        HWND found = nullptr;
        while ((found = ::FindWindowExA(nullptr, found, className, title))) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(found, &owner);
            if (owner == process && ::IsWindowVisible(found))
                return found;
        }
    }
    return nullptr;
}

int EnterState(HWND chimo, const char* name) {
    struct State {
        const char* name;
        bool settings; // opened first
        int editId;    // set to `text` first (0: none)
        const char* text;
        int command;                   // then posted (0: none)
        const char *className, *title; // the window that shows the state
    } states[] = {
        {"settings", true, 0, nullptr, 0, "#32770", "CHIMO!"},
        {"about", false, 0, nullptr, 1009, "#32770", "About CHIMO!"},
        {"linkerror", false, 0, nullptr, 1009, "#32770", "About CHIMO!"},
        {"quit", false, 0, nullptr, 3, "#32770", "CHIMO!: Exit..."},
        {"invalidtime", true, 1021, "99:99", 1020, "#32770", "Invalid Time"},
        {"missingfile", true, 1001, "C:\\NO\\SUCH\\FILE.WAV", IDOK, "#32770",
         "Error: Top Of The Hour"},
        {"browse", false, 0, nullptr, 1010, nullptr, "CHIMO! Top Of The Hour"},
        {"menu", false, 0, nullptr, 0, "#32768", nullptr},
    };
    for (const State& s : states) {
        if (std::strcmp(s.name, name) != 0)
            continue;
        if (s.settings)
            ::PostMessageA(chimo, WM_COMMAND, 32776, 0); // the Settings menu item
        if (s.editId) {
            WaitForWindow(chimo, "#32770", "CHIMO!");
            ::SetDlgItemTextA(chimo, s.editId, s.text);
            if (s.command == 1020) // the Sleep Timer, on with that text
                ::SendDlgItemMessageA(chimo, 1020, BM_SETCHECK, BST_CHECKED, 0);
        }
        if (s.command)
            ::PostMessageA(chimo, WM_COMMAND, MAKEWPARAM(s.command, BN_CLICKED), 0);
        if (!std::strcmp(name, "menu"))
            ::PostMessageA(chimo, WM_COMMAND, 129, WM_RBUTTONUP); // a right-click on the icon
        HWND shown = WaitForWindow(chimo, s.className, s.title);
        if (shown && !std::strcmp(name, "linkerror")) {
            HWND link = ::GetDlgItem(shown, 1026);
            ::PostMessageA(shown, WM_COMMAND, MAKEWPARAM(1026, STN_CLICKED),
                           reinterpret_cast<LPARAM>(link));
            return WaitForWindow(chimo, "#32770", "CHIMO") ? 0 : 1;
        }
        return shown ? 0 : 1;
    }
    std::fprintf(stderr, "unknown state %s\n", name);
    return 2;
}

int g_closed = 0;
LRESULT CALLBACK StrangerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_closed += message == WM_CLOSE || message == WM_DESTROY;
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

int Strangers(int seconds) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = StrangerProc;
    wc.lpszClassName = "Stranger";
    ::RegisterClassA(&wc);
    // Of its own class, and of the dialog class like CHIMO!'s.
    for (const char* className : {"Stranger", "#32770"}) {
        HWND hwnd = ::CreateWindowExA(0, className, "CHIMO!", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                      nullptr, nullptr, nullptr, nullptr);
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StrangerProc));
    }
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < seconds * 1000u;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ::Sleep(20);
    }
    return g_closed ? 1 : 0;
}
} // namespace

int main(int argc, char** argv) {
    const char* command = argc > 1 ? argv[1] : "";
    if (!std::strcmp(command, "hang")) {
        HWND hwnd = ::CreateWindowExA(0, "STATIC", "CHIMO!", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, nullptr, nullptr);
        ::SetPropA(hwnd, "CHIMO!.Instance", reinterpret_cast<HANDLE>(0x4F4D4843));
        ::Sleep(INFINITE); // never pumps: sent messages are never answered
    }
    if (!std::strcmp(command, "stranger") && argc == 3)
        return Strangers(std::atoi(argv[2]));
    HWND chimo = FindChimo(std::strcmp(command, "wait") == 0 ? 20000 : 2000);
    if (!chimo) {
        std::fprintf(stderr, "CHIMO! is not running\n");
        return 1;
    }
    HWND item = argc > 2 ? ::GetDlgItem(chimo, std::atoi(argv[2])) : nullptr;
    if (!std::strcmp(command, "wait"))
        return 0;
    if (!std::strcmp(command, "settext") && item && argc == 4)
        return ::SendMessageA(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3])) ? 0 : 1;
    if (!std::strcmp(command, "gettext") && item) {
        char text[4096] = "";
        ::SendMessageA(item, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", text);
        return 0;
    }
    if (!std::strcmp(command, "click") && item) {
        ::SendMessageA(item, BM_CLICK, 0, 0);
        return 0;
    }
    if (!std::strcmp(command, "state") && argc == 3)
        return EnterState(chimo, argv[2]);
    if (!std::strcmp(command, "endsession")) {
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutA(chimo, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_NORMAL, 5000,
                              &answer);
        ::SendMessageTimeoutA(chimo, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_NORMAL, 5000,
                              &answer);
        return 0;
    }
    if (!std::strcmp(command, "quit")) {
        // Ends every instance and waits until their windows are gone, so that the next test
        // cannot talk to a program on its way out.
        for (int pass = 0; pass < 200 && chimo; ++pass, ::Sleep(50)) {
            DWORD_PTR ignored;
            ::SendMessageTimeoutA(chimo, WM_DESTROY, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
            chimo = ::FindWindowA("#32770", "CHIMO!");
        }
        return chimo ? 1 : 0;
    }
    std::fprintf(stderr, "usage: chimo_remote wait|settext ID TEXT|gettext ID|click ID|state "
                         "NAME|endsession|quit|hang|stranger SECONDS\n");
    return 2;
}
