#pragma once
// Recording stand-ins for the platform services, installed into the application object.
#include "CWinApp.h"

#include <climits>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class RecordingSound : public ISoundService {
public:
    struct Call {
        std::string name;  // the file name, or "" for a resource
        UINT resource = 0; // the resource id when the name is one
        HMODULE module = nullptr;
        DWORD flags = 0;
    };
    BOOL Play(const char* name, HMODULE module, DWORD flags) override {
        Call call;
        if (IS_INTRESOURCE(name))
            call.resource = static_cast<UINT>(reinterpret_cast<UINT_PTR>(name));
        else if (name)
            call.name = name;
        call.module = module;
        call.flags = flags;
        std::function<void(const Call&)> hook;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_calls.push_back(call);
            hook = onPlay;
        }
        if (hook)
            hook(call);
        return TRUE;
    }
    std::vector<Call> Calls() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls;
    }
    // The resource ids of the cues played, in order.
    std::vector<UINT> Cues() const {
        std::vector<UINT> ids;
        for (const Call& c : Calls())
            if (c.resource)
                ids.push_back(c.resource);
        return ids;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.clear();
    }
    // Runs inside Play, on the caller's thread (to advance a fake clock, say).
    std::function<void(const Call&)> onPlay;

private:
    mutable std::mutex m_mutex;
    std::vector<Call> m_calls;
};

class RecordingTray : public ITrayService {
public:
    struct Call {
        DWORD message;
        NOTIFYICONDATAA data;
        std::string tip() const { return data.szTip; }
    };
    BOOL Notify(DWORD message, NOTIFYICONDATAA* data) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.push_back({message, *data});
        return TRUE;
    }
    std::vector<Call> Calls() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.clear();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<Call> m_calls;
};

// A wall clock the test sets and moves. It keeps the moment (UTC) and the local offset from UTC,
// which may change at given moments, as daylight-saving time does; the local fields are
// derived from both, as the system's localtime does.
class FakeClock : public IClock {
public:
    LocalTime Now() override {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_reads;
        LocalTime t = LocalAt(m_utc);
        t.millisecond = m_millisecond;
        return t;
    }
    // The milliseconds into the current second (0 unless set).
    void SetMillisecond(int millisecond) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_millisecond = millisecond;
    }
    // Sets the local time of day on the current local date.
    void Set(int hour, int minute, int second) {
        std::lock_guard<std::mutex> lock(m_mutex);
        LocalTime today = LocalAt(m_utc);
        long long local = DaysFromCivil(today.year, today.month, today.day) * 86400 +
                          (hour * 60 + minute) * 60 + second;
        m_utc = local - OffsetAt(local - OffsetAt(m_utc));
    }
    // Moves the moment on (or back), as time passing (or the clock being set) does.
    void Advance(long long seconds) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_utc += seconds;
    }
    // From the moment `utc` on, local time is UTC plus `offsetSeconds`.
    void ChangeOffsetAt(long long utc, int offsetSeconds) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_changes.push_back({utc, offsetSeconds});
    }
    long long Utc() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_utc;
    }
    int Reads() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_reads;
    }

    static long long DaysFromCivil(int y, int m, int d) {
        y -= m <= 2;
        const long long era = (y >= 0 ? y : y - 399) / 400;
        const long long yoe = y - era * 400;
        const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
        const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + doe - 719468;
    }

private:
    int OffsetAt(long long utc) const {
        int offset = 0;
        long long latest = LLONG_MIN;
        for (const auto& change : m_changes)
            if (change.first <= utc && change.first >= latest)
                latest = change.first, offset = change.second;
        return offset;
    }
    LocalTime LocalAt(long long utc) const {
        long long local = utc + OffsetAt(utc);
        long long days = local >= 0 ? local / 86400 : (local - 86399) / 86400;
        long long secs = local - days * 86400;
        // Civil date from a day count (days since 1970-01-01).
        long long z = days + 719468;
        const long long era = (z >= 0 ? z : z - 146096) / 146097;
        const long long doe = z - era * 146097;
        const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
        const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
        const long long mp = (5 * doy + 2) / 153;
        LocalTime t;
        t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
        t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
        t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
        t.hour = static_cast<int>(secs / 3600);
        t.minute = static_cast<int>(secs / 60 % 60);
        t.second = static_cast<int>(secs % 60);
        t.utc = utc;
        return t;
    }

    mutable std::mutex m_mutex;
    long long m_utc = DaysFromCivil(2026, 3, 29) * 86400; // midnight UTC, a Sunday
    int m_millisecond = 0;
    std::vector<std::pair<long long, int>> m_changes;
    int m_reads = 0;
};

class ScriptedFileDialog : public IFileDialogService {
public:
    // The path the user "chooses", or empty to cancel.
    std::string choice;
    std::string lastTitle, lastInitialDir, lastFilter;
    HWND lastOwner = nullptr;
    DWORD lastFlags = 0;
    int runs = 0;

    BOOL GetOpenFileName(OPENFILENAMEA* ofn) override {
        ++runs;
        lastTitle = ofn->lpstrTitle ? ofn->lpstrTitle : "";
        lastInitialDir = ofn->lpstrInitialDir ? ofn->lpstrInitialDir : "";
        lastFilter.clear();
        for (const char* p = ofn->lpstrFilter; p && *p; p += lstrlenA(p) + 1)
            lastFilter += std::string(p) + "|";
        lastOwner = ofn->hwndOwner;
        lastFlags = ofn->Flags;
        if (choice.empty())
            return FALSE;
        lstrcpynA(ofn->lpstrFile, choice.c_str(), static_cast<int>(ofn->nMaxFile));
        return TRUE;
    }
};

// The shell's answer about the user, as a test sets it.
class ScriptedUserState : public IUserStateService {
public:
    HRESULT result = S_OK;
    QUERY_USER_NOTIFICATION_STATE state = QUNS_ACCEPTS_NOTIFICATIONS;
    HRESULT Query(QUERY_USER_NOTIFICATION_STATE* out) override {
        if (SUCCEEDED(result))
            *out = state;
        return result;
    }
};

// Installs fakes into the application object for one scope.
struct InstalledFakes {
    RecordingSound sound;
    RecordingTray tray;
    FakeClock clock;
    ScriptedFileDialog files;
    ScriptedUserState user;
    InstalledFakes() {
        AfxGetApp()->SetUserStateService(&user);
        AfxGetApp()->SetSoundService(&sound);
        AfxGetApp()->SetTrayService(&tray);
        AfxGetApp()->SetClock(&clock);
        AfxGetApp()->SetFileDialogService(&files);
    }
    ~InstalledFakes() {
        AfxGetApp()->SetUserStateService(nullptr);
        AfxGetApp()->SetSoundService(nullptr);
        AfxGetApp()->SetTrayService(nullptr);
        AfxGetApp()->SetClock(nullptr);
        AfxGetApp()->SetFileDialogService(nullptr);
    }
};
