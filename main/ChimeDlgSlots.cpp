// The four sound slots: Browse, Play, the locks and the check on OK.
#include "main/ChimeDlg.h"

void CChimeDlg::ApplyUseSame() {}
void CChimeDlg::ApplyDisableSecondary() {}
void CChimeDlg::ValidateSlotFiles() {}
void CChimeDlg::OnBrowseHour() {}
void CChimeDlg::OnBrowseQuarterAfter() {}
void CChimeDlg::OnBrowseHalfPast() {}
void CChimeDlg::OnBrowseQuarterTil() {}
void CChimeDlg::OnPlayHour() {}
void CChimeDlg::OnPlayQuarterAfter() {}
void CChimeDlg::OnPlayHalfPast() {}
void CChimeDlg::OnPlayQuarterTil() {}
