// The quarter-hour chime.
#include "main/ChimeDlg.h"

#include "core/Chime.h"
#include "main/SoundSlots.h"

#include <mmsystem.h>

#include <cstring>

void CChimeDlg::ArmChimeTimer() {
    const LocalTime now = AfxGetApp()->Clock().Now();
    m_nArmedDelay = NextQuarterDelay(now.minute, now.second);
    m_armedFor = now.utc ? now.utc + m_nArmedDelay / 1000 : 0;
    // A tick that came a little early has rung its boundary already: wait for the next one.
    if (m_armedFor && m_armedFor == m_handledBoundary) {
        m_nArmedDelay += 15 * 60 * 1000;
        m_armedFor += 15 * 60;
    }
    StartChimeTimer(now.millisecond);
}

void CChimeDlg::RearmChimeTimer() {
    const LocalTime now = AfxGetApp()->Clock().Now();
    long long boundary = now.utc ? now.utc - SecondsPastQuarter(now.minute, now.second) : 0;
    m_nArmedDelay = RearmDelay(now.minute, now.second, boundary == m_handledBoundary);
    m_armedFor = now.utc ? now.utc + m_nArmedDelay / 1000 : 0;
    StartChimeTimer(now.millisecond);
}

void CChimeDlg::StartChimeTimer(int millisecond) {
    // Armed to the millisecond, so the chime starts on the boundary, not up to a second later.
    if (m_nArmedDelay > static_cast<unsigned>(millisecond))
        m_nArmedDelay -= static_cast<unsigned>(millisecond);
    // SetTimer replaces a timer of the same id, so a stale one never fires as well.
    SetTimer(ID_CHIME_TIMER, m_nArmedDelay ? m_nArmedDelay : USER_TIMER_MINIMUM);
}

// Timers count elapsed time, not the wall clock: whatever moved the clock or paused the
// machine left the armed delay stale.
void CChimeDlg::OnTimeChange() {
    RearmChimeTimer();
    RefreshStatus();
}

void CChimeDlg::OnPowerBroadcast(UINT event) {
    if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND)
        OnTimeChange();
}

// A full-screen program, a full-screen game or presentation mode: no chime over them. Any other
// answer, or none (a failed call, a system without it), lets the chime ring.
BOOL CChimeDlg::UserIsBusy() {
    QUERY_USER_NOTIFICATION_STATE state = QUNS_ACCEPTS_NOTIFICATIONS;
    if (FAILED(AfxGetApp()->UserState().Query(&state)))
        return FALSE;
    return state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN ||
           state == QUNS_PRESENTATION_MODE;
}

void CChimeDlg::ChimeTick(UINT_PTR nIDEvent) {
    CWinApp* app = AfxGetApp();
    // The choice is made for the time at the start of the tick, whatever happens after.
    const LocalTime start = app->Clock().Now();
    // A tick far from the boundary it was armed for rings nothing: it is a timer that fell due
    // while the machine slept, or one that outlived an unannounced clock change.
    const bool timely = TickIsTimely(m_armedFor, start.utc);
    if (timely)
        m_handledBoundary = m_armedFor;

    if (!timely) {
        RefreshStatus();
    } else if (!m_bDisabled && !RefreshStatus() && (m_bChimeWhenBusy || !UserIsBusy())) {
        app->DoWaitCursor(1);

        char savedTip[sizeof m_nid.szTip];
        std::memcpy(savedTip, m_nid.szTip, sizeof savedTip);
        HICON savedIcon = m_nid.hIcon;
        SetTrayStatus("CHIMO!!!!", IDI_TRAY_RINGING);
        app->Tray().Notify(NIM_MODIFY, &m_nid);

        ChimeChoice choice =
            SelectChime(start.hour, start.minute, m_chkMulti.GetCheck() != 0,
                        m_chkUseSame.GetCheck() != 0, m_chkDisableSecondary.GetCheck() != 0);
        if (choice.play) {
            CString text;
            GetDlgItemText(SlotInfo(choice.slot).edit, text);
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
