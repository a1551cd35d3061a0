// Opening the About box from the settings window.
#include "main/ChimeDlg.h"

void CChimeDlg::OnAbout() {}
