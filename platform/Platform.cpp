#include "platform/Platform.h"

#include "framework/ScopedWin.h"
#include "framework/SystemProc.h"
#include "framework/Unicode.h"
#include "platform/Winmm.h"

#include <tlhelp32.h>

#include <cstring>
#include <cwchar>

namespace {
Win32Platform g_win32;
IPlatform* g_platform = &g_win32;
} // namespace

IPlatform& Platform() { return *g_platform; }
void SetPlatform(IPlatform* platform) { g_platform = platform ? platform : &g_win32; }

BOOL Win32Platform::Play(const char* name, HMODULE module, DWORD flags) {
    return WinmmDll().PlaySoundW(WideText(name), module, flags);
}

void Win32Platform::EndProcess(UINT code) {
    // ExitProcess would run every DLL's detach code while a sound's or the voice's thread may
    // be stopped anywhere inside winmm or SAPI, holding a lock that code waits for: a process
    // that never ends. Ending it outright runs none; what had to be saved has been.
    ::TerminateProcess(::GetCurrentProcess(), code);
}

BOOL Win32Platform::Notify(DWORD message, NOTIFYICONDATAW* data) {
    return ::Shell_NotifyIconW(message, data);
}

LocalTime Win32Platform::Now() {
    LocalTime now;
    // One reading for the moment, the local fields and the milliseconds (100 ns since 1601).
    FILETIME ft;
    ::GetSystemTimeAsFileTime(&ft);
    const unsigned long long ticks =
        (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    now.utc = static_cast<long long>(ticks / 10000000ull) - 11644473600ll;
    now.millisecond = static_cast<int>(ticks / 10000ull % 1000ull);
    // The system's own time zone, as the taskbar clock shows it. The C run-time's localtime
    // would obey a TZ variable instead, and read UTC from any value it cannot parse.
    SYSTEMTIME utc, local;
    if (::FileTimeToSystemTime(&ft, &utc) &&
        ::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
        now.hour = local.wHour;
        now.minute = local.wMinute;
        now.second = local.wSecond;
        now.weekday = (local.wDayOfWeek + 6) % 7; // from Sunday's 0 to Monday's
    }
    now.monotonicMs = static_cast<long long>(::GetTickCount64());
    return now;
}

// The common dialogs (and the print spooler they bring along) are loaded the first time the
// user browses: most runs of the program never do.
BOOL Win32Platform::GetOpenFileName(OPENFILENAMEW* ofn) {
    using Open = BOOL(WINAPI*)(OPENFILENAMEW*);
    static const Open open = SystemProc<Open>("comdlg32.dll", "GetOpenFileNameW");
    return open ? open(ofn) : FALSE;
}

HRESULT Win32Platform::QueryUserState(QUERY_USER_NOTIFICATION_STATE* state) {
    using QueryState = HRESULT(WINAPI*)(QUERY_USER_NOTIFICATION_STATE*);
    static const QueryState query =
        SystemProc<QueryState>("shell32.dll", "SHQueryUserNotificationState");
    return query ? query(state) : E_NOTIMPL;
}

BOOL Win32Platform::RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT key) {
    return ::RegisterHotKey(hwnd, id, modifiers, key);
}

void Win32Platform::UnregisterHotKey(HWND hwnd, int id) { ::UnregisterHotKey(hwnd, id); }

BOOL Win32Platform::PackageRunning(const char* family) {
    using FamilyOf = LONG(WINAPI*)(HANDLE, UINT32*, PWSTR);
    static const FamilyOf familyOf = SystemProc<FamilyOf>("kernel32.dll", "GetPackageFamilyName");
    if (!familyOf)
        return TRUE;
    const WideText wanted(family);
    if (!family || !*family)
        return TRUE;
    CHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = snapshot && ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry)) {
        CHandle process(
            ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        wchar_t name[256];
        UINT32 length = 256;
        if (process && familyOf(process.get(), &length, name) == ERROR_SUCCESS &&
            !lstrcmpiW(name, wanted))
            return TRUE;
    }
    return FALSE;
}

HRESULT Win32Platform::QueryDoNotDisturb(ULONG* size, DWORD* value) {
    // WNF_SHEL_QUIETHOURS_ACTIVE_PROFILE_CHANGED: 0 off, 1 priority only, 2 alarms only.
    using Query = LONG(NTAPI*)(const ULONGLONG*, const GUID*, const void*, ULONG*, void*, ULONG*);
    static const Query query = SystemProc<Query>("ntdll.dll", "NtQueryWnfStateData");
    static const ULONGLONG kQuietHoursProfile = 0x0D83063EA3BF1C75ull;
    if (!query)
        return E_NOTIMPL;
    ULONG stamp = 0;
    BYTE data[16] = {};
    *size = sizeof data;
    if (query(&kQuietHoursProfile, nullptr, nullptr, &stamp, data, size) < 0)
        return E_FAIL;
    std::memcpy(value, data, sizeof *value);
    return S_OK;
}

const GUID kDisplayStateSettings[3] = {
    {0x2B84C20E, 0xAD23, 0x4DDF, {0x93, 0xDB, 0x05, 0xFF, 0xBD, 0x7E, 0xFC, 0xA5}},
    {0x6FE69556, 0x704A, 0x47A0, {0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x47}},
    {0x02731015, 0x4510, 0x4526, {0x99, 0xE6, 0xE5, 0xA1, 0x7E, 0xBD, 0x1A, 0xEA}},
};

void Win32Platform::WatchPresence(HWND hwnd) {
    // The terminal services DLL is no KnownDLL: from the system directory, by its full path.
    using Register = BOOL(WINAPI*)(HWND, DWORD);
    static const Register watchSession =
        SystemProc<Register>("wtsapi32.dll", "WTSRegisterSessionNotification");
    if (watchSession)
        watchSession(hwnd, 0); // NOTIFY_FOR_THIS_SESSION
    using Notify = HPOWERNOTIFY(WINAPI*)(HANDLE, LPCGUID, DWORD);
    static const Notify watchPower =
        SystemProc<Notify>("user32.dll", "RegisterPowerSettingNotification");
    // Kept for the process's life, as the window is.
    for (const GUID& setting : kDisplayStateSettings)
        if (watchPower && watchPower(hwnd, &setting, DEVICE_NOTIFY_WINDOW_HANDLE))
            break;
}

std::vector<std::string> Win32Platform::DisplayLanguages() {
    std::vector<std::string> names;
    ULONG count = 0, size = 0;
    if (!::GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) || size == 0)
        return names;
    std::vector<wchar_t> list(size + 1);
    if (!::GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, list.data(), &size))
        return names;
    // Names one after another, each ended by a NUL, the list by another.
    for (const wchar_t* name = list.data(); *name; name += wcslen(name) + 1)
        names.push_back(Utf8(name, -1).str());
    return names;
}

unsigned long Win32Platform::IdleMs() {
    LASTINPUTINFO last{};
    last.cbSize = sizeof last;
    return ::GetLastInputInfo(&last) ? ::GetTickCount() - last.dwTime : 0;
}
