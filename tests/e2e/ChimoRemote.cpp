// A small remote control for a running CHIMO.EXE, for the black-box tests:
//   chimo_remote wait              waits until CHIMO!'s hidden main window exists (as long as
//                                  a slow machine's start takes)
//   chimo_remote count             prints how many CHIMO! main windows there are
//   chimo_remote launch N EXE      starts N processes of EXE (a Windows path) at one moment:
//                                  all are created suspended, then resumed together
//   (An ID, a message and its values are names, IDC_SOUND_HOUR, BM_CLICK, or numbers.)
//   chimo_remote settext ID TEXT   sets the text of control ID (as typing would)
//   chimo_remote gettext ID        prints the text of control ID
//   chimo_remote items ID          prints the entries of list box ID, one a line, the chosen
//                                  one marked with "* "
//   chimo_remote send ID MSG W L   sends message MSG with those parameters to control ID, or
//                                  to the window itself for ID 0; fails when it is not
//                                  answered within a minute
//   chimo_remote command ID [CODE] sends the window the command of control or menu item ID
//                                  (with notification CODE)
//   chimo_remote ping MS           fails unless CHIMO! answers within MS milliseconds; prints
//                                  how many it took
//   chimo_remote tooltip [SECONDS] prints the text of the tooltip on the screen, within that
//                                  many seconds (30)
//   chimo_remote state NAME        leaves CHIMO! showing a window with a loop of its own and
//                                  waits until it is up (the names are in the table below)
//   chimo_remote ask ID            sends the command of ID, prints the caption and the text of
//                                  the question it asks (in UTF-8, a line each), answers No
//   chimo_remote endsession        ends the session, as the Restart Manager does
//   chimo_remote quit              ends CHIMO! as a newer instance would, and waits for it
//   chimo_remote hang              plays a hung instance: a window marked as CHIMO!'s whose
//                                  thread never answers
//   chimo_remote old               plays an instance from before the mark (run as CHIMO.EXE),
//                                  and prints "ready" once its window is there
//   chimo_remote load DLL          loads DLL by name, as an import is loaded
//   chimo_remote stranger SECONDS  shows windows titled "CHIMO!" that are not CHIMO!'s, prints
//                                  "ready", and keeps them until CHIMO! has been up for 2 s
//                                  (at most that long); then prints "left alone", or "closed"
//                                  (at once) when any is closed or destroyed
// Exit code 0 on success, 1 when CHIMO! is not running or the command failed. Where the file
// CHIMO_REMOTE_STATUS names is set, what it prints goes to that name with ".out" added, and
// then the code to the file itself: Wine's explorer, which runs a program inside a virtual
// desktop, may return before the program ends, and does not pass either on.
#include "res/resource.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace {
// What a test may name instead of giving a number: the program's ids, as res/resource.h names
// them, and the messages and values the tests send.
const struct {
    const char* name;
    long long value;
} kNames[] = {
#include "ResourceNames.inc"
    {"IDOK", IDOK},
    {"IDCANCEL", IDCANCEL},
    {"WM_NULL", WM_NULL},
    {"WM_COMMAND", WM_COMMAND},
    {"WM_GETOBJECT", WM_GETOBJECT},
    {"BM_CLICK", BM_CLICK},
    {"CB_SETCURSEL", CB_SETCURSEL},
    {"CBN_SELCHANGE", CBN_SELCHANGE},
    {"OBJID_CLIENT", static_cast<LONG>(OBJID_CLIENT)},
};

// `arg` as a number: a name of the table, or written in digits. A name it does not know ends
// the remote: a test that names an id that is gone fails, never sends to another.
long long ValueOf(const char* arg) {
    for (const auto& entry : kNames)
        if (!std::strcmp(entry.name, arg))
            return entry.value;
    char* end = nullptr;
    const long long value = std::strtoll(arg, &end, 0);
    if (!*arg || *end) {
        std::fprintf(stderr, "no id or value is named %s\n", arg);
        std::exit(1);
    }
    return value;
}

