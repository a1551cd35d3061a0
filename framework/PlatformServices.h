#pragma once
// The platform operations that tests must see or control, and system functions loaded on
// first use.

#include "core/LocalTime.h"

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

// What the tests must see or control of the platform, one virtual per operation. The
// application object holds one; Win32Platform, the real one, is its default.
class IPlatform {
public:
    virtual ~IPlatform() = default;
    // PlaySoundA and its flags.
    virtual BOOL Play(const char* name, HMODULE module, DWORD flags) = 0;
    // Shell_NotifyIconA and the record passed.
    virtual BOOL Notify(DWORD message, NOTIFYICONDATAA* data) = 0;
    // The local wall clock, in the system's time zone.
    virtual LocalTime Now() = 0;
    // The common open-file dialog.
    virtual BOOL GetOpenFileName(OPENFILENAMEA* ofn) = 0;
    // SHQueryUserNotificationState: whether the user can be disturbed now (Windows Vista and
    // later; on older systems the call is missing and the answer is a failure).
    virtual HRESULT QueryUserState(QUERY_USER_NOTIFICATION_STATE* state) = 0;
};

class Win32Platform : public IPlatform {
public:
    BOOL Play(const char* name, HMODULE module, DWORD flags) override;
    BOOL Notify(DWORD message, NOTIFYICONDATAA* data) override;
    LocalTime Now() override;
    BOOL GetOpenFileName(OPENFILENAMEA* ofn) override;
    HRESULT QueryUserState(QUERY_USER_NOTIFICATION_STATE* state) override;
};

// A function of a system DLL, loaded on first use from the system directory; null when the
// DLL or the function is missing. SystemProc casts it to its real type.
FARPROC LoadSystemProc(const char* dll, const char* name);
template <class F> F SystemProc(const char* dll, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(LoadSystemProc(dll, name)));
}
