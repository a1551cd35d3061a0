// The tray icon, its status and menu, and the Disable switch.
#include "main/ChimeDlg.h"
#include "core/Texts.h"

#include <windowsx.h>

namespace {

// The hand-edited switch of the profile's "Special" section that is read once, when the window
// is created: on when non-zero; an absent entry (or -1, which cannot be told from one) is
// written back as 0.
BOOL SpecialSwitch(const char* entry) {
    CWinApp* app = AfxGetApp();
    int value = app->GetProfileInt("Special", entry, -1);
    if (value == -1) {
        app->WriteProfileInt("Special", entry, 0);
        value = 0;
    }
    return value != 0;
}
} // namespace

int CChimeDlg::OnCreate(LPCREATESTRUCTA) {
    if (Default() == -1)
        return -1;

    m_nid = NOTIFYICONDATAA{};
    // The whole record of today's shell: it has the protocol version, and the flag that keeps
    // the standard tooltip (the status text, which screen readers announce for the icon).
    m_nid.cbSize = sizeof m_nid;
    m_nid.hWnd = m_hWnd;
    m_nid.uID = ID_TRAY_ICON;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
    m_nid.hIcon = TrayIcon(IDI_TRAY_ACTIVE);
    lstrcpynA(m_nid.szTip, kTipActive, sizeof m_nid.szTip);

    m_bTrayIconWanted = !SpecialSwitch("Disable_Tray_Icon");
    AddTrayIcon();
    ArmChimeTimer();
    return 0;
}

void CChimeDlg::AddTrayIcon() {
    // At the start, and whenever a new taskbar (which knows nothing of the icon) is created,
    // with the status it shows now. The protocol version is the icon's, so it is asked for
    // after every addition.
    if (!m_bTrayIconWanted)
        return;
    IPlatform& platform = Platform();
    platform.Notify(NIM_ADD, &m_nid);
    m_nid.uVersion = NOTIFYICON_VERSION_4;
    platform.Notify(NIM_SETVERSION, &m_nid);
}

HICON CChimeDlg::TrayIcon(UINT iconId) {
    for (SizedTrayIcon& entry : m_trayIcons) {
        if (entry.id != iconId)
            continue;
        // The size is the system's for this display scale; the process is DPI aware, so it
        // is fixed for the process's life.
        if (!entry.icon)
            entry.icon =
                LoadIconSized(AfxGetInstanceHandle(), iconId, ::GetSystemMetrics(SM_CXSMICON),
                              ::GetSystemMetrics(SM_CYSMICON));
        return entry.icon.get();
    }
    return nullptr;
}

void CChimeDlg::SetTrayStatus(const char* tip, UINT iconId) {
    lstrcpynA(m_nid.szTip, tip, sizeof m_nid.szTip);
    m_nid.hIcon = TrayIcon(iconId);
}

namespace {
// The time of day as the user writes it: "2:30 PM", "14:30".
std::string ClockText(int hour, int minute) {
    const TimeText text = SpokenTime(LOCALE_NAME_USER_DEFAULT, hour, minute);
    char clock[64 * 3] = "";
    ::WideCharToMultiByte(CP_ACP, 0, text.text, -1, clock, sizeof clock, nullptr, nullptr);
    return clock;
}
} // namespace

BOOL CChimeDlg::RefreshStatus(const Boundary* at) {
    const LocalTime now = Platform().Now();
    const int hhmm = at ? at->hour * 100 + at->minute : now.hour * 100 + now.minute;
    // The snooze counts real time: the boundary's moment on the clock that never jumps.
    const BOOL silenced = m_snooze.Silences(now.monotonicMs + (at ? at->msAway : 0));
    // A day not checked sleeps as the quiet hours do; the day is the boundary's own.
    const BOOL sleeping =
        IsSleeping(hhmm) || !RingsOn(CheckedDays(), at ? at->weekday : now.weekday);
    if (m_bDisabled) {
        SetTrayStatus(kTipDisabled, IDI_TRAY_DISABLED);
    } else if (silenced) {
        // "CHIMO!: Silent until 14:30", in the user's own time format, from the clock as it
        // reads now.
        const LocalTime until = m_snooze.Ends(now);
        const std::string tip = kTipSilentUntil + ClockText(until.hour, until.minute);
        SetTrayStatus(tip.c_str(), IDI_TRAY_SLEEPING);
    } else if (sleeping) {
        SetTrayStatus(kTipSleeping, IDI_TRAY_SLEEPING);
    } else {
        SetTrayStatus(QuietTip(ClockText(m_nQuietHour, m_nQuietMinute), m_quiet).c_str(),
                      IDI_TRAY_ACTIVE);
    }
    Platform().Notify(NIM_MODIFY, &m_nid);
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
    PlayCue(IDW_CUE_YES);
    LoadSettings();
    const SoundDevice chosen = ChosenDevice();
    ShowDevices(chosen.id, chosen.name, true);
    ShowVoiceNote();
    m_bShown = TRUE;
    ShowWindow(SW_SHOW);
    ShowWindow(SW_RESTORE);
    SetForegroundWindow();
}

void CChimeDlg::RunTrayMenu(POINT at) {
    if (const CMenu menu{::LoadMenuA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_TRAY_MENU))}) {
        HMENU popup = ::GetSubMenu(menu.get(), 0);
        const auto check = [popup](UINT id, bool on) {
            ::CheckMenuItem(popup, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
        };
        check(IDC_DISABLE, m_bDisabled);
        check(ID_SLEEP, m_chkSleepTimer.GetCheck() == BST_CHECKED);
        check(ID_SNOOZE, m_snooze.InForce(Platform().Now().monotonicMs));
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
        m_snooze.End();
    RefreshStatus();
}

void CChimeDlg::OnSnooze() {
    const long long now = Platform().Now().monotonicMs;
    if (m_snooze.InForce(now))
        m_snooze.End();
    else
        m_snooze.Start(now);
    RefreshStatus();
}
