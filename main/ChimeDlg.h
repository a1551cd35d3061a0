#pragma once
#include "controls/NamedControl.h"
#include "controls/SoundPathEdit.h"
#include "core/Chime.h"
#include "core/Quiet.h"
#include "core/Schedule.h"
#include "framework/Afx.h"
#include "main/SlotSound.h"
#include "platform/Platform.h"
#include "res/resource.h"
#include "settings/Options.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

// The quarter-hour chime's timer, and the one that readies the sound system before the first.
constexpr UINT_PTR ID_CHIME_TIMER = 1;
constexpr UINT_PTR ID_READY_TIMER = 2;
// The tray icon's id, and the message its mouse and keyboard events arrive with.
constexpr UINT ID_TRAY_ICON = 129;
constexpr UINT WM_TRAY_NOTIFY = WM_APP + 1;
// The struck time has been heard (wParam TRUE when whole).
constexpr UINT WM_TELL_DONE = WM_APP + 2;
template <> struct Cracker<WM_TELL_DONE> {
    using Signature = void(bool);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM) { return f(w != 0), 0; }
};

// Tell the time's key, as the hot-key control gives it (the key in the low byte, HOTKEYF_* in
// the high one): Ctrl+Alt+Shift+T. 0 is no key.
constexpr int kDefaultTellTimeKey = ((HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT) << 8) | 'T';

// The chime has sounded (wParam TRUE when whole; lParam the player's number for it).
constexpr UINT WM_CHIME_DONE = WM_APP + 3;
template <> struct Cracker<WM_CHIME_DONE> {
    using Signature = void(bool, unsigned);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM l) {
        return f(w != 0, static_cast<unsigned>(l)), 0;
    }
};

// The time of day as the user's short time format writes it ("3:15 PM", "15:15") in locale
// `locale`: what the voice says.
struct TimeText {
    wchar_t text[64];
};
TimeText SpokenTime(const wchar_t* locale, int hour, int minute);

// The settings dialog, which is also the program's hidden main window: it owns the tray icon,
// the chime timer and the controls that hold every setting. Its parts live in one .cpp per
// concern: lifecycle, settings, tray, chime, sleep, slots, device, tell the time.
class CChimeDlg : public CDialog {
public:
    CChimeDlg();
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
    LRESULT OnTrayNotify(WPARAM anchor, LPARAM event);
    // Shows the status for now, or for the boundary `at`, by the precedence Disabled, Silenced,
    // Sleeping, Active; returns whether that time is silenced or inside the quiet hours.
    BOOL RefreshStatus(const Boundary* at = nullptr);
    void ToggleDisabled();
    // "Silence for an hour" from the tray menu: on, or off again while it is on.
    void OnSnooze();
    Snooze m_snooze;

    // Chime
    void ChimeTick(UINT_PTR nIDEvent);
    // When the chime timer fires, and for which boundary.
    ChimeSchedule m_schedule;
    // After the clock was set or the machine resumed: a fresh reading, a fresh timer, the tray.
    void OnTimeChange();
    void OnPowerBroadcast(UINT event);
    // The three boxes that shape the chime, as they stand.
    ChimeOptions Options() const;
    // The chime's own volume, 0 to 100, as the slider stands.
    int Volume() const;
    // The lead-in the settings ask for before each chime, in milliseconds (0 when off).
    unsigned WantedLeadIn() const;
    // The profile's "Lead_In_Ms": how long the lead-in is when it is on.
    unsigned m_nLeadInMs = 700;

    // Settings store
    // Every option the window shows (and the lead-in): one row each.
    static OptionTable OptionRows();
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

    // Tell the time
    // Registers the key shown in its control (after OK, and at the start), and says beside it
    // when Windows refuses it.
    void RegisterTellTimeKey();
    void OnHotKey(int id);
    // Strikes the time now, as a quarter repeater does; a second call while it strikes stops it.
    void TellTime();
    // The struck time has been heard, whole or stopped.
    void OnTellDone(bool whole);
    // Speaks hour:minute when the settings ask for it.
    void SpeakTime(int hour, int minute);
    // Says beside the box when no voice can speak.
    void ShowVoiceNote();
    BOOL m_bTelling = FALSE;
    int m_tellHour = 0, m_tellMinute = 0;

