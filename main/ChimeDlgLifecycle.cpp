// Construction, initialisation, the hide-on-paint mechanism and the OK, Cancel, Quit and
// destroy paths of the settings window.
#include "main/ChimeDlg.h"
#include "core/Texts.h"
#include "sound/SoundPlayer.h"

#include "about/AboutBox.h"
#include "main/InstanceMark.h"
#include "main/SoundSlots.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <cassert>

CChimeDlg::CChimeDlg() : CDialog(IDD_CHIME) {
    m_hMainIcon = AfxGetApp()->LoadIcon(IDI_MAIN);
}

CChimeDlg::~CChimeDlg() = default;

const MessageMap& CChimeDlg::GetMessageMap() const {
    static const MessageMap map{
        &CDialog::GetMessageMap(),
        {
            on::Message<WM_SYSCOMMAND>(&CChimeDlg::OnSysCommand),
            on::Message<WM_PAINT>(&CChimeDlg::OnPaint),
            on::Message<WM_WINDOWPOSCHANGING>(&CChimeDlg::OnWindowPosChanging),
            on::Message<WM_CREATE>(&CChimeDlg::OnCreate),
            on::Message<WM_TIMER>(&CChimeDlg::ChimeTick),
            on::Message<WM_CHIME_DONE>(&CChimeDlg::OnChimeDone),
            on::Message<WM_HSCROLL>(&CChimeDlg::OnVolumeScroll),
            on::Message<WM_TIMECHANGE>(&CChimeDlg::OnTimeChange),
            on::Message<WM_POWERBROADCAST>(&CChimeDlg::OnPowerBroadcast),
            // Both boxes, and every load, derive the locks from the two boxes as they stand.
            on::Command(IDC_DISABLE_SECONDARY, &CChimeDlg::LockSecondarySlots),
            on::Command(IDC_USE_SAME, &CChimeDlg::LockSecondarySlots),
            on::Control(CBN_SELCHANGE, IDC_PATTERN, &CChimeDlg::OnPatternChosen),
            on::Command(IDC_ABOUT, &CChimeDlg::OnAbout),
            on::CommandRange(IDC_BROWSE_HOUR, IDC_BROWSE_QUARTER_TIL, &CChimeDlg::OnBrowse),
            on::CommandRange(IDC_PLAY_HOUR, IDC_PLAY_QUARTER_TIL, &CChimeDlg::OnPlay),
            on::Command(ID_SETTINGS, &CChimeDlg::OpenSettingsWindow),
            on::Raw(WM_TRAY_NOTIFY, &CChimeDlg::OnTrayNotify),
            on::Message<WM_DESTROY>(&CChimeDlg::OnDestroy),
            on::Message<WM_ENDSESSION>(&CChimeDlg::OnEndSession),
            on::Command(IDC_DISABLE, &CChimeDlg::ToggleDisabled),
            on::ControlRange(EN_KILLFOCUS, IDC_SLEEP_START, IDC_SLEEP_STOP,
                             &CChimeDlg::OnLeaveSleepTime),
            on::Command(IDC_SLEEP_TIMER, &CChimeDlg::ApplySleepTimerState),
            on::Control(CBN_SELCHANGE, IDC_SLEEP_MODE, &CChimeDlg::ApplySleepTimerState),
            on::Command(ID_SLEEP, &CChimeDlg::OnSleep),
            on::Command(ID_QUIT, &CChimeDlg::OnQuit),
            // The features' own maps.
            on::Chain<&CChimeDlg::m_tray>(),
            on::Chain<&CChimeDlg::m_tell>(),
            on::Chain<&CChimeDlg::m_days>(),
            on::Chain<&CChimeDlg::m_quiet>(),
        }};
    return map;
}

void CChimeDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < 4; ++i) {
        DDX_Control(pDX, kSoundSlots[i].edit, m_slots[i].field);
        DDX_Control(pDX, kSoundSlots[i].browse, m_slots[i].browse);
        DDX_Control(pDX, kSoundSlots[i].play, m_slots[i].play);
    }
    DDX_Control(pDX, IDC_SLEEP_TIMER, m_sleep.box);
    DDX_Control(pDX, IDC_SLEEP_STOP, m_sleep.stopField);
    DDX_Control(pDX, IDC_SLEEP_START, m_sleep.startField);
    DDX_Control(pDX, IDC_DEVICE, m_devices);
    DDX_Control(pDX, IDC_LANGUAGE, m_languages);
    DDX_Control(pDX, IDC_VOICE, m_voices);
    size_t next = 0;
    for (const OptionRow& row : OptionRows()) {
        if (!NeedsLabelName(row))
            continue;
        assert(next < kMaxLabelled && "room for every slider and hot-key control");
        if (next < kMaxLabelled)
            DDX_Control(pDX, row.control, m_labelled[next++]);
    }
    for (int id : {IDC_SLEEP_MODE, IDC_SLEEP_VOLUME}) {
        assert(next < kMaxLabelled && "room for the quiet hours' two controls");
        if (next < kMaxLabelled)
            DDX_Control(pDX, id, m_labelled[next++]);
    }
    DDX_Check(pDX, IDC_DISABLE, m_bDisabled);
}

BOOL CChimeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    MarkInstanceWindow(m_hWnd);

    if (HMENU sysMenu = ::GetSystemMenu(m_hWnd, FALSE)) {
        const CString aboutItem = LoadText(IDS_ABOUT_ITEM);
        if (!aboutItem.IsEmpty()) {
            ::AppendMenuW(sysMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(sysMenu, MF_STRING, IDM_ABOUT_SYS, WideText(aboutItem));
        }
    }

    // The caption and the taskbar button take the small icon: drawn for its size, not the big
    // one shrunk.
    m_smallIcon = LoadIconSized(AfxGetInstanceHandle(), IDI_MAIN, ::GetSystemMetrics(SM_CXSMICON),
                                ::GetSystemMetrics(SM_CYSMICON));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hMainIcon));
    SendMessage(WM_SETICON, ICON_SMALL,
                reinterpret_cast<LPARAM>(m_smallIcon ? m_smallIcon.get() : m_hMainIcon));

    m_bDisabled = FALSE;
    m_bShown = FALSE;
    ::SendDlgItemMessageW(m_hWnd, IDC_SLEEP_VOLUME, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    ::SendDlgItemMessageW(m_hWnd, IDC_SLEEP_VOLUME, TBM_SETPAGESIZE, 0, 10);
    PrepareOptions(m_hWnd, OptionRows());
    ShowTexts();

    m_days.Attach(m_hWnd, [this] { RefreshStatus(); });
    RemoveLegacyEntries();
    LoadSettings();
    m_tell.RegisterKey();
    // No focus yet: setting it would activate the hidden window and take the keyboard from
    // whatever the user is typing in. The first control gets it when the window is opened.
    return FALSE;
}

