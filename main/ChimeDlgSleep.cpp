// The Sleep Timer: quiet hours typed like "06:30pm".
#include "main/ChimeDlg.h"
#include "core/Texts.h"

#include "core/Quiet.h"
#include "core/QuietHours.h"
#include "core/SleepTime.h"

BOOL CChimeDlg::ParseSleepTime(CString& text, int& hhmm) {
    SleepTimeParse parsed = ParseSleepTimeText(text.str());
    text = CString(parsed.text);
    if (!parsed.ok)
        return FALSE;
    hhmm = parsed.hhmm;
    return TRUE;
}
BOOL CChimeDlg::IsSleeping(int t) {
    int state = static_cast<int>(m_sleep.box.SendMessage(BM_GETCHECK, 0, 0));
    return InQuietHours(state, m_sleep.start, m_sleep.stop, t);
}
CEdit* CChimeDlg::InvalidSleepField(CString& start, CString& stop) {
    GetDlgItemText(IDC_SLEEP_START, start);
    GetDlgItemText(IDC_SLEEP_STOP, stop);
    // The stop time is looked at only when the start time is valid.
    if (!ParseSleepTime(start, m_sleep.start))
        return &m_sleep.startField;
    return ParseSleepTime(stop, m_sleep.stop) ? nullptr : &m_sleep.stopField;
}

void CChimeDlg::ApplySleepTimerState() {
    // The three-state box is the only record of whether the timer is on.
    // The night volume counts only when the quiet hours are quieter.
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SLEEP_VOLUME), SettingsView(m_hWnd).NightVolume() >= 0);
    const int state = m_sleep.box.GetCheck();
    if (state == BST_UNCHECKED || state == BST_INDETERMINATE) {
        m_sleep.startField.SetReadOnly(TRUE);
        m_sleep.stopField.SetReadOnly(TRUE);
        m_sleep.box.SetCheck(BST_UNCHECKED);
    } else if (state == BST_CHECKED) {
        m_sleep.startField.SetReadOnly(FALSE);
        m_sleep.stopField.SetReadOnly(FALSE);
        CString start, stop;
        CEdit* offending = InvalidSleepField(start, stop);
        if (!offending) {
            m_sleep.box.SetCheck(BST_CHECKED);
        } else {
            // Written back trimmed (the start normalised if it parsed; the stop as it was if
            // it was never parsed).
            SetDlgItemText(IDC_SLEEP_START, start);
            SetDlgItemText(IDC_SLEEP_STOP, stop);
            m_sleep.box.SetCheck(BST_INDETERMINATE);
            if (m_bShown) {
                MessageBox(LoadText(IDS_INVALID_TIME), LoadText(IDS_INVALID_TIME_CAPTION), MB_OK);
                offending->SetFocus();
                offending->SetSel(0, -1);
                offending->ScrollCaret();
            }
        }
    }
    RefreshStatus();
}
void CChimeDlg::CheckSleepTimesOnLeaving(CEdit& leaving) {
    const int previous = m_sleep.box.GetCheck();
    if (previous == BST_UNCHECKED)
        return;
    CString start, stop;
    CEdit* invalid = InvalidSleepField(start, stop);
    if (!invalid) {
        SetDlgItemText(IDC_SLEEP_START, start);
        SetDlgItemText(IDC_SLEEP_STOP, stop);
        m_sleep.box.SetCheck(BST_CHECKED);
        RefreshStatus();
        return;
    }
    m_sleep.box.SetCheck(BST_INDETERMINATE);
    // Each field complains only about itself, and only on the change from on to invalid.
    if (invalid == &leaving && previous == BST_CHECKED) {
        MessageBox(LoadText(IDS_INVALID_TIME), LoadText(IDS_INVALID_TIME_CAPTION), MB_OK);
        leaving.SetFocus();
        leaving.SetSel(0, -1);
        leaving.ScrollCaret();
    }
}

void CChimeDlg::OnLeaveSleepTime(UINT id) {
    CheckSleepTimesOnLeaving(id == IDC_SLEEP_START ? m_sleep.startField : m_sleep.stopField);
}

void CChimeDlg::OnSleep() {
    m_sleep.box.SetCheck(m_sleep.box.GetCheck() == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED);
    ApplySleepTimerState();
    // While the window is open the change waits for its OK or Cancel.
    if (!m_bShown)
        SaveSettings();
}