    // Output device
    // Lists "Default device" and, when `lookUp`, each device connected now; the device `id`
    // (named `name`) stays chosen, marked as not connected when it is not. Every sound then
    // plays on it.
    void ShowDevices(const std::string& id, const std::string& name, bool lookUp);
    // The device chosen in the list: its ID ("" for the default device) and its name.
    SoundDevice ChosenDevice() const;

    // Plays one WAVE resource asynchronously as feedback.
    static void PlayCue(UINT id);

    int m_nSleepStop = 0;
    int m_nSleepStart = 0;
    BOOL m_bShown = FALSE;
    NOTIFYICONDATAA m_nid{};
    CButton m_chkSleepTimer;
    CEdit m_editSleepStop;
    CEdit m_editSleepStart;
    // Whether check box `id` is checked.
    bool Checked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }
    // The device list and the options' sliders and hot-key controls (room for six in all),
    // announced with the label before each (which the standard objects do not give everywhere).
    static constexpr size_t kMaxLabelled = 6;
    CNamedControl m_labelled[kMaxLabelled];
    // Each slot's field and buttons, in the order of the slot table.
    CSoundPathEdit m_editSlot[4];
    CNamedControl m_btnBrowse[4];
    CNamedControl m_btnPlay[4];
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
    void OnWindowPosChanging(WINDOWPOS* pos);
    int OnCreate(LPCREATESTRUCTA);
    void OnDestroy();
    void OnEndSession(bool ending, UINT flags);
    // Saves, removes the tray icon, silences every sound and ends the process at once (a
    // newer instance waits).
    void EndForTakeover();
    // Adds the tray icon (unless the profile suppresses it) with the status it shows now.
    void AddTrayIcon();
    void OpenSettingsWindow();
    // The tray menu, at `at` in screen coordinates.
    void RunTrayMenu(POINT at);
    // Shows `tip` and icon resource `iconId` in the tray record (sent by the caller).
    void SetTrayStatus(const char* tip, UINT iconId);
    // Arms the chime timer for the next boundary from a fresh clock reading (after a clock
    // change or a resume, a boundary that is now and was not rung yet rings at once), and
    // reads and scales its sound ahead of time.
    void ArmChimeTimer(bool afterChange = false);
    // Starts the chime of `boundary`, its first note on the boundary, and shows the ringing
    // status until it has sounded; FALSE when there is nothing to play.
    bool Ring(const Boundary& boundary);
    // The chime numbered `serial` has sounded: the status, the spoken time, the next quarter.
    void OnChimeDone(bool whole, unsigned serial);
    // The chime sounding now (the player's number for it, 0 for none), and its boundary.
    unsigned m_nChimeSerial = 0;
    int m_nRingHour = 0, m_nRingMinute = 0;
    // The slot's text as its field shows it.
    std::string SlotText(SoundSlot slot) const;
    // The lead-in the armed tick plays, and how early it was armed in all (milliseconds).
    unsigned m_nArmedLeadIn = 0;
    unsigned m_nArmedEarly = 0;
    SlotPlayer m_player;
    // Whether the sound system has been readied (once, before the first chime).
    BOOL m_bSoundReady = FALSE;
    // The device list's entries, in its order: the default device first.
    std::vector<SoundDevice> m_devices;
    void OnDeviceChosen();
    void OnDeviceListOpens();
    // The volume the last preview played at (a drag ends with two notices: one preview).
    int m_nPreviewedVolume = -1;
    // The volume slider let go of: a short preview at the new level.
    void OnVolumeScroll(UINT code, HWND slider);
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
    // Why the user is not to be disturbed now (presenting or running something full screen,
    // Windows' Do not disturb, some program using the microphone), or None.
    QuietReason BusyReason();
    // The last due quarter that kept quiet for the user's sake, and why; None once one rang.
    QuietReason m_quiet = QuietReason::None;
    int m_nQuietHour = 0, m_nQuietMinute = 0;
    // The days the boxes say it rings on (bit 0 Monday to bit 6 Sunday), and the weekday the
    // first box stands for (the user's first day of the week, 0 Monday).
    int CheckedDays() const;
    int m_nFirstDay = 0;
    void OnDayBox(UINT id);
    void NameDayBoxes();
    void ShowDays(int days);
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
