// The tray icon, its status and menu, and the Disable switch.
#include "main/ChimeDlg.h"

int CChimeDlg::OnCreate(LPCREATESTRUCTA) {
    if (Default() == -1)
        return -1;
    return 0;
}

BOOL CChimeDlg::RefreshStatus() { return FALSE; }

BOOL CChimeDlg::OnCommand(WPARAM wParam, LPARAM lParam) { return CDialog::OnCommand(wParam, lParam); }

void CChimeDlg::OnSettings() {}

void CChimeDlg::ToggleDisabled() {}
