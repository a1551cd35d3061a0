#include "PlatformServices.h"

#include <mmsystem.h>

#include <cstring>
#include <ctime>

BOOL Win32SoundService::Play(const char* name, HMODULE module, DWORD flags) {
    return ::PlaySoundA(name, module, flags);
}

BOOL Win32TrayService::Notify(DWORD message, NOTIFYICONDATAA* data) {
    return ::Shell_NotifyIconA(message, data);
}

LocalTime Win32Clock::Now() {
    LocalTime now;
    // One reading for the second and the milliseconds into it (100 ns units since 1601).
    FILETIME ft;
    ::GetSystemTimeAsFileTime(&ft);
    const unsigned long long ticks = (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) |
                                     ft.dwLowDateTime;
    std::time_t t = static_cast<std::time_t>(ticks / 10000000ull - 11644473600ull);
    now.utc = static_cast<long long>(t);
    now.millisecond = static_cast<int>(ticks / 10000ull % 1000ull);
    if (const std::tm* tm = std::localtime(&t)) {
        now.year = tm->tm_year + 1900;
        now.month = tm->tm_mon + 1;
        now.day = tm->tm_mday;
        now.hour = tm->tm_hour;
        now.minute = tm->tm_min;
        now.second = tm->tm_sec;
    }
    return now;
}

FARPROC LoadSystemProc(const char* dll, const char* name) {
    // From the system directory only, never from the current directory or PATH.
    char path[MAX_PATH];
    UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + std::strlen(dll) >= MAX_PATH)
        return nullptr;
    path[length] = '\\';
    std::strcpy(path + length + 1, dll);
    HMODULE module = ::LoadLibraryA(path); // kept loaded for the life of the process
    return module ? ::GetProcAddress(module, name) : nullptr;
}

// The common dialogs (and the print spooler they bring along) are loaded the first time the
// user browses: most runs of the program never do.
BOOL Win32FileDialogService::GetOpenFileName(OPENFILENAMEA* ofn) {
    using Open = BOOL(WINAPI*)(OPENFILENAMEA*);
    static const Open open = SystemProc<Open>("comdlg32.dll", "GetOpenFileNameA");
    return open ? open(ofn) : FALSE;
}
