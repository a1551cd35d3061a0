#include "main/TellTime.h"

#include "core/Languages.h"
#include "core/Repeater.h"
#include "core/TimeWords.h"
#include "framework/Language.h"
#include "main/SlotSound.h"
#include "platform/Platform.h"
#include "res/resource.h"
#include "sound/SoundPlayer.h"

#include <utility>

namespace {
// The key's id among the window's hot keys.
constexpr int kTellTimeKeyId = 1;

// HOTKEYF_* of the hot-key control as MOD_* of RegisterHotKey.
UINT Modifiers(BYTE flags) {
    return (flags & HOTKEYF_ALT ? MOD_ALT : 0) | (flags & HOTKEYF_CONTROL ? MOD_CONTROL : 0) |
           (flags & HOTKEYF_SHIFT ? MOD_SHIFT : 0);
}
} // namespace

TimeText SpokenTime(const wchar_t* locale, int hour, int minute) {
    SYSTEMTIME time{};
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    TimeText said{};
    // The short time format, as the taskbar's clock shows the time. Without a format the call
    // gives the long one less its seconds, which differs wherever the user set the two apart.
    wchar_t format[80];
    if (::GetLocaleInfoEx(locale, LOCALE_SSHORTTIME, format, 80) > 0 &&
        ::GetTimeFormatEx(locale, 0, &time, format, said.text, 64) > 0)
        return said;
    ::GetTimeFormatEx(locale, TIME_NOSECONDS, &time, nullptr, said.text, 64);
    return said;
}

CString ClockText(int hour, int minute) {
    return Utf8(SpokenTime(LOCALE_NAME_USER_DEFAULT, hour, minute).text);
}

bool TwelveHourClock() {
    wchar_t format[80];
    if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTTIME, format, 80) <= 0)
        return false;
    // Quoted text is no pattern.
    bool quoted = false;
    for (const wchar_t* c = format; *c; ++c) {
        quoted = *c == L'\'' ? !quoted : quoted;
        if (!quoted && *c == L'h')
            return true;
    }
    return false;
}

const MessageMap& CTellTime::GetMessageMap() const {
    static const MessageMap map{
        &CCmdTarget::GetMessageMap(),
        {
            on::Command(ID_TELL_TIME, &CTellTime::Tell),
            on::Message<WM_HOTKEY>(&CTellTime::OnHotKey),
            on::Message<WM_TELL_DONE>(&CTellTime::OnDone),
            on::Command(IDC_SPEAK_TIME, &CTellTime::ShowVoiceNote),
            on::Command(IDC_SPEAK_ONLY, &CTellTime::ShowVoiceNote),
            on::Control(CBN_SELCHANGE, IDC_TELL_EVERY, &CTellTime::ShowIntervalState),
        }};
    return map;
}

void CTellTime::Attach(HWND window, const unsigned* leadInMs, CVoiceList* voices) {
    m_hWnd = window;
    m_leadInMs = leadInMs;
    m_voices = voices;
}

