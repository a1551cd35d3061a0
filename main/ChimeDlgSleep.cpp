// The Sleep Timer: quiet hours typed like "06:30pm".
#include "main/ChimeDlg.h"

#include "QuietHours.h"
#include "SleepTime.h"

BOOL CChimeDlg::ParseSleepTime(CString& text, BOOL isStart) {
    SleepTimeParse parsed = ParseSleepTimeText(text.str());
    text = CString(parsed.text);
    if (!parsed.ok)
        return FALSE;
    (isStart ? m_nSleepStart : m_nSleepStop) = parsed.hhmm;
    return TRUE;
}
BOOL CChimeDlg::IsSleeping(int t) {
    int state = static_cast<int>(m_chkSleepTimer.SendMessage(BM_GETCHECK, 0, 0));
    return InQuietHours(state, m_nSleepStart, m_nSleepStop, t);
}
BOOL CChimeDlg::ParseSleepTimes(CString& start, CString& stop, BOOL& startOk) {
    GetDlgItemText(IDC_SLEEP_START, start);
    GetDlgItemText(IDC_SLEEP_STOP, stop);
    // The stop time is looked at only when the start time is valid.
    startOk = ParseSleepTime(start, TRUE);
    return startOk && ParseSleepTime(stop, FALSE);
}

void CChimeDlg::ApplySleepTimerState() {
    // The three-state box is the only record of whether the timer is on.
    const int state = m_chkSleepTimer.GetCheck();
    if (state == BST_UNCHECKED || state == BST_INDETERMINATE) {
        m_editSleepStart.SetReadOnly(TRUE);
        m_editSleepStop.SetReadOnly(TRUE);
        m_chkSleepTimer.SetCheck(BST_UNCHECKED);
    } else if (state == BST_CHECKED) {
        m_editSleepStart.SetReadOnly(FALSE);
        m_editSleepStop.SetReadOnly(FALSE);
        CString start, stop;
        BOOL startOk = FALSE;
        if (ParseSleepTimes(start, stop, startOk)) {
            m_chkSleepTimer.SetCheck(BST_CHECKED);
        } else {
            // Written back trimmed (the start normalised if it parsed; the stop as it was if
            // it was never parsed).
            SetDlgItemText(IDC_SLEEP_START, start);
            SetDlgItemText(IDC_SLEEP_STOP, stop);
            m_chkSleepTimer.SetCheck(BST_INDETERMINATE);
            if (m_bShown) {
                MessageBox("Please enter time in this fashion:\n06:30pm", "Invalid Time", MB_OK);
                CEdit& offending = startOk ? m_editSleepStop : m_editSleepStart;
                offending.SetFocus();
                offending.SetSel(0, -1);
                offending.ScrollCaret();
            }
        }
    }
    RefreshStatus();
}
void CChimeDlg::CheckSleepTimesOnLeaving(BOOL leavingStart) {
    const int previous = m_chkSleepTimer.GetCheck();
    if (previous == BST_UNCHECKED)
        return;
    CString start, stop;
    BOOL startOk = FALSE;
    const BOOL bothOk = ParseSleepTimes(start, stop, startOk);
    if (bothOk) {
        SetDlgItemText(IDC_SLEEP_START, start);
        SetDlgItemText(IDC_SLEEP_STOP, stop);
        m_chkSleepTimer.SetCheck(BST_CHECKED);
        RefreshStatus();
        return;
    }
    m_chkSleepTimer.SetCheck(BST_INDETERMINATE);
    // Each field complains only about itself, and only on the change from on to invalid.
    const BOOL ownFieldBad = leavingStart ? !startOk : startOk;
    if (ownFieldBad && previous == BST_CHECKED) {
        MessageBox("Please enter time in this fashion:\n06:30pm", "Invalid Time", MB_OK);
        CEdit& field = leavingStart ? m_editSleepStart : m_editSleepStop;
        field.SetFocus();
        field.SetSel(0, -1);
        field.ScrollCaret();
    }
}

void CChimeDlg::OnKillFocusSleepStart() { CheckSleepTimesOnLeaving(TRUE); }

void CChimeDlg::OnKillFocusSleepStop() { CheckSleepTimesOnLeaving(FALSE); }

void CChimeDlg::OnSleep() {
    m_chkSleepTimer.SetCheck(m_chkSleepTimer.GetCheck() == BST_UNCHECKED ? BST_CHECKED
                                                                         : BST_UNCHECKED);
    ApplySleepTimerState();
    // While the window is open the change waits for its OK or Cancel.
    if (!m_bShown)
        SaveSettings();
}
