// A small remote control for a running CHIMO.EXE, for black-box tests driven from a shell:
//   chimo_remote wait                 waits until CHIMO!'s hidden main window exists
//   chimo_remote settext ID TEXT      sets the text of control ID (as typing would)
//   chimo_remote gettext ID           prints the text of control ID
//   chimo_remote check ID STATE       sets the check state of box ID
//   chimo_remote click ID             clicks button or box ID
//   chimo_remote command ID           sends command ID, as a tray menu item does
//   chimo_remote about                opens the About box, prints its version line and link
//                                     texts (a line each), and closes it with OK
//   chimo_remote about keep           the same, but leaves the About box open
//   chimo_remote settings             opens the settings window, as the tray menu does
//   chimo_remote timechange           tells CHIMO! the system time was changed (WM_TIMECHANGE)
//   chimo_remote state NAME           leaves CHIMO! showing a window that runs a loop of its own,
//                                     as a user would, and waits until it is up: settings,
//                                     about, quit
//                                     (the question), invalidtime, missingfile (OK's question),
//                                     linkerror (the About box's link failed to open),
//                                     browse (the open-file dialog), menu (the tray menu)
//   chimo_remote endsession           tells CHIMO! the session ends, as the Restart Manager does
//                                     to close a program whose files an installer replaces
//   chimo_remote quit                 ends CHIMO! as a newer instance would, and waits for it
//   chimo_remote hang                 plays a hung instance: a window marked as CHIMO!'s whose
//                                     thread never answers (needs no running CHIMO!)
// Exit code 0 on success, 1 when CHIMO! is not running or the command failed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {
HWND FindChimo(DWORD ms) {
    for (DWORD waited = 0;; waited += 50) {
        if (HWND hwnd = ::FindWindowA("#32770", "CHIMO!")) {
            // Answered once its thread pumps messages: the window has finished initialising.
            DWORD_PTR ignored;
            ::SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
            return hwnd;
        }
        if (waited >= ms)
            return nullptr;
        ::Sleep(50);
    }
}
struct Wanted {
    DWORD process;
    const char* className; // or nullptr
    const char* title;     // or nullptr
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
    auto* wanted = reinterpret_cast<Wanted*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    char text[256] = "";
    if (process != wanted->process || !::IsWindowVisible(hwnd))
        return TRUE;
    if (wanted->className &&
        (!::GetClassNameA(hwnd, text, sizeof text) || std::strcmp(text, wanted->className) != 0))
        return TRUE;
    if (wanted->title &&
        (::GetWindowTextA(hwnd, text, sizeof text) < 0 || std::strcmp(text, wanted->title) != 0))
        return TRUE;
    wanted->found = hwnd;
    return FALSE;
}

// A visible top-level window of CHIMO!'s process with that class and title, within 10 s.
bool WaitForWindow(HWND chimo, const char* className, const char* title) {
    Wanted wanted{0, className, title, nullptr};
    ::GetWindowThreadProcessId(chimo, &wanted.process);
    for (int waited = 0; waited < 10000 && !wanted.found; waited += 50) {
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&wanted));
        if (!wanted.found)
            ::Sleep(50);
    }
    return wanted.found != nullptr;
}

void Post(HWND chimo, int id, WPARAM code = BN_CLICKED) {
    ::PostMessageA(chimo, WM_COMMAND, MAKEWPARAM(id, code), 0);
}

bool ShowSettings(HWND chimo) {
    Post(chimo, 32776, 0); // the Settings menu item
    for (int waited = 0; waited < 5000 && !::IsWindowVisible(chimo); waited += 50)
        ::Sleep(50);
    return ::IsWindowVisible(chimo) != 0;
}

