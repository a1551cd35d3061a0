// Starts a program and prints the seconds until its hidden main window exists:
//   startprobe "COMMAND LINE" TITLE
// The window is a top-level dialog (#32770) with that title in the started process. The
// program keeps running. Exit code 1 when it did not start or no window came within 30 s.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: startprobe \"COMMAND LINE\" TITLE\n");
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
