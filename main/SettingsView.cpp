#include "main/SettingsView.h"

#include "framework/CWnd.h"
#include "main/SoundSlots.h"
#include "res/resource.h"

#include <commctrl.h>

ChimeOptions SettingsView::Options() const {
    ChimeOptions options;
    options.multi = Checked(IDC_MULTI);
    options.useSame = Checked(IDC_USE_SAME);
    options.disableSecondary = Checked(IDC_DISABLE_SECONDARY);
    return options;
}

int SettingsView::Volume() const {
    const HWND slider = ::GetDlgItem(m_hWnd, IDC_VOLUME);
    return slider ? static_cast<int>(::SendMessageW(slider, TBM_GETPOS, 0, 0)) : 100;
}

unsigned SettingsView::LeadIn(unsigned leadInMs) const {
    return Checked(IDC_WAKE_SPEAKERS) ? leadInMs : 0;
}

std::string SettingsView::SlotText(SoundSlot slot) const {
    return WindowTextOf(::GetDlgItem(m_hWnd, SlotInfo(slot).edit)).str();
}
