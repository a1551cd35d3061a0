#include "app/ChimeApp.h"

#include "app/InstanceTakeover.h"
#include "main/ChimeDlg.h"

#include "framework/ScopedWin.h"
#include "platform/Platform.h"
#include "sound/SoundPlayer.h"

// No name: the framework names the application, and its profile, after the executable.
CChimeApp::CChimeApp() : CWinApp(nullptr) {}

BOOL CChimeApp::InitInstance() {
    // Shortcut resolution for dropped files and the answers to assistive technology need COM;
    // a failure only affects those.
    CComInit com;
    const CHandle instanceLock = TakeOverInstanceLock();
    {
        CChimeDlg dlg;
        m_pMainWnd = &dlg;
        m_nCmdShow = SW_HIDE;
        // The whole working life of the process.
        dlg.DoModal();
    }
    m_pMainWnd = nullptr;
    // The dialog has ended (Quit), having saved: so does the process, at once, as a takeover
    // ends it, whatever a sound's thread is doing.
    EndAllSound();
    Platform().EndProcess(0);
    return FALSE;
}
