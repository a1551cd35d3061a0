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
    int state = static_cast<int>(m_chkSleepTimer.SendMessage(BM_GETCHECK, 0, 0));
    return InQuietHours(state, m_nSleepStart, m_nSleepStop, t);
}
CEdit* CChimeDlg::InvalidSleepField(CString& start, CString& stop) {
    GetDlgItemText(IDC_SLEEP_START, start);
    GetDlgItemText(IDC_SLEEP_STOP, stop);
    // The stop time is looked at only when the start time is valid.
    if (!ParseSleepTime(start, m_nSleepStart))
        return &m_editSleepStart;
    return ParseSleepTime(stop, m_nSleepStop) ? nullptr : &m_editSleepStop;
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
        CEdit* offending = InvalidSleepField(start, stop);
        if (!offending) {
            m_chkSleepTimer.SetCheck(BST_CHECKED);
        } else {
            // Written back trimmed (the start normalised if it parsed; the stop as it was if
            // it was never parsed).
            SetDlgItemText(IDC_SLEEP_START, start);
            SetDlgItemText(IDC_SLEEP_STOP, stop);
            m_chkSleepTimer.SetCheck(BST_INDETERMINATE);
            if (m_bShown) {
                MessageBox(kInvalidTime, kInvalidTimeCaption, MB_OK);
                offending->SetFocus();
                offending->SetSel(0, -1);
                offending->ScrollCaret();
            }
        }
    }
    RefreshStatus();
}
void CChimeDlg::CheckSleepTimesOnLeaving(CEdit& leaving) {
    const int previous = m_chkSleepTimer.GetCheck();
    if (previous == BST_UNCHECKED)
        return;
    CString start, stop;
    CEdit* invalid = InvalidSleepField(start, stop);
    if (!invalid) {
        SetDlgItemText(IDC_SLEEP_START, start);
        SetDlgItemText(IDC_SLEEP_STOP, stop);
        m_chkSleepTimer.SetCheck(BST_CHECKED);
        RefreshStatus();
        return;
    }
    m_chkSleepTimer.SetCheck(BST_INDETERMINATE);
    // Each field complains only about itself, and only on the change from on to invalid.
    if (invalid == &leaving && previous == BST_CHECKED) {
        MessageBox(kInvalidTime, kInvalidTimeCaption, MB_OK);
        leaving.SetFocus();
        leaving.SetSel(0, -1);
        leaving.ScrollCaret();
    }
}

void CChimeDlg::OnKillFocusSleepStart() { CheckSleepTimesOnLeaving(m_editSleepStart); }

void CChimeDlg::OnKillFocusSleepStop() { CheckSleepTimesOnLeaving(m_editSleepStop); }

void CChimeDlg::OnSleep() {
    m_chkSleepTimer.SetCheck(m_chkSleepTimer.GetCheck() == BST_UNCHECKED ? BST_CHECKED
                                                                         : BST_UNCHECKED);
    ApplySleepTimerState();
    // While the window is open the change waits for its OK or Cancel.
    if (!m_bShown)
        SaveSettings();
}

// The days of the week it rings on: seven boxes named and ordered as the user's locale has the
// week (its abbreviated day names, from its first day).
void CChimeDlg::NameDayBoxes() {
    wchar_t first[4] = L"0";
    ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, first, 4);
    m_nFirstDay = DayAt(0, first[0] - L'0');
    for (int position = 0; position < 7; ++position) {
        wchar_t name[32] = L"";
        ::GetLocaleInfoEx(
            LOCALE_NAME_USER_DEFAULT,
            LOCALE_SABBREVDAYNAME1 + static_cast<LCTYPE>(DayAt(position, m_nFirstDay)), name, 32);
        ::SetDlgItemTextW(m_hWnd, IDC_DAY_FIRST + position, name);
    }
}

void CChimeDlg::ShowDays(int days) {
    for (int position = 0; position < 7; ++position)
        ::CheckDlgButton(m_hWnd, IDC_DAY_FIRST + position,
                         RingsOn(days, DayAt(position, m_nFirstDay)) ? BST_CHECKED : BST_UNCHECKED);
}

int CChimeDlg::CheckedDays() const {
    int days = 0;
    for (int position = 0; position < 7; ++position)
        if (::IsDlgButtonChecked(m_hWnd, IDC_DAY_FIRST + position) == BST_CHECKED)
            days |= 1 << DayAt(position, m_nFirstDay);
    return days;
}

// A day checked or unchecked shows in the tray at once (today may now sleep, or wake).
void CChimeDlg::OnDayBox(UINT) { RefreshStatus(); }
