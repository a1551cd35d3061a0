// The status the tray icon shows, its menu, and the Disable switch.
#include "main/ChimeDlg.h"
#include "core/Texts.h"
#include "framework/SystemProc.h"
#include "sound/SoundPlayer.h"

#include <commctrl.h>
#include <windowsx.h>

int CChimeDlg::OnCreate(LPCREATESTRUCTW) {
    // The volume slider's and the hot-key control's window classes, registered as the window
    // is made and before its controls are: what only the controls need loads once the window
    // exists, not before it.
    if (!AfxInitCommonControls(ICC_BAR_CLASSES | ICC_HOTKEY_CLASS) || Default() == -1)
        return -1;
    // The language of every text from here on, the tray's first.
    SetTextLanguage(TextLanguageFor(AfxGetApp()->GetProfileString("Options", "Language").str()));
    m_tray.Create(m_hWnd);
    m_quiet.Attach(m_hWnd, [this] { RefreshStatus(); });
    m_tell.Attach(m_hWnd, &m_nLeadInMs, &m_voices);
    ArmChimeTimer();
    return 0;
}

BOOL CChimeDlg::RefreshStatus(const Boundary* at) {
    const LocalTime now = Platform().Now();
    const int hhmm = at ? at->hour * 100 + at->minute : now.hour * 100 + now.minute;
    // The snooze counts real time: the boundary's moment on the clock that never jumps.
    const BOOL silenced = m_quiet.snooze.Silences(now.monotonicMs + (at ? at->msAway : 0));
    // A day not checked sleeps as silent quiet hours do; the day is the boundary's own. Quieter
    // quiet hours ring.
    const bool dayOff = !RingsOn(m_days.Checked(), at ? at->weekday : now.weekday);
    const bool quieter = !dayOff && IsSleeping(hhmm) && SettingsView(m_hWnd).NightVolume() >= 0;
    const BOOL sleeping = dayOff || (IsSleeping(hhmm) && !quieter);
    if (m_bDisabled) {
        m_tray.Show(LoadText(IDS_TIP_DISABLED), IDI_TRAY_DISABLED);
    } else if (silenced) {
        // "CHIMO!: Silent until 14:30", in the user's own time format, from the clock as it
        // reads now.
        const LocalTime until = m_quiet.snooze.Ends(now);
        const std::string tip = FillIn(LoadText(IDS_TIP_SILENT_UNTIL).str(),
                                       {ClockText(until.hour, until.minute).str()});
        m_tray.Show(tip.c_str(), IDI_TRAY_SLEEPING);
    } else if (sleeping) {
        m_tray.Show(LoadText(IDS_TIP_SLEEPING), IDI_TRAY_SLEEPING);
    } else if (quieter) {
        // "CHIMO!: Active (quieter until 7:00 AM)": the quiet hours' end, as the user writes it.
        const std::string tip =
            FillIn(LoadText(IDS_TIP_QUIETER).str(),
                   {ClockText(m_sleep.stop / 100 % 24, m_sleep.stop % 100).str()});
        m_tray.Show(tip.c_str(), IDI_TRAY_ACTIVE);
    } else {
        m_tray.Show(m_quiet.ActiveTip(), IDI_TRAY_ACTIVE);
    }
    return sleeping || silenced;
}

LRESULT CChimeDlg::OnTrayNotify(WPARAM anchor, LPARAM event) {
    // The current protocol: the event in the low word, the anchor point (the pointer, or the
    // icon when the keyboard asked) in the first parameter. A single click (NIN_SELECT) does
    // nothing; the menu comes with WM_CONTEXTMENU, after the right button's release or on
    // Shift+F10 or the Menu key.
    switch (LOWORD(event)) {
    case WM_LBUTTONDBLCLK: OpenSettingsWindow(); break;
    case NIN_KEYSELECT:
        // Enter sends it twice: the second finds the window open and leaves it as it is.
        if (!::IsWindowVisible(m_hWnd))
            OpenSettingsWindow();
        break;
    case WM_CONTEXTMENU: RunTrayMenu({GET_X_LPARAM(anchor), GET_Y_LPARAM(anchor)}); break;
    }
    return 0;
}

void CChimeDlg::OpenSettingsWindow() {
    PlayResource(IDW_CUE_YES);
    LoadSettings();
    m_devices.Refresh();
    m_voices.Refresh();
    m_tell.ShowVoiceNote();
    m_bShown = TRUE;
    ShowWindow(SW_SHOW);
    ShowWindow(SW_RESTORE);
    SetForegroundWindow();
}

void CChimeDlg::RunTrayMenu(POINT at) {
    if (const CMenu menu{::LoadMenuW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_TRAY_MENU))}) {
        HMENU popup = ::GetSubMenu(menu.get(), 0);
        TranslateMenu(popup);
        const auto check = [popup](UINT id, bool on) {
            ::CheckMenuItem(popup, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
        };
        check(IDC_DISABLE, m_bDisabled);
        check(ID_SLEEP, m_sleep.box.GetCheck() == BST_CHECKED);
        check(ID_SNOOZE, m_quiet.snooze.InForce(Platform().Now().monotonicMs));
        // The notification-area conventions: be the foreground window while the menu is up, so
        // that it closes when the user clicks elsewhere, and post a message after it.
        CWnd* main = AfxGetMainWnd() ? AfxGetMainWnd() : this;
        main->SetForegroundWindow();
        // The chosen item arrives afterwards as an ordinary WM_COMMAND. Aligned as the system
        // drops its menus (to the left of the anchor in right-to-left layouts).
        const UINT align =
            ::GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
        ::TrackPopupMenuEx(popup, align | TPM_RIGHTBUTTON, at.x, at.y, main->m_hWnd, nullptr);
        main->PostMessage(WM_USER, 0, 0);
    }
    // Whatever was chosen, and also when nothing was; but not while the settings window is
    // open: what it shows is the user's to confirm or cancel there.
    if (!m_bShown)
        SaveSettings();
}

void CChimeDlg::ToggleDisabled() {
    m_bDisabled = m_bDisabled ? FALSE : TRUE;
    ::CheckDlgButton(m_hWnd, IDC_DISABLE, m_bDisabled ? BST_CHECKED : BST_UNCHECKED);
    // Disabled lasts until switched back: a snooze has nothing left to do.
    if (m_bDisabled)
        m_quiet.snooze.End();
    RefreshStatus();
}
