// Opening the About box from the settings window (its button, the tray menu and the system
// menu all come here).
#include "about/AboutBox.h"
#include "main/ChimeDlg.h"

void CChimeDlg::OnAbout() {
    CAboutBox box;
    box.DoModal();
}
