// Starts a program and prints the seconds until its hidden main window exists:
//   startprobe "COMMAND LINE" TITLE
// The window is a top-level dialog (#32770) with that title in the started process. The
// program keeps running. Exit code 1 when it did not start or no window came within 30 s.
//
//   startprobe --close TITLE
// closes such a window as the user would (WM_CLOSE) and waits up to 5 s for its process to
// end. Exit code 1 when there was none or it did not end.
#include <windows.h>

#include <cstdio>

namespace {
int Close(const char* title) {
    const HWND window = ::FindWindowA("#32770", title);
    DWORD owner = 0;
    if (!window || !::GetWindowThreadProcessId(window, &owner))
        return 1;
    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, owner);
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    const bool ended = process && ::WaitForSingleObject(process, 5000) == WAIT_OBJECT_0;
    if (process)
        ::CloseHandle(process);
    return ended ? 0 : 1;
}
} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && !lstrcmpA(argv[1], "--close"))
        return Close(argv[2]);
    if (argc != 3) {
        std::fprintf(stderr, "usage: startprobe \"COMMAND LINE\" TITLE | --close TITLE\n");
        return 2;
    }
    LARGE_INTEGER frequency, start, now;
    ::QueryPerformanceFrequency(&frequency);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessA(nullptr, argv[1], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return 1;
    for (;;) {
        HWND found = ::FindWindowA("#32770", argv[2]);
        DWORD owner = 0;
        if (found && ::GetWindowThreadProcessId(found, &owner) && owner == process.dwProcessId)
            break;
        ::QueryPerformanceCounter(&now);
        if (now.QuadPart - start.QuadPart > 30 * frequency.QuadPart)
            return 1;
        ::Sleep(1);
    }
    ::QueryPerformanceCounter(&now);
    std::printf("%.3f\n", static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart);
    return 0;
}
