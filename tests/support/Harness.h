#pragma once
// What the in-process tests share: the platform faked, the program's stores as a test sees
// them, and a dialog run modally on a thread of its own that the test drives with SendMessage.
#include "framework/Afx.h"
#include "platform/Platform.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The platform, installed into the application object for the object's lifetime:
// sounds and tray calls are recorded, the wall clock is the test's, and so are the answers of
// the file dialog and of the shell about the user.
class FakePlatform : public IPlatform {
public:
    FakePlatform();
    ~FakePlatform() override;

    // A sound: a file played as named (PlaySound), or samples written to an opened device.
    struct Sound {
        std::string name;             // the file played as named, or ""
        DWORD flags = 0;              // PlaySound's flags, as named
        std::string device;           // the device opened ("" the default), from memory
        std::vector<uint8_t> format;  // the WAVEFORMATEX it was opened with
        std::vector<uint8_t> samples; // every block written, in order, as read at the close
        std::vector<size_t> blocks;   // the size of each
        UINT resource = 0;            // the program's WAVE resource these samples are, or 0
        ULONGLONG written = 0;        // GetTickCount64 when the first block came
        bool cut = false;             // the device was closed before it had played everything
    };
    // The sounds since the last Clear, once the one playing has ended (at most 5 s).
    std::vector<Sound> Sounds() const;
    std::vector<std::string> Files() const;                 // the files played by name, in order
    std::vector<NOTIFYICONDATAW> Tray(DWORD message) const; // the records sent with `message`
    void Clear();
    // Runs as a sound starts: in PlaySound, or at a device's first block (on the sound's thread).
    std::function<void(const Sound&)> onPlay;
    // The connected output devices, and a device that never finishes playing what it takes.
    std::vector<SoundDevice> devices;
    std::atomic<bool> stall{false};
    // A device that plays in real time (its samples' length), one that takes this long to
    // open, and one whose close fails (the driver keeps the blocks it was given).
    std::atomic<bool> realTime{false};
    std::atomic<DWORD> openDelayMs{0};
    std::atomic<bool> closeFails{false};
    // The blocks of every device whose close failed, read now (as its driver may still read them).
    std::vector<std::vector<uint8_t>> StrandedSamples() const;

    // The local time of day (local time is UTC here); the date stays. Both this and Advance
    // move the clock that never jumps as well: time passes.
    void SetTime(int hour, int minute, int second, int millisecond = 0);
    void Advance(long long seconds) { m_utc += seconds; }

    // Hot keys registered now (MOD_* and the key of each), and one that Windows refuses.
    std::vector<std::pair<UINT, UINT>> HotKeys() const;
    std::pair<UINT, UINT> refusedKey{0, 0};
    // What the voice was asked to say, in order ("" ends a speech), and its answer.
    std::vector<std::wstring> Spoken() const;
    // The device each speech was to go to, in order ("" the default).
    std::vector<std::string> SpokenOn() const;
    // How the last text was spoken.
    SpeechStyle LastStyle() const;
    // The voices installed.
    std::vector<VoiceInfo> voices;
    std::atomic<HRESULT> voice{S_OK};
    // Whether the voice was told to fall silent, and with what exit code the process was ended
    // (-1 while it was not).
    std::atomic<bool> speechStopped{false};
    std::atomic<int> endedWith{-1};

    // The Do-not-disturb record: its read's result, size and value.
    HRESULT dndResult = E_NOTIMPL;
    ULONG dndSize = 4;
    DWORD dndValue = 0;
    // The Store app package families with a process running.
    std::vector<std::string> packages;

