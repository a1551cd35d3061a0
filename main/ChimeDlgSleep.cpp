// The Sleep Timer: quiet hours typed like "06:30pm".
#include "main/ChimeDlg.h"

#include "QuietHours.h"

BOOL CChimeDlg::ParseSleepTime(CString&, BOOL) { return FALSE; }
BOOL CChimeDlg::IsSleeping(int t) {
    int state = static_cast<int>(m_chkSleepTimer.SendMessage(BM_GETCHECK, 0, 0));
    return InQuietHours(state, m_nSleepStart, m_nSleepStop, t);
}
void CChimeDlg::ApplySleepTimerState() {}
void CChimeDlg::OnKillFocusSleepStart() {}
void CChimeDlg::OnKillFocusSleepStop() {}
void CChimeDlg::OnSleep() {}