// How long a start of CHIMO! may take on a slow, busy machine before `wait` gives up.
constexpr DWORD kStartMs = 120000;
// How long a message sent to CHIMO! may take to be answered on a slow, busy machine.
constexpr DWORD kAnswerMs = 60000;
const char kInstanceProperty[] = "CHIMO!.Instance";

// CHIMO!'s main window, within `ms`: the one with the instance mark, which it gets once its
// controls exist, and only once its thread has answered, when it has finished initialising. A
// window without the mark (a CHIMO! from before the mark, or one still being made) counts when
// no marked one has come for 5 s.
HWND FindChimo(DWORD ms) {
    DWORD unmarkedSince = 0;
    for (DWORD waited = 0;; waited += 50, ::Sleep(50)) {
        HWND found = nullptr, unmarked = nullptr;
        for (HWND w = nullptr; !found && (w = ::FindWindowExA(nullptr, w, "#32770", "CHIMO!"));)
            (::GetPropA(w, kInstanceProperty) ? found : unmarked) = w;
        unmarkedSince = unmarked ? (unmarkedSince ? unmarkedSince : waited + 1) : 0;
        if (!found && unmarked && waited + 1 - unmarkedSince >= 5000)
            found = unmarked;
        DWORD_PTR ignored;
        if (found && ::SendMessageTimeoutA(found, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs, &ignored))
            return found;
        if (waited >= ms)
            return nullptr;
    }
}

// A visible window of CHIMO!'s process with that class and title (either may be nullptr),
// within 30 s: a busy machine can take that long to show a dialog.
HWND WaitForWindow(HWND chimo, const char* className, const char* title) {
    DWORD process = 0, owner = 0;
    ::GetWindowThreadProcessId(chimo, &process);
    for (int waited = 0; waited < 30000; waited += 50, ::Sleep(50))
        for (HWND w = nullptr; (w = ::FindWindowExA(nullptr, w, className, title));)
            if (::GetWindowThreadProcessId(w, &owner) && owner == process && ::IsWindowVisible(w))
                return w;
    return nullptr;
}

int EnterState(HWND chimo, const char* name) {
    struct State {
        const char* name;
        const char* text; // opens the settings window and puts this in control editId first
        int editId;
        WPARAM command; // then posted as WM_COMMAND (0: none; else the tray event in lParam)
        LPARAM lParam;
        const char *className, *title; // the window that shows the state
    } states[] = {
        {"settings", "", 0, 0, 0, "#32770", "CHIMO!"},
        {"about", nullptr, 0, 1009, 0, "#32770", "About CHIMO!"},
        {"linkerror", nullptr, 0, 1009, 0, "#32770", "About CHIMO!"}, // then its link clicked
        {"quit", nullptr, 0, 3, 0, "#32770", "CHIMO!: Exit..."},
        {"invalidtime", "99:99", 1021, 1020, 0, "#32770", "Invalid Time"}, // the timer on
        {"missingfile", "C:\\NO\\SUCH\\FILE.WAV", 1001, IDOK, 0, "#32770",
         "Error: Top Of The Hour"},
        {"browse", nullptr, 0, 1010, 0, nullptr, "CHIMO! Top Of The Hour"},
        // A right-click on the icon, as the shell reports it (its private message, WM_APP + 1).
        {"menu", nullptr, 0, 0, MAKELPARAM(WM_CONTEXTMENU, 129), "#32768", nullptr},
    };
    for (const State& s : states) {
        if (std::strcmp(s.name, name) != 0)
            continue;
        if (s.text) {
            ::PostMessageA(chimo, WM_COMMAND, 32776, 0); // the Settings menu item
            WaitForWindow(chimo, "#32770", "CHIMO!");
            if (s.editId)
                ::SendDlgItemMessageA(chimo, s.editId, WM_SETTEXT, 0,
                                      reinterpret_cast<LPARAM>(s.text));
        }
        if (s.command == 1020) // the Sleep Timer's box, clicked on
            ::SendDlgItemMessageA(chimo, 1020, BM_SETCHECK, BST_CHECKED, 0);
        if (s.command)
            ::PostMessageA(chimo, WM_COMMAND, s.command, s.lParam);
        else if (s.lParam)
            ::PostMessageA(chimo, WM_APP + 1, MAKEWPARAM(100, 100), s.lParam);
        HWND shown = WaitForWindow(chimo, s.className, s.title);
        if (shown && !std::strcmp(name, "linkerror")) {
            ::PostMessageA(shown, WM_COMMAND, MAKEWPARAM(1026, STN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(shown, 1026)));
            shown = WaitForWindow(chimo, "#32770", "CHIMO");
        }
        return shown ? 0 : 1;
    }
    std::fprintf(stderr, "unknown state %s\n", name);
    return 2;
}

