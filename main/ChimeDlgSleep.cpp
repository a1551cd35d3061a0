// The Sleep Timer: quiet hours typed like "06:30pm".
#include "main/ChimeDlg.h"

BOOL CChimeDlg::ParseSleepTime(CString&, BOOL) { return FALSE; }
BOOL CChimeDlg::IsSleeping(int) { return FALSE; }
void CChimeDlg::ApplySleepTimerState() {}
void CChimeDlg::OnKillFocusSleepStart() {}
void CChimeDlg::OnKillFocusSleepStop() {}
void CChimeDlg::OnSleep() {}
