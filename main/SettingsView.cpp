#include "main/SettingsView.h"

#include "framework/CWnd.h"
#include "core/Schedule.h"
#include "main/SoundSlots.h"
#include "res/resource.h"

#include <commctrl.h>

ChimeOptions SettingsView::Options() const {
    ChimeOptions options;
    options.multi = Checked(IDC_MULTI);
    options.useSame = Checked(IDC_USE_SAME);
    options.disableSecondary = Checked(IDC_DISABLE_SECONDARY);
    options.pattern = PatternFromProfile(
        static_cast<int>(::SendDlgItemMessageW(m_hWnd, IDC_PATTERN, CB_GETCURSEL, 0, 0)));
    return options;
}

int SettingsView::Volume() const {
    const HWND slider = ::GetDlgItem(m_hWnd, IDC_VOLUME);
    return slider ? static_cast<int>(::SendMessageW(slider, TBM_GETPOS, 0, 0)) : 100;
}

int SettingsView::NightVolume() const {
    if (::SendDlgItemMessageW(m_hWnd, IDC_SLEEP_MODE, CB_GETCURSEL, 0, 0) != 1)
        return -1;
    return static_cast<int>(::SendDlgItemMessageW(m_hWnd, IDC_SLEEP_VOLUME, TBM_GETPOS, 0, 0));
}

int SettingsView::TellEvery() const {
    const LRESULT chosen = ::SendDlgItemMessageW(m_hWnd, IDC_TELL_EVERY, CB_GETCURSEL, 0, 0);
    return chosen > 0 && chosen < kTellEveryCount ? kTellEveryValues[chosen] : 0;
}

bool SettingsView::SaysInWords() const {
    return ::SendDlgItemMessageW(m_hWnd, IDC_SPEAK_WORDS, CB_GETCURSEL, 0, 0) == 1;
}

int SettingsView::VoiceRate() const {
    const HWND slider = ::GetDlgItem(m_hWnd, IDC_VOICE_RATE);
    return slider ? static_cast<int>(::SendMessageW(slider, TBM_GETPOS, 0, 0)) : 0;
}

unsigned SettingsView::LeadIn(unsigned leadInMs) const {
    return Checked(IDC_WAKE_SPEAKERS) ? leadInMs : 0;
}

std::string SettingsView::SlotText(SoundSlot slot) const {
    return WindowTextOf(::GetDlgItem(m_hWnd, SlotInfo(slot).edit)).str();
}

std::array<std::string, 4> SettingsView::Slots() const {
    std::array<std::string, 4> texts;
    for (int slot = 0; slot < 4; ++slot)
        texts[slot] = SlotText(static_cast<SoundSlot>(slot));
    return texts;
}