// Plays a CHIMO! from before the instance mark, when run as CHIMO.EXE: its settings window, of
// the dialog class and titled "CHIMO!", saves and exits as it is destroyed.
INT_PTR CALLBACK OldVersionProc(HWND, UINT message, WPARAM, LPARAM) {
    if (message == WM_DESTROY)
        ::PostQuitMessage(0);
    return FALSE;
}

int OldVersion() {
    HWND hwnd = ::CreateWindowExA(0, "#32770", "CHIMO!", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    ::SetWindowLongPtrA(hwnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(OldVersionProc));
    std::printf("ready\n");
    std::fflush(stdout);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    return 0;
}

// The running instances' main windows: top-level, titled "CHIMO!", with the instance mark.
int CountInstances() {
    int count = 0;
    for (HWND w = nullptr; (w = ::FindWindowExA(nullptr, w, nullptr, "CHIMO!"));)
        count += ::GetPropA(w, kInstanceProperty) != nullptr;
    return count;
}

// Starts `count` processes of `exe` so that their start-ups overlap: each is created with its
// first thread suspended, and all are resumed one right after another.
int Launch(int count, const char* exe) {
    std::vector<PROCESS_INFORMATION> started;
    for (int i = 0; i < count; ++i) {
        std::string line = std::string("\"") + exe + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                              nullptr, nullptr, &si, &pi)) {
            std::fprintf(stderr, "cannot start %s (error %lu)\n", exe, ::GetLastError());
            return 1;
        }
        started.push_back(pi);
    }
    for (const PROCESS_INFORMATION& pi : started)
        ::ResumeThread(pi.hThread);
    for (const PROCESS_INFORMATION& pi : started) {
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    return 0;
}

int g_closed = 0;
LRESULT CALLBACK StrangerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE || message == WM_DESTROY) {
        ++g_closed;
        std::printf("closed\n");
        std::fflush(stdout);
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

// Shows the strangers, says "ready" on the standard output, and keeps them until a CHIMO! main
// window has been up for two seconds (or `seconds` have passed).
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
    std::printf("ready\n");
    std::fflush(stdout);
    DWORD seen = 0;
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < seconds * 1000u;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        if (!CountInstances())
            seen = 0;
        else if (!seen)
            seen = ::GetTickCount();
        else if (::GetTickCount() - seen > 2000)
            break;
        ::Sleep(20);
    }
    // Said, not only returned: a process another one ended shows Wine's shell an exit code of
    // 0 all the same, and a stranger that was ended has said nothing.
    std::printf(g_closed ? "closed\n" : "left alone\n");
    return g_closed ? 1 : 0;
}
} // namespace