int EnterState(HWND chimo, const char* state) {
    if (std::strcmp(state, "settings") == 0)
        return ShowSettings(chimo) ? 0 : 1;
    if (std::strcmp(state, "about") == 0) {
        Post(chimo, 1009);
        return WaitForWindow(chimo, "#32770", "About CHIMO!") ? 0 : 1;
    }
    if (std::strcmp(state, "quit") == 0) {
        Post(chimo, 3);
        return WaitForWindow(chimo, "#32770", "CHIMO!: Exit...") ? 0 : 1;
    }
    if (std::strcmp(state, "invalidtime") == 0) {
        if (!ShowSettings(chimo))
            return 1;
        ::SendDlgItemMessageA(chimo, 1020, BM_SETCHECK, BST_CHECKED, 0);
        ::SetDlgItemTextA(chimo, 1021, "99:99");
        Post(chimo, 1020);
        return WaitForWindow(chimo, "#32770", "Invalid Time") ? 0 : 1;
    }
    if (std::strcmp(state, "missingfile") == 0) {
        if (!ShowSettings(chimo))
            return 1;
        ::SetDlgItemTextA(chimo, 1001, "C:\\NO\\SUCH\\FILE.WAV");
        Post(chimo, IDOK);
        return WaitForWindow(chimo, "#32770", "Error: Top Of The Hour") ? 0 : 1;
    }
    if (std::strcmp(state, "linkerror") == 0) {
        // The web link, clicked while opening it fails: the error box is modal to the About
        // box, which stays disabled under it.
        Post(chimo, 1009);
        if (!WaitForWindow(chimo, "#32770", "About CHIMO!"))
            return 1;
        HWND about = ::FindWindowA("#32770", "About CHIMO!");
        HWND link = ::GetDlgItem(about, 1026);
        ::PostMessageA(about, WM_COMMAND, MAKEWPARAM(1026, STN_CLICKED),
                       reinterpret_cast<LPARAM>(link));
        if (!WaitForWindow(chimo, "#32770", "CHIMO"))
            return 1;
        if (::IsWindowEnabled(about)) {
            std::fprintf(stderr, "the About box is enabled under the error\n");
            return 1;
        }
        return 0;
    }
    if (std::strcmp(state, "browse") == 0) {
        Post(chimo, 1010);
        return WaitForWindow(chimo, nullptr, "CHIMO! Top Of The Hour") ? 0 : 1;
    }
    if (std::strcmp(state, "menu") == 0) {
        ::PostMessageA(chimo, WM_COMMAND, 129, WM_RBUTTONUP); // a right-click on the tray icon
        return WaitForWindow(chimo, "#32768", nullptr) ? 0 : 1;
    }
    std::fprintf(stderr, "unknown state %s\n", state);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: chimo_remote wait|settext ID TEXT|gettext ID|check ID STATE|click "
                     "ID|command ID|settings|state NAME|timechange|about [keep]|quit\n");
        return 2;
    }
    if (std::strcmp(argv[1], "hang") == 0) {
        HWND hwnd = ::CreateWindowExA(0, "STATIC", "CHIMO!", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, nullptr, nullptr);
        ::SetPropA(hwnd, "CHIMO!.Instance", reinterpret_cast<HANDLE>(0x4F4D4843));
        ::Sleep(INFINITE); // never pumps: sent messages are never answered
    }
    HWND chimo = FindChimo(std::strcmp(argv[1], "wait") == 0 ? 20000 : 2000);
    if (!chimo) {
        std::fprintf(stderr, "CHIMO! is not running\n");
        return 1;
    }
    if (std::strcmp(argv[1], "wait") == 0)
        return 0;
    if (std::strcmp(argv[1], "settext") == 0 && argc == 4) {
        HWND item = ::GetDlgItem(chimo, std::atoi(argv[2]));
        return item && ::SendMessageA(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3])) ? 0
                                                                                              : 1;
    }
    if (std::strcmp(argv[1], "gettext") == 0 && argc == 3) {
        HWND item = ::GetDlgItem(chimo, std::atoi(argv[2]));
        if (!item)
            return 1;
        char text[4096] = "";
        ::SendMessageA(item, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", text);
        return 0;
    }
    if (std::strcmp(argv[1], "check") == 0 && argc == 4) {
        HWND item = ::GetDlgItem(chimo, std::atoi(argv[2]));
        if (!item)
            return 1;
        ::SendMessageA(item, BM_SETCHECK, static_cast<WPARAM>(std::atoi(argv[3])), 0);
        return 0;
    }
    if (std::strcmp(argv[1], "click") == 0 && argc == 3) {
        HWND item = ::GetDlgItem(chimo, std::atoi(argv[2]));
        if (!item)
            return 1;
        ::SendMessageA(item, BM_CLICK, 0, 0);
        return 0;
    }
    if (std::strcmp(argv[1], "command") == 0 && argc == 3) {
        ::SendMessageA(chimo, WM_COMMAND, MAKEWPARAM(std::atoi(argv[2]), 0), 0);
        return 0;
    }
    if (std::strcmp(argv[1], "settings") == 0)
        return ShowSettings(chimo) ? 0 : 1;
    if (std::strcmp(argv[1], "state") == 0 && argc == 3)
        return EnterState(chimo, argv[2]);
    if (std::strcmp(argv[1], "endsession") == 0) {
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutA(chimo, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_NORMAL, 5000,
                              &answer);
        if (!answer)
            return 1;
        ::SendMessageTimeoutA(chimo, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_NORMAL, 5000,
                              &answer);
        return 0;
    }
    if (std::strcmp(argv[1], "timechange") == 0) {
        ::SendMessageA(chimo, WM_TIMECHANGE, 0, 0);
        return 0;
    }
    if (std::strcmp(argv[1], "about") == 0) {
        DWORD chimoProcess = 0;
        ::GetWindowThreadProcessId(chimo, &chimoProcess);
        ::PostMessageA(chimo, WM_COMMAND, MAKEWPARAM(1009, BN_CLICKED), 0); // the About button
        HWND about = nullptr;
        for (int waited = 0; waited < 5000 && !about; waited += 50) {
            ::Sleep(50);
            HWND found = ::FindWindowA("#32770", "About CHIMO!");
            DWORD process = 0;
            if (found && ::GetWindowThreadProcessId(found, &process) && process == chimoProcess &&
                ::IsWindowVisible(found))
                about = found;
        }
        if (!about)
            return 1;
        for (int id : {1029, 1026, 1027, 1028}) { // version, web, first and second mail
            char text[256] = "";
            ::GetDlgItemTextA(about, id, text, sizeof text);
            std::printf("%s\n", text);
        }
        if (argc == 3 && std::strcmp(argv[2], "keep") == 0)
            return 0;
        ::PostMessageA(about, WM_COMMAND, IDOK, 0);
        for (int waited = 0; waited < 5000 && ::IsWindow(about); waited += 50)
            ::Sleep(50);
        return ::IsWindow(about) ? 1 : 0;
    }
    if (std::strcmp(argv[1], "quit") == 0) {
        // Ends every instance and waits until their windows are gone, so that the next test
        // cannot talk to a program on its way out.
        for (int pass = 0; pass < 200 && chimo; ++pass) {
            DWORD_PTR ignored;
            ::SendMessageTimeoutA(chimo, WM_DESTROY, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
            ::Sleep(50);
            chimo = ::FindWindowA("#32770", "CHIMO!");
        }
        return chimo ? 1 : 0;
    }
    std::fprintf(stderr, "unknown command %s\n", argv[1]);
    return 2;
}
