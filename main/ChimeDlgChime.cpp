// The quarter-hour chime.
#include "main/ChimeDlg.h"

#include "Chime.h"

#include <mmsystem.h>

#include <cstring>

namespace {
int SlotEditId(SoundSlot slot) {
    switch (slot) {
    case SoundSlot::QuarterAfter:
        return IDC_SOUND_QUARTER_AFTER;
    case SoundSlot::HalfPast:
        return IDC_SOUND_HALF_PAST;
    case SoundSlot::QuarterTil:
        return IDC_SOUND_QUARTER_TIL;
    case SoundSlot::Hour:
    default:
        return IDC_SOUND_HOUR;
    }
}
} // namespace

void CChimeDlg::ArmChimeTimer() {
    LocalTime now = AfxGetApp()->Clock().Now();
    m_nArmedDelay = NextQuarterDelay(now.minute, now.second);
    SetTimer(ID_CHIME_TIMER, m_nArmedDelay);
}

void CChimeDlg::ChimeTick(UINT_PTR nIDEvent) {
    CWinApp* app = AfxGetApp();
    // The choice is made for the time at the start of the tick, whatever happens after.
    const LocalTime start = app->Clock().Now();

    if (!m_bDisabled && !RefreshStatus()) {
        app->DoWaitCursor(1);

        char savedTip[sizeof m_nid.szTip];
        std::memcpy(savedTip, m_nid.szTip, sizeof savedTip);
        HICON savedIcon = m_nid.hIcon;
        SetTrayStatus("CHIMO!!!!", IDI_TRAY_RINGING);
        app->Tray().Notify(NIM_MODIFY, &m_nid);

        ChimeChoice choice = SelectChime(start.hour, start.minute, m_chkMulti.GetCheck() != 0,
                                         m_chkUseSame.GetCheck() != 0,
                                         m_chkDisableSecondary.GetCheck() != 0);
        if (choice.play) {
            CString text;
            GetDlgItemText(SlotEditId(choice.slot), text);
            // Synchronous: each strike starts when the previous one has finished.
            for (int i = 0; i < choice.count; ++i)
                app->Sound().Play(text, nullptr, SND_FILENAME | SND_NODEFAULT);
        }

        std::memcpy(m_nid.szTip, savedTip, sizeof savedTip);
        m_nid.hIcon = savedIcon;
        app->Tray().Notify(NIM_MODIFY, &m_nid);
    }

    // Re-armed from the clock as it is after any sound, so lateness never accumulates.
    KillTimer(nIDEvent);
    ArmChimeTimer();
    app->DoWaitCursor(-1);
    Default();
}