int Run(int argc, char** argv) {
    const char* command = argc > 1 ? argv[1] : "";
    auto is = [command](const char* name) { return !std::strcmp(command, name); };
    if (is("hang")) {
        HWND hwnd = ::CreateWindowExA(0, "STATIC", "CHIMO!", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, nullptr, nullptr);
        ::SetPropA(hwnd, kInstanceProperty, reinterpret_cast<HANDLE>(0x4F4D4843));
        ::Sleep(INFINITE); // never pumps: sent messages are never answered
    }
    if (is("old"))
        return OldVersion();
    if (is("ping") && argc == 3) {
        // Found without waiting for an answer (finding the window waits for one), then asked
        // with a bound: a thread that is not taking its messages fails it.
        HWND found = nullptr;
        for (HWND w = nullptr; !found && (w = ::FindWindowExA(nullptr, w, "#32770", "CHIMO!"));)
            found = ::GetPropA(w, kInstanceProperty) ? w : nullptr;
        const ULONGLONG asked = ::GetTickCount64();
        DWORD_PTR answer = 0;
        if (!found || !::SendMessageTimeoutA(found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                             static_cast<UINT>(std::atoi(argv[2])), &answer))
            return 1;
        std::printf("%u\n", static_cast<unsigned>(::GetTickCount64() - asked));
        return 0;
    }
    if (is("load") && argc == 3)
        return ::LoadLibraryA(argv[2]) ? 0 : 1;
    if (is("stranger") && argc == 3)
        return Strangers(std::atoi(argv[2]));
    if (is("tooltip")) {
        // Whoever shows it (the taskbar, for the tray icon's tip).
        char tip[256] = "";
        DWORD_PTR ignored = 0;
        const int ms = argc > 2 ? std::atoi(argv[2]) * 1000 : 30000;
        for (int waited = 0; waited < ms && !tip[0]; waited += 100, ::Sleep(100))
            for (HWND w = nullptr; (w = ::FindWindowExA(nullptr, w, "tooltips_class32", nullptr));)
                // Sent: GetWindowText of another process's window reads only its caption.
                if (::IsWindowVisible(w) &&
                    ::SendMessageTimeoutA(w, WM_GETTEXT, sizeof tip, reinterpret_cast<LPARAM>(tip),
                                          SMTO_NORMAL, 2000, &ignored) &&
                    tip[0])
                    break;
        return std::printf("%s\n", tip) < 0 || !tip[0];
    }
    if (is("timechange")) {
        // As Windows tells every window when the clock is set.
        DWORD_PTR ignored = 0;
        return ::SendMessageTimeoutA(HWND_BROADCAST, WM_TIMECHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000,
                                     &ignored)
                   ? 0
                   : 1;
    }
    if (is("count"))
        return std::printf("%d\n", CountInstances()) < 0;
    if (is("launch") && argc == 4)
        return Launch(std::atoi(argv[2]), argv[3]);
    HWND chimo = FindChimo(is("wait") ? kStartMs : 2000);
    if (!chimo) {
        if (is("wait"))
            std::fprintf(stderr, "CHIMO!'s window did not appear within %lu s\n", kStartMs / 1000);
        else
            std::fprintf(stderr, "CHIMO! is not running\n");
        return 1;
    }
    const int itemId = argc > 2 && !is("state") ? static_cast<int>(ValueOf(argv[2])) : 0;
    HWND item = itemId ? ::GetDlgItem(chimo, itemId) : nullptr;
    char text[4096] = "";
    DWORD_PTR ignored = 0;
    if (is("wait"))
        return 0;
    if (is("settext") && item && argc == 4)
        return ::SendMessageA(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3])) ? 0 : 1;
    if (is("gettext") && item) {
        wchar_t wide[1024] = L"";
        ::SendMessageW(item, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(wide));
        ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        return std::printf("%s\n", text) < 0;
    }
    if (is("items") && item) {
        // Asked for in UTF-16 (another process's list answers an ANSI request in it too), and
        // printed in UTF-8.
        const LRESULT chosen = ::SendMessageW(item, CB_GETCURSEL, 0, 0);
        for (LRESULT i = 0; i < ::SendMessageW(item, CB_GETCOUNT, 0, 0); ++i) {
            wchar_t wide[1024] = L"";
            if (::SendMessageW(item, CB_GETLBTEXTLEN, i, 0) >= 1024)
                return 1;
            ::SendMessageW(item, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
            ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
            std::printf("%s%s\n", i == chosen ? "* " : "", text);
        }
        return 0;
    }
    if (is("send") && argc == 6) {
        HWND to = itemId ? item : chimo;
        return to && ::SendMessageTimeoutA(to, static_cast<UINT>(ValueOf(argv[3])),
                                           static_cast<WPARAM>(ValueOf(argv[4])),
                                           static_cast<LPARAM>(ValueOf(argv[5])), SMTO_NORMAL,
                                           kAnswerMs, &ignored)
                   ? 0
                   : 1;
    }
    if (is("command") && (argc == 3 || argc == 4)) {
        // As the control (or the menu, for an id that is no control's) sends it.
        const WORD code = argc == 4 ? static_cast<WORD>(ValueOf(argv[3])) : 0;
        return ::SendMessageTimeoutA(chimo, WM_COMMAND, MAKEWPARAM(itemId, code),
                                     reinterpret_cast<LPARAM>(item), SMTO_NORMAL, kAnswerMs,
                                     &ignored)
                   ? 0
                   : 1;
    }
    if (is("state") && argc == 3)
        return EnterState(chimo, argv[2]);
    if (is("endsession")) {
        ::SendMessageTimeoutA(chimo, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_NORMAL, 5000,
                              &ignored);
        ::SendMessageTimeoutA(chimo, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_NORMAL, 5000,
                              &ignored);
        return 0;
    }
    if (is("ask") && argc == 3) {
        ::PostMessageW(chimo, WM_COMMAND, static_cast<WPARAM>(itemId), 0);
        DWORD process = 0, owner = 0;
        ::GetWindowThreadProcessId(chimo, &process);
        for (int waited = 0; waited < 30000; waited += 50, ::Sleep(50))
            for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, L"#32770", nullptr));) {
                if (w == chimo || !::GetWindowThreadProcessId(w, &owner) || owner != process ||
                    !::IsWindowVisible(w))
                    continue;
                for (HWND part : {w, ::GetDlgItem(w, 0xFFFF)}) {
                    wchar_t wide[1024] = L"";
                    ::SendMessageW(part, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(wide));
                    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr,
                                          nullptr);
                    std::printf("%s\n", text);
                }
                ::PostMessageW(w, WM_COMMAND, IDNO, 0);
                return 0;
            }
        return 1;
    }
    if (is("quit")) {
        // Ends every instance and waits until their windows are gone, so that the next test
        // cannot talk to a program on its way out.
        for (int pass = 0; pass < 200 && chimo; ++pass, ::Sleep(50)) {
            ::SendMessageTimeoutA(chimo, WM_DESTROY, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
            chimo = ::FindWindowA("#32770", "CHIMO!");
        }
        return chimo ? 1 : 0;
    }
    std::fprintf(stderr,
                 "usage: chimo_remote wait|count|launch N EXE|settext ID TEXT|gettext ID|items ID|"
                 "send ID MSG W L|state NAME|endsession|quit|hang|old|stranger SECONDS|"
                 "tooltip|timechange\n");
    return 2;
}

int main(int argc, char** argv) {
    const char* status = std::getenv("CHIMO_REMOTE_STATUS");
    if (status)
        std::freopen((std::string(status) + ".out").c_str(), "w", stdout);
    const int code = Run(argc, argv);
    if (status) {
        std::fflush(stdout);
        if (FILE* f = std::fopen(status, "wb")) {
            std::fprintf(f, "%d\n", code);
            std::fclose(f);
        }
    }
    return code;
}