    std::string choice; // the file dialog's answer; "" cancels
    std::string lastTitle, lastFolder;
    HRESULT userResult = S_OK;
    QUERY_USER_NOTIFICATION_STATE userState = QUNS_ACCEPTS_NOTIFICATIONS;
    HWND watching = nullptr;  // the window told of the session and the display, once asked
    unsigned long idleMs = 0; // since the last input
    std::vector<std::string> displayLanguages{"en-US"};

private:
    BOOL Play(const char* name, HMODULE module, DWORD flags) override;
    std::vector<SoundDevice> SoundDevices() override;
    std::unique_ptr<ISoundOut> OpenSound(const std::string& id, const void* format) override;
    BOOL Notify(DWORD message, NOTIFYICONDATAW* data) override;
    LocalTime Now() override;
    BOOL GetOpenFileName(OPENFILENAMEW* ofn) override;
    HRESULT QueryUserState(QUERY_USER_NOTIFICATION_STATE* state) override;
    BOOL PackageRunning(const char* family) override;
    HRESULT QueryDoNotDisturb(ULONG* size, DWORD* value) override;
    BOOL RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT key) override;
    void UnregisterHotKey(HWND hwnd, int id) override;
    HRESULT Speak(const wchar_t* text, const SpeechStyle& style) override;
    std::vector<VoiceInfo> Voices() override { return voices; }
    void StopSpeech(DWORD) override { speechStopped = true; }
    void EndProcess(UINT code) override { endedWith = static_cast<int>(code); }
    void WatchPresence(HWND hwnd) override { watching = hwnd; }
    unsigned long IdleMs() override { return idleMs; }
    std::vector<std::string> DisplayLanguages() override { return displayLanguages; }

    class Out;
    std::vector<std::string> m_spokenOn;
    SpeechStyle m_lastStyle;
    std::vector<std::vector<std::pair<const uint8_t*, size_t>>> m_stranded;
    std::vector<std::pair<int, std::pair<UINT, UINT>>> m_hotKeys;
    std::vector<std::wstring> m_spoken;
    mutable std::mutex m_mutex;
    std::vector<Sound> m_sounds;
    std::atomic<int> m_open{0}; // devices opened and not yet closed (or stranded)
    std::atomic<int> m_strandedCount{0};
    std::vector<std::pair<DWORD, NOTIFYICONDATAW>> m_tray;
    std::atomic<long long> m_utc{20541LL * 86400}; // 2026-03-29, midnight UTC
    std::atomic<int> m_millisecond{0};
};

// The pop-up menu showing now (waiting up to 3 s for one), or nullptr.
inline HWND FindMenuWindow() {
    for (int waited = 0; waited < 3000; waited += 10, ::Sleep(10))
        if (HWND menu = ::FindWindowA("#32768", nullptr); menu && ::IsWindowVisible(menu))
            return menu;
    return nullptr;
}

// The elapse of the window's last SetTimer of `id` (0 if none), as the program asked for it.
UINT TimerSet(UINT_PTR id);

// The private profile's full path, and a clean account: no slot keys, no profile.
std::string ProfilePath();
void ForgetStoredSettings();
// The text stored for a slot, "<none>" when there is none.
std::string StoredSlot(const char* slotKey);

// A message box the dialog's thread showed.
struct Box {
    std::string caption, text;
    bool yesNo;
    HWND owner;
};

// Runs `dialog.DoModal()` on a thread of its own and waits until its modal loop runs. The first
// session is the application's main window; one started while it runs is a dialog of it. Message
// boxes on that thread are recorded and answered with the queued answers, else No, else OK. The
// dialog's own timers never fire: a test sends WM_TIMER when it wants a tick.
class ModalSession {
public:
    explicit ModalSession(CDialog& dialog, std::vector<int> answers = {});
    ~ModalSession();
    ModalSession(const ModalSession&) = delete;
    ModalSession& operator=(const ModalSession&) = delete;

    HWND hwnd() const { return m_hwnd; }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hwnd, message, wParam, lParam);
    }
    void Command(UINT id) const { Send(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    std::string Text(int id) const;
    void SetText(int id, const std::string& text) const {
        ::SetDlgItemTextA(m_hwnd, id, text.c_str());
    }
    int Check(int id) const {
        return static_cast<int>(::SendDlgItemMessageA(m_hwnd, id, BM_GETCHECK, 0, 0));
    }
    void SetCheck(int id, int state) const {
        ::SendDlgItemMessageA(m_hwnd, id, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    }
    void Answer(int button);
    std::vector<Box> Boxes() const;
    // What the window went through, in order: "show" and "hide" (asked for), "visible" (shown
    // indeed), "active", "minimize".
    std::vector<std::string> Events() const;
    void Clear();
    bool WaitForEnd(DWORD ms = 5000);
    bool Ended() const { return m_ended; }
    // Serves this thread, and lets the dialog's drain its queue, until `done` holds (at most 5 s).
    bool SettleUntil(const std::function<bool()>& done) const;
    // Returns once the dialog has handled every message posted to it before the call.
    bool Drain();

private:
    static LRESULT CALLBACK Activated(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK Called(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK Got(int code, WPARAM wParam, LPARAM lParam);

    CDialog& m_dialog;
    mutable std::mutex m_mutex;
    std::vector<int> m_answers;
    std::vector<Box> m_boxes;
    std::vector<HWND> m_answered;
    std::vector<std::string> m_events;
    std::thread m_thread;
    bool m_asMainWindow;
    HWND m_hwnd = nullptr;
    std::atomic<bool> m_looping{false}, m_ended{false};
    std::atomic<unsigned> m_drainPosted{0}, m_drained{0};
};