void CTellTime::RegisterKey() {
    IPlatform& platform = Platform();
    platform.UnregisterHotKey(m_hWnd, kTellTimeKeyId);
    // A key of the whole session takes that key from every program: one without Ctrl or Alt
    // (a bare T, F5, Shift+T) is never made one. The control does not let the user type it
    // (Ctrl+Alt takes the place of none or Shift alone); a hand-edited profile can hold it.
    const HWND control = ::GetDlgItem(m_hWnd, IDC_TELL_KEY);
    ::SendMessageW(control, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                   MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    WORD key = static_cast<WORD>(::SendMessageW(control, HKM_GETHOTKEY, 0, 0));
    const bool bare = key && !(HIBYTE(key) & (HOTKEYF_CONTROL | HOTKEYF_ALT));
    if (bare) {
        key = kDefaultTellTimeKey;
        ::SendMessageW(control, HKM_SETHOTKEY, key, 0);
    }
    const bool refused =
        key && !platform.RegisterHotKey(m_hWnd, kTellTimeKeyId,
                                        Modifiers(HIBYTE(key)) | MOD_NOREPEAT, LOBYTE(key));
    // Said beside the key, never in a message box: the menu item tells the time all the same.
    SetWindowTextOf(::GetDlgItem(m_hWnd, IDC_TELL_KEY_NOTE), refused ? LoadText(IDS_KEY_TAKEN)
                                                             : bare
                                                                 ? LoadText(IDS_KEY_NEEDS_MODIFIER)
                                                                 : CString());
}

void CTellTime::OnHotKey(int id) {
    if (id == kTellTimeKeyId)
        Tell();
}

void CTellTime::Tell() {
    // A second press while it strikes stops the strikes.
    if (m_telling && Player().Playing()) {
        Player().Stop();
        return;
    }
    const LocalTime now = Platform().Now();
    Strike(now.hour, now.minute, SettingsView(m_hWnd).Volume());
}

void CTellTime::TellAt(int hour, int minute, int volume) {
    if (m_telling && Player().Playing())
        return;
    if (SettingsView(m_hWnd).Checked(IDC_SPEAK_ONLY)) {
        Hush();
        if (Say(hour, minute))
            return;
    }
    Strike(hour, minute, volume);
}

void CTellTime::Strike(int hour, int minute, int volume) {
    const SettingsView view(m_hWnd);
    m_hour = hour;
    m_minute = minute;
    const std::vector<uint8_t> mixed =
        MixSlotStrokes(TellStrokes(hour, minute, view.Options()), view.Slots(), volume);
    Hush();
    m_telling = true;
    if (mixed.empty()) {
        // Nothing to strike: the Yes cue says that it was heard.
        PlayResource(IDW_CUE_YES);
        ::SendMessageW(m_hWnd, WM_TELL_DONE, TRUE, 0);
        return;
    }
    Sound sound;
    sound.leadInMs = view.LeadIn(m_leadInMs ? *m_leadInMs : 0);
    sound.image = std::make_shared<ChimeImage>(mixed.data(), mixed.size(), 100, sound.leadInMs);
    Player().PlayAsync(sound, m_hWnd, WM_TELL_DONE);
}

void CTellTime::OnDone(bool whole) {
    m_telling = false;
    // After the last strike has sounded; not when a second press stopped them.
    if (whole)
        SpeakTime(m_hour, m_minute);
}

void CTellTime::SpeakTime(int hour, int minute) {
    if (SettingsView(m_hWnd).Checked(IDC_SPEAK_TIME))
        Say(hour, minute);
}

SpeechStyle CTellTime::Style() {
    const SettingsView view(m_hWnd);
    SpeechStyle style;
    style.volume = view.Volume();
    style.device = Player().Device();
    style.voice = m_voices ? m_voices->Chosen().id : std::string();
    style.rate = view.VoiceRate();
    return style;
}

bool CTellTime::Say(int hour, int minute) {
    const SettingsView view(m_hWnd);
    HRESULT spoken;
    if (view.SaysInWords()) {
        // In the voice's language where CHIMO! speaks it, else in CHIMO!'s own.
        int language = m_voices ? LanguageNamed(m_voices->Speaking().language) : -1;
        for (int i = 0; language < 0 && i < kLanguageCount; ++i)
            if (kLanguages[i].id == TextLanguage())
                language = i;
        const std::string words = TimeInWords(language, hour, minute, TwelveHourClock());
        spoken = Platform().Speak(WideText(words), Style());
    } else {
        spoken = Platform().Speak(SpokenTime(LOCALE_NAME_USER_DEFAULT, hour, minute).text, Style());
    }
    if (FAILED(spoken))
        SetWindowTextOf(::GetDlgItem(m_hWnd, IDC_SPEAK_NOTE), LoadText(IDS_NO_VOICE));
    return SUCCEEDED(spoken);
}

void CTellTime::Hush() {
    const SettingsView view(m_hWnd);
    if (view.Checked(IDC_SPEAK_TIME) || view.Checked(IDC_SPEAK_ONLY))
        Platform().Speak(L"", Style());
}

void CTellTime::ShowVoiceNote() {
    // The voice is asked only once a box asks for speech (it costs memory from then on), with
    // nothing to say: that also ends any speech still going.
    const SettingsView view(m_hWnd);
    const bool silent = (view.Checked(IDC_SPEAK_TIME) || view.Checked(IDC_SPEAK_ONLY)) &&
                        FAILED(Platform().Speak(L"", Style()));
    SetWindowTextOf(::GetDlgItem(m_hWnd, IDC_SPEAK_NOTE),
                    silent ? LoadText(IDS_NO_VOICE) : CString());
}

void CTellTime::ShowIntervalState() {
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SPEAK_ONLY), SettingsView(m_hWnd).TellEvery() != 0);
}
