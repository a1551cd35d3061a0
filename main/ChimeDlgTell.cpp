// "Tell the time": from the tray menu and a key of the whole session, the time struck as a
// quarter repeater strikes it; and the time spoken by the system's voice after each chime.
#include "main/ChimeDlg.h"

#include "core/Repeater.h"
#include "core/Texts.h"
#include "main/SoundSlots.h"

#include <commctrl.h>

namespace {
// The key's id among the window's hot keys.
constexpr int kTellTimeKeyId = 1;

// The samples of slot text `text`'s file; none when it names none, or one that cannot be read.
Pcm SlotSamples(const std::string& text) {
    const std::vector<uint8_t> bytes = ReadSlotFile(text);
    return DecodeWave(bytes.data(), bytes.size());
}

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

void CChimeDlg::RegisterTellTimeKey() {
    IPlatform& platform = Platform();
    platform.UnregisterHotKey(m_hWnd, kTellTimeKeyId);
    // A key of the whole session takes that key from every program: one without Ctrl or Alt
    // (a bare T, F5, Shift+T) is never made one. The control does not let the user type it
    // (Ctrl+Alt takes the place of none or Shift alone); a hand-edited profile can hold it.
    const HWND control = ::GetDlgItem(m_hWnd, IDC_TELL_KEY);
    ::SendMessageA(control, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                   MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    WORD key = static_cast<WORD>(::SendMessageA(control, HKM_GETHOTKEY, 0, 0));
    const bool bare = key && !(HIBYTE(key) & (HOTKEYF_CONTROL | HOTKEYF_ALT));
    if (bare) {
        key = kDefaultTellTimeKey;
        ::SendMessageA(control, HKM_SETHOTKEY, key, 0);
    }
    const bool refused =
        key && !platform.RegisterHotKey(m_hWnd, kTellTimeKeyId,
                                        Modifiers(HIBYTE(key)) | MOD_NOREPEAT, LOBYTE(key));
    // Said beside the key, never in a message box: the menu item tells the time all the same.
    SetDlgItemText(IDC_TELL_KEY_NOTE, refused ? kKeyTaken : bare ? kKeyNeedsModifier : "");
}

void CChimeDlg::OnHotKey(int id) {
    if (id == kTellTimeKeyId)
        TellTime();
}

void CChimeDlg::TellTime() {
    // A second press while it strikes stops the strikes.
    if (m_bTelling && Player().Playing()) {
        Player().Stop();
        return;
    }
    IPlatform& platform = Platform();
    const LocalTime now = platform.Now();
    m_tellHour = now.hour;
    m_tellMinute = now.minute;
    const RepeaterPlan plan = PlanRepeater(now.hour, now.minute, Options());
    const Pcm quarter = plan.quarter ? SlotSamples(SlotText(plan.quarterSlot)) : Pcm();
    const std::vector<uint8_t> mixed =
        MixRepeater(SlotSamples(SlotText(SoundSlot::Hour)), plan.hours, quarter, Volume());
    if (Checked(IDC_SPEAK_TIME))
        platform.Speak(L"", Volume(), Player().Device());
    m_bTelling = TRUE;
    if (mixed.empty()) {
        // Nothing to strike: the Yes cue says that it was heard.
        PlayResource(IDW_CUE_YES);
        SendMessage(WM_TELL_DONE, TRUE);
        return;
    }
    Sound sound;
    sound.leadInMs = WantedLeadIn();
    sound.image = std::make_shared<ChimeImage>(mixed.data(), mixed.size(), 100, sound.leadInMs);
    Player().PlayAsync(sound, m_hWnd, WM_TELL_DONE);
}

void CChimeDlg::OnTellDone(bool whole) {
    m_bTelling = FALSE;
    // After the last strike has sounded; not when a second press stopped them.
    if (whole)
        SpeakTime(m_tellHour, m_tellMinute);
}

void CChimeDlg::SpeakTime(int hour, int minute) {
    if (!Checked(IDC_SPEAK_TIME))
        return;
    const HRESULT spoken = Platform().Speak(SpokenTime(LOCALE_NAME_USER_DEFAULT, hour, minute).text,
                                            Volume(), Player().Device());
    if (FAILED(spoken))
        SetDlgItemText(IDC_SPEAK_NOTE, kNoVoice);
}

void CChimeDlg::ShowVoiceNote() {
    // The voice is asked only once the box is checked (it costs memory from then on), with
    // nothing to say: that also ends any speech still going.
    const bool silent =
        Checked(IDC_SPEAK_TIME) && FAILED(Platform().Speak(L"", Volume(), Player().Device()));
    SetDlgItemText(IDC_SPEAK_NOTE, silent ? kNoVoice : "");
}
