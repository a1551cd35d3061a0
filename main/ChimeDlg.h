#pragma once
#include "controls/SoundPathEdit.h"
#include "framework/Afx.h"
#include "res/resource.h"

#include <shellapi.h>

// The one timer of the program: the quarter-hour chime.
constexpr UINT_PTR ID_CHIME_TIMER = 1;
// The tray icon's id; mouse events on it arrive as WM_COMMAND with this wParam.
constexpr UINT ID_TRAY_ICON = 129;

// The settings dialog, which is also the program's hidden main window: it owns the tray icon,
// the chime timer and the controls that hold every setting. Its parts live in one .cpp per
// concern: lifecycle, tray, chime, sleep, slots; the stores are in settings/.
class CChimeDlg : public CDialog {
public:
    explicit CChimeDlg(CWnd* parent = nullptr);
    ~CChimeDlg() override;

    // Lifecycle
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnQuit();
    void HideAndSave();
    void PostNcDestroy() override;
    const MessageMap& GetMessageMap() const override;

    // Tray
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL RefreshStatus();
    void ToggleDisabled();

    // Chime
    void ChimeTick(UINT_PTR nIDEvent);
    // The delay of the last arming of the chime timer, in milliseconds.
    UINT m_nArmedDelay = 0;
    // The boundary that arming aimed at, and the last boundary a tick handled (UTC seconds).
    long long m_armedFor = 0;
    long long m_handledBoundary = 0;
    // After the clock was set or the machine resumed: a fresh reading, a fresh timer, the tray.
    void OnTimeChange();
    void OnPowerBroadcast(UINT event);

    // Settings store
    void LoadSettings();
    void SaveSettings();
    void RemoveLegacyEntries();

    // Sleep window
    // Parses a time text into `hhmm` and normalises the text; FALSE when it is no time.
    BOOL ParseSleepTime(CString& text, int& hhmm);
    BOOL IsSleeping(int t);
    void ApplySleepTimerState();
    void OnKillFocusSleepStart();
    void OnKillFocusSleepStop();
    void OnSleep();

    // Sound slots
    void ApplyUseSame();
    void ApplyDisableSecondary();
    // Locks exactly the secondary slots that the two boxes say are not used.
    void LockSecondarySlots();
    // Runs the file dialog titled `caption` for a slot holding `text`; `text` becomes the
    // chosen path, or stays as it is.
    void BrowseForSound(const char* caption, CString& text);
    // FALSE when the file `text` names cannot be found and the user declines to keep it.
    BOOL ValidateSoundFile(const char* caption, const CString& text);

    // About
    void OnAbout();

    // Plays one WAVE resource asynchronously as feedback.
    static void PlayCue(UINT id);

    int m_nSleepStop = 0;
    int m_nSleepStart = 0;
    BOOL m_bShown = FALSE;
    NOTIFYICONDATAA m_nid{};
    CButton m_chkSleepTimer;
    CEdit m_editSleepStop;
    CEdit m_editSleepStart;
    CButton m_chkDisable;
    CButton m_chkMulti;
    CButton m_btnPlayQuarterTil;
    CButton m_btnPlayQuarterAfter;
    CButton m_btnPlayHalfPast;
    CButton m_btnBrowseQuarterAfter;
    CButton m_btnBrowseQuarterTil;
    CButton m_btnBrowseHalfPast;
    CButton m_chkUseSame;
    CButton m_chkDisableSecondary;
    CSoundPathEdit m_editHour;
    CSoundPathEdit m_editQuarterTil;
    CSoundPathEdit m_editQuarterAfter;
    CSoundPathEdit m_editHalfPast;
    BOOL m_bDisabled = FALSE;
    HICON m_hMainIcon = nullptr;
    // The tray's icon for status icon `iconId`, at the small-icon size of the display scale
    // (16, 20, 24 or 32 pixels at 100 % to 200 %), loaded once from the image of that size.
    HICON TrayIcon(UINT iconId);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // Message handlers
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    int OnCreate(LPCREATESTRUCTA);
    void OnDestroy();
    LRESULT OnEndSession(WPARAM ending, LPARAM flags);
    // Saves, removes the tray icon and ends the process at once (a newer instance waits).
    [[noreturn]] void EndForTakeover();
    void OnSettings();
    void OnTaskbarCreated();
    void OpenSettingsWindow();
    void RunTrayMenu();
    // Shows `tip` and icon resource `iconId` in the tray record (sent by the caller).
    void SetTrayStatus(const char* tip, UINT iconId);
    // Arms the chime timer for the next boundary from a fresh clock reading.
    void ArmChimeTimer();
    // The same after a clock change or a resume: a boundary that is now and was not handled
    // yet rings at once.
    void RearmChimeTimer();
    void StartChimeTimer(int millisecond);
    // The window's small icon, at the small-icon size of the display scale.
    CIcon m_smallIcon;
    struct SizedTrayIcon {
        UINT id;
        CIcon icon;
    } m_trayIcons[4] = {{IDI_TRAY_ACTIVE, {}},
                        {IDI_TRAY_DISABLED, {}},
                        {IDI_TRAY_SLEEPING, {}},
                        {IDI_TRAY_RINGING, {}}};
    // FALSE when the profile's "Disable_Tray_Icon" suppresses the icon, and once the program ends.
    BOOL m_bTrayIconWanted = TRUE;
    // The profile's "Chime_When_Busy": TRUE rings even over a full-screen program or a
    // presentation.
    BOOL m_bChimeWhenBusy = FALSE;
    // TRUE when the shell says the user is presenting or running something full screen.
    BOOL UserIsBusy();
    void OnAboutCommand() { OnAbout(); }
    // A slot's Browse... and Play buttons (the slot table finds the slot by the button's id).
    void OnBrowse(UINT id);
    void OnPlay(UINT id);
    // Reads and parses both time texts: the field whose time is invalid (the start is looked
    // at first), or nullptr when both are valid.
    CEdit* InvalidSleepField(CString& start, CString& stop);
    // Leaving a time field: both valid turns the timer on, else it becomes indeterminate.
    void CheckSleepTimesOnLeaving(CEdit& leaving);
    // The slot part of OK: asks about each unlocked slot whose file cannot be found.
    void ValidateSlotFiles();
};