void CChimeDlg::ShowTexts() {
    TranslateTexts();
    if (HMENU sysMenu = ::GetSystemMenu(m_hWnd, FALSE))
        ::ModifyMenuW(sysMenu, IDM_ABOUT_SYS, MF_BYCOMMAND | MF_STRING, IDM_ABOUT_SYS,
                      WideText(LoadText(IDS_ABOUT_ITEM)));
    // The lists' entries, the choice in each kept.
    const auto fill = [this](int id, std::initializer_list<UINT> texts) {
        const LRESULT chosen = ::SendDlgItemMessageW(m_hWnd, id, CB_GETCURSEL, 0, 0);
        ::SendDlgItemMessageW(m_hWnd, id, CB_RESETCONTENT, 0, 0);
        for (UINT text : texts)
            ::SendDlgItemMessageW(m_hWnd, id, CB_ADDSTRING, 0,
                                  reinterpret_cast<LPARAM>(WideText(LoadText(text)).get()));
        ::SendDlgItemMessageW(m_hWnd, id, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    };
    // The ways of striking, in the order the profile numbers them; what the quiet hours do.
    static_assert(kPatternCount == 4, "a text for each way of striking");
    fill(IDC_PATTERN, {IDS_PATTERN_WESTMINSTER, IDS_PATTERN_QUARTER_STRIKES,
                       IDS_PATTERN_SHIPS_BELLS, IDS_PATTERN_HALF_HOUR});
    fill(IDC_SLEEP_MODE, {IDS_SLEEP_SILENT, IDS_SLEEP_QUIETER});
    fill(IDC_SPEAK_WORDS, {IDS_SAY_AS_CLOCK, IDS_SAY_IN_WORDS});
    // Never, then every 5 to 60 minutes.
    const LRESULT every = ::SendDlgItemMessageW(m_hWnd, IDC_TELL_EVERY, CB_GETCURSEL, 0, 0);
    fill(IDC_TELL_EVERY, {IDS_TELL_NEVER});
    for (int i = 1; i < kTellEveryCount; ++i) {
        const std::string minutes =
            FillIn(LoadText(IDS_TELL_MINUTES).str(), {std::to_string(kTellEveryValues[i])});
        ::SendDlgItemMessageW(m_hWnd, IDC_TELL_EVERY, CB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(WideText(minutes).get()));
    }
    ::SendDlgItemMessageW(m_hWnd, IDC_TELL_EVERY, CB_SETCURSEL, static_cast<WPARAM>(every), 0);
    // Once the settings have filled them (not yet while the window is made).
    if (m_languages.m_hWnd && m_languages.SendMessage(CB_GETCOUNT) > 0)
        m_languages.Show(m_languages.Chosen());
    if (m_devices.m_hWnd && m_devices.SendMessage(CB_GETCOUNT) > 0)
        m_devices.Refresh();
    if (m_voices.m_hWnd && m_voices.SendMessage(CB_GETCOUNT) > 0) {
        const VoiceInfo voice = m_voices.Chosen();
        m_voices.Show(voice.id, voice.name, m_voices.LookedUp());
    }
    if (::GetWindowTextLengthW(::GetDlgItem(m_hWnd, IDC_SPEAK_NOTE)) > 0)
        SetDlgItemText(IDC_SPEAK_NOTE, LoadText(IDS_NO_VOICE));
    // Four Browse and four Play buttons, each announced with the quarter it serves, and the
    // lists, sliders and the key with their labels (which the standard objects do not give
    // everywhere).
    const auto labelOf = [](const CWnd& control) {
        return WindowTextOf(::GetWindow(control.m_hWnd, GW_HWNDPREV)).str();
    };
    for (SlotControls& slot : m_slots) {
        const std::string quarter = SpokenText(labelOf(slot.field));
        for (CNamedControl* button : {&slot.browse, &slot.play})
            button->m_accessible.name =
                (SpokenText(button->GetWindowText().str()) + ", " + quarter).c_str();
    }
    const auto nameByLabel = [&](CNamedControl& control) {
        if (!control.m_hWnd)
            return;
        const std::string label = labelOf(control);
        control.m_accessible.name = SpokenText(label).c_str();
        control.m_accessible.shortcut = ShortcutOf(label).c_str();
    };
    nameByLabel(m_devices);
    nameByLabel(m_languages);
    nameByLabel(m_voices);
    for (CNamedControl& control : m_labelled)
        nameByLabel(control);
}

// The About box, from its button, the tray menu and the system menu.
void CChimeDlg::OnAbout() {
    CAboutBox box;
    box.DoModal();
}

void CChimeDlg::OnPaint() {
    // Every paint applies the window-shown flag as the show command: this is what keeps the
    // modal dialog invisible, including right after the modal loop shows it once. The window
    // is never minimised while it shows, so the rest is the dialog's own painting.
    ShowWindow(m_bShown ? SW_SHOWNORMAL : SW_HIDE);
    Default();
}

void CChimeDlg::OnWindowPosChanging(WINDOWPOS* pos) {
    // Hidden until the user opens it: the modal loop's first show (at sign-in, at a takeover)
    // is taken out with its activation, so that no frame or taskbar button flashes and the
    // keyboard focus stays with whatever the user is typing in.
    if (!m_bShown && (pos->flags & SWP_SHOWWINDOW)) {
        pos->flags &= ~SWP_SHOWWINDOW;
        pos->flags |= SWP_NOACTIVATE | SWP_NOZORDER;
    }
    Default();
}

void CChimeDlg::OnSysCommand(UINT nID, LPARAM) {
    if ((nID & 0xFFF0) == IDM_ABOUT_SYS)
        OnAbout();
    else
        Default();
}

void CChimeDlg::OnOK() {
    PlayResource(IDW_CUE_YES);
    ValidateSlotFiles();
    // A Sleep Timer without both times is switched off.
    if (m_sleep.start == 0 || m_sleep.stop == 0) {
        m_sleep.box.SendMessage(BM_SETCHECK, BST_UNCHECKED, 0);
        ApplySleepTimerState();
    }
    SaveSettings();
    // The language chosen is spoken from now on: in the window, the tray and the menu.
    const LANGID language = TextLanguageFor(m_languages.Chosen());
    if (language != TextLanguage()) {
        SetTextLanguage(language);
        ShowTexts();
        RefreshStatus();
    }
    m_tell.RegisterKey();
    // The next chime may now take another sound, volume or lead-in.
    ArmChimeTimer();
    m_bShown = FALSE;
    ShowWindow(SW_MINIMIZE);
    ShowWindow(SW_HIDE);
}

void CChimeDlg::OnCancel() {
    LoadSettings();
    PlayResource(IDW_CUE_NO);
    m_bShown = FALSE;
    ShowWindow(SW_MINIMIZE);
    ShowWindow(SW_HIDE);
}

void CChimeDlg::OnQuit() {
    for (int i = 0; i < 3; ++i) {
        PlayResource(IDW_CUE_NO);
        ::Sleep(300);
    }
    const int answer = MessageBox(LoadText(IDS_EXIT_QUESTION), LoadText(IDS_EXIT_CAPTION),
                                  MB_YESNO | MB_ICONEXCLAMATION);
    if (answer == IDYES) {
        PlayResource(IDW_CUE_YES);
        HideAndSave();
        CDialog::OnCancel();
    } else {
        PlayResource(IDW_CUE_NO);
    }
}

void CChimeDlg::HideAndSave() {
    ShowWindow(SW_HIDE);
    // The program is ending: a new taskbar must not bring the icon back.
    m_tray.Remove();
    SaveSettings();
}

void CChimeDlg::OnDestroy() {
    // Sent from another thread: a newer instance is taking over.
    if (::InSendMessage()) {
        EndForTakeover();
        return;
    }
    HideAndSave();
    UnmarkInstanceWindow(m_hWnd);
    CWnd::OnDestroy();
    PostNcDestroy();
    CDialog::OnCancel();
}

// The session ends (sign-out, shutdown), or the Restart Manager closes CHIMO! for an installer
// that must replace its files: save as a takeover does, and go. Without this the system would
// end the process with the settings window's unconfirmed edits unsaved.
void CChimeDlg::OnEndSession(bool ending, UINT) {
    if (ending)
        EndForTakeover();
}

void CChimeDlg::EndForTakeover() {
    // This instance may be deep inside a message box, the file dialog, the About box or the
    // tray menu, whose own loops would keep it alive long after its modal run was told to end.
    // So it saves the controls exactly as they stand (no check, no question, and a question
    // still open counts as not answered), removes its icon and ends the process right here.
    // Nothing is hidden first: losing the focus would run the time fields' checks.
    SaveSettings();
    m_tray.Remove();
    EndAllSound();
    Platform().EndProcess(0);
}

void CChimeDlg::PostNcDestroy() {
    m_tray.Remove();
    CDialog::PostNcDestroy();
}
