#pragma once
// "Tell the time": from the tray menu and a key of the whole session, and every few minutes
// when the settings ask for it, the time struck as a quarter repeater strikes it; and the time
// spoken by the voice chosen, after each chime and each tell.
#include "framework/Afx.h"
#include "main/SettingsView.h"
#include "main/VoiceList.h"

#include <commctrl.h>

// Tell the time's key, as the hot-key control gives it (the key in the low byte, HOTKEYF_* in
// the high one): Ctrl+Alt+Shift+T. 0 is no key.
constexpr int kDefaultTellTimeKey = ((HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT) << 8) | 'T';

// The struck time has been heard (wParam TRUE when whole).
constexpr UINT WM_TELL_DONE = WM_APP + 2;
template <> struct Cracker<WM_TELL_DONE> {
    using Signature = void(bool);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM) { return f(w != 0), 0; }
};

// The time of day as the user's short time format writes it ("3:15 PM", "15:15") in locale
// `locale`: what the voice says.
struct TimeText {
    wchar_t text[64];
};
TimeText SpokenTime(const wchar_t* locale, int hour, int minute);
// The same in UTF-8, in the user's locale: what the tray says.
CString ClockText(int hour, int minute);
// Whether the user's clock counts twelve hours (its short time format has an "h").
bool TwelveHourClock();

// The settings window chains this map: the menu command, the key, the strikes' end and the
// speech box.
class CTellTime : public CCmdTarget {
public:
    const MessageMap& GetMessageMap() const override;
    // The settings window (which receives the key and the strikes' end), the lead-in its
    // settings hold and its voice list.
    void Attach(HWND window, const unsigned* leadInMs, CVoiceList* voices);
    // Registers the key shown in its control (after OK, and at the start), and says beside it
    // when Windows refuses it.
    void RegisterKey();
    // Speaks hour:minute when the settings ask for it.
    void SpeakTime(int hour, int minute);
    // The time told every few minutes: hour:minute struck at `volume` (then spoken when the
    // settings ask for it), or only spoken where they ask for that and a voice speaks.
    void TellAt(int hour, int minute, int volume);
    // Ends any speech still going, when the settings speak (a chime starts).
    void Hush();
    // Says beside the box when no voice can speak.
    void ShowVoiceNote();
    // "Speak only" is for the tells every few minutes: greyed while there are none.
    void ShowIntervalState();

private:
    void OnHotKey(int id);
    // Strikes the time now; a second call while it strikes stops it.
    void Tell();
    // Strikes hour:minute at `volume`; the time is spoken after the strikes when the settings
    // ask for it.
    void Strike(int hour, int minute, int volume);
    // Says hour:minute as the settings ask, in the voice chosen; FALSE when no voice speaks.
    bool Say(int hour, int minute);
    // What the voice is to say, how, in the voice's language where CHIMO! speaks it.
    SpeechStyle Style();
    // The struck time has been heard, whole or stopped.
    void OnDone(bool whole);

    HWND m_hWnd = nullptr;
    const unsigned* m_leadInMs = nullptr;
    CVoiceList* m_voices = nullptr;
    bool m_telling = false;
    int m_hour = 0, m_minute = 0;
};
