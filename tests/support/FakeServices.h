#pragma once
// Recording stand-ins for the platform services, installed into the application object.
#include "CWinApp.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

class RecordingSound : public ISoundService {
public:
    struct Call {
        std::string name;   // the file name, or "" for a resource
        UINT resource = 0;  // the resource id when the name is one
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

class FakeClock : public IClock {
public:
    LocalTime Now() override {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_reads;
        return m_now;
    }
    void Set(int hour, int minute, int second) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_now.hour = hour;
        m_now.minute = minute;
        m_now.second = second;
    }
    // Moves the clock forward, carrying into minutes and hours (and wrapping at midnight).
    void Advance(int seconds) {
        std::lock_guard<std::mutex> lock(m_mutex);
        int total = ((m_now.hour * 60 + m_now.minute) * 60 + m_now.second + seconds) % 86400;
        if (total < 0)
            total += 86400;
        m_now.hour = total / 3600;
        m_now.minute = total / 60 % 60;
        m_now.second = total % 60;
    }
    int Reads() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_reads;
    }

private:
    mutable std::mutex m_mutex;
    LocalTime m_now;
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

// Installs fakes into the application object for one scope.
struct InstalledFakes {
    RecordingSound sound;
    RecordingTray tray;
    FakeClock clock;
    ScriptedFileDialog files;
    InstalledFakes() {
        AfxGetApp()->SetSoundService(&sound);
        AfxGetApp()->SetTrayService(&tray);
        AfxGetApp()->SetClock(&clock);
        AfxGetApp()->SetFileDialogService(&files);
    }
    ~InstalledFakes() {
        AfxGetApp()->SetSoundService(nullptr);
        AfxGetApp()->SetTrayService(nullptr);
        AfxGetApp()->SetClock(nullptr);
        AfxGetApp()->SetFileDialogService(nullptr);
    }
};
