#pragma once
// The platform operations that tests must see or control: one seam for the whole program.

#include "core/LocalTime.h"

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

// An output device: its endpoint ID, which stays the same across restarts and re-plugging, and
// its friendly name ("Speakers (Realtek High Definition Audio)").
struct SoundDevice {
    std::string id, name;
};

// An installed voice: its object token's ID, its name ("Microsoft Zira Desktop") and its
// language ("en-US"; "" where the token names none).
struct VoiceInfo {
    std::string id, name, language;
};

// How a text is spoken: at `volume` (0 to 100), on the output device `device` ("" the
// default), by the voice whose token is `voice` ("" or one not installed: Windows' voice), at
// `rate` (-10 slowest to 10 fastest, 0 the voice's own).
struct SpeechStyle {
    int volume = 100;
    std::string device, voice;
    int rate = 0;
};

// One output device opened for one sound: blocks of samples that play one after another.
class ISoundOut {
public:
    // Closes the device unless Close did.
    virtual ~ISoundOut() = default;
    // Queues `size` bytes of samples to play after the blocks before them; they must stay
    // valid until the device is closed. FALSE when the device does not take them.
    virtual bool Write(const void* samples, size_t size) = 0;
    // Waits until every block written has played (TRUE), or until `cancel` is signalled or
    // `ms` have passed (FALSE).
    virtual bool WaitPlayed(HANDLE cancel, DWORD ms) = 0;
    // Stops whatever still plays and closes the device. FALSE when the device would not let go
    // of the blocks written (it is gone, or its driver is stuck): they must then stay valid for
    // good, and so must this object.
    virtual bool Close() = 0;
};

// What the tests must see or control of the platform, one virtual per operation. The
// application object holds one; Win32Platform, the real one, is its default.
class IPlatform {
public:
    virtual ~IPlatform() = default;
    // PlaySound and its flags: the sound file `name` (UTF-8; null: stop) played on the default
    // device.
    virtual BOOL Play(const char* name, HMODULE module, DWORD flags) = 0;
    // The output devices connected now; the default device is not among them.
    virtual std::vector<SoundDevice> SoundDevices() = 0;
    // Output device `id`, looked up now, opened for `format` (a WAVEFORMATEX): the default
    // device when `id` is empty or not connected. The system converts or decodes a format the
    // device does not take where it can; nullptr where it cannot.
    virtual std::unique_ptr<ISoundOut> OpenSound(const std::string& id, const void* format) = 0;
    // Shell_NotifyIcon and the record passed.
    virtual BOOL Notify(DWORD message, NOTIFYICONDATAW* data) = 0;
    // The local wall clock, in the system's time zone.
    virtual LocalTime Now() = 0;
    // The common open-file dialog.
    virtual BOOL GetOpenFileName(OPENFILENAMEW* ofn) = 0;
    // SHQueryUserNotificationState: whether the user can be disturbed now (Windows Vista and
    // later; on older systems the call is missing and the answer is a failure).
    virtual HRESULT QueryUserState(QUERY_USER_NOTIFICATION_STATE* state) = 0;
    // Whether a process of the Store app package family `family` runs: through
    // GetPackageFamilyName (Windows 8 and later); TRUE where that cannot be told.
    virtual BOOL PackageRunning(const char* family) = 0;
    // Windows' Do not disturb (Focus assist): its state record, which no documented interface
    // gives (read with ntdll's NtQueryWnfStateData, found at run time). `size` is the record's
    // size in bytes, `value` its first four; a failure where it cannot be read.
    virtual HRESULT QueryDoNotDisturb(ULONG* size, DWORD* value) = 0;
    // RegisterHotKey and UnregisterHotKey: a key combination of the whole session, sent to
    // `hwnd` as WM_HOTKEY; FALSE when Windows refuses it (another program holds it).
    virtual BOOL RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT key) = 0;
    virtual void UnregisterHotKey(HWND hwnd, int id) = 0;
    // Speaks `text` asynchronously in `style`, ending any speech still going; empty text only
    // ends it. A failure when no voice can speak.
    virtual HRESULT Speak(const wchar_t* text, const SpeechStyle& style) = 0;
    // The voices installed for this program's bitness: the desktop ones (SAPI 5), then the
    // newer ones Windows' own settings offer (OneCore) that the first do not hold already.
    virtual std::vector<VoiceInfo> Voices() = 0;
    // Ends any speech, waiting up to `ms` for the voice to fall silent; nothing where no voice
    // has been asked to speak.
    virtual void StopSpeech(DWORD ms) = 0;
    // Ends the process at once with exit code `code`, running no DLL's detach code.
    virtual void EndProcess(UINT code) = 0;
    // Asks that `hwnd` be told of the session's lock, unlock, connects and disconnects
    // (WM_WTSSESSION_CHANGE) and of the display going off and on (WM_POWERBROADCAST,
    // PBT_POWERSETTINGCHANGE, for the first of the session's display, the console's display
    // and the monitor's power that the system knows); nothing where it has none of them.
    virtual void WatchPresence(HWND hwnd) = 0;
    // Milliseconds since the user's last input (GetLastInputInfo); 0 where it cannot be told.
    virtual unsigned long IdleMs() = 0;
    // The user's display languages, most wanted first ("de-AT", "de", "en-US"); empty where
    // Windows cannot tell them.
    virtual std::vector<std::string> DisplayLanguages() = 0;
};

class Win32Platform : public IPlatform {
public:
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
    std::vector<VoiceInfo> Voices() override;
    void StopSpeech(DWORD ms) override;
    void EndProcess(UINT code) override;
    void WatchPresence(HWND hwnd) override;
    unsigned long IdleMs() override;
    std::vector<std::string> DisplayLanguages() override;
};

// The power settings that tell the display's state, the first the system knows taken: the
// session's display (Windows 8 and later), the console's display, the monitor's power (Vista).
// The data of each is a DWORD, 0 for off.
extern const GUID kDisplayStateSettings[3];

// The waveOut number of the output device whose endpoint ID is `id`, looked up now;
// WAVE_MAPPER (the default device) for "" and for an ID that no connected device has.
UINT WaveOutNumber(const std::string& id);

// The platform the program uses: Win32Platform unless a test has put its own in place.
IPlatform& Platform();
// Replaces the platform (tests); nullptr restores the Win32 one.
void SetPlatform(IPlatform* platform);
