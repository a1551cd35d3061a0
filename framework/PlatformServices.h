#pragma once
// The platform services that tests must see or control, as small interfaces. The application
// object owns one of each; the Win32 versions are the defaults.

#include "core/LocalTime.h"

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

// PlaySoundA and its flags.
class ISoundService {
public:
    virtual ~ISoundService() = default;
    virtual BOOL Play(const char* name, HMODULE module, DWORD flags) = 0;
};

// Shell_NotifyIconA and the record passed.
class ITrayService {
public:
    virtual ~ITrayService() = default;
    virtual BOOL Notify(DWORD message, NOTIFYICONDATAA* data) = 0;
};

// The local wall clock, in the system's time zone.
class IClock {
public:
    virtual ~IClock() = default;
    virtual LocalTime Now() = 0;
};

// The common open-file dialog.
class IFileDialogService {
public:
    virtual ~IFileDialogService() = default;
    virtual BOOL GetOpenFileName(OPENFILENAMEA* ofn) = 0;
};

// SHQueryUserNotificationState: whether the user can be disturbed now (Windows Vista and
// later; on older systems the call is missing and the answer is a failure).
class IUserStateService {
public:
    virtual ~IUserStateService() = default;
    virtual HRESULT Query(QUERY_USER_NOTIFICATION_STATE* state) = 0;
};

class Win32SoundService : public ISoundService {
public:
    BOOL Play(const char* name, HMODULE module, DWORD flags) override;
};

class Win32TrayService : public ITrayService {
public:
    BOOL Notify(DWORD message, NOTIFYICONDATAA* data) override;
};

class Win32Clock : public IClock {
public:
    LocalTime Now() override;
};

class Win32UserStateService : public IUserStateService {
public:
    HRESULT Query(QUERY_USER_NOTIFICATION_STATE* state) override;
};

class Win32FileDialogService : public IFileDialogService {
public:
    BOOL GetOpenFileName(OPENFILENAMEA* ofn) override;
};

// A function of a system DLL, loaded on first use from the system directory; null when the
// DLL or the function is missing. SystemProc casts it to its real type.
FARPROC LoadSystemProc(const char* dll, const char* name);
template <class F> F SystemProc(const char* dll, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(LoadSystemProc(dll, name)));
}
