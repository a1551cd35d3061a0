#pragma once
#include "controls/NamedControl.h"
#include "controls/SoundPathEdit.h"
#include "core/Chime.h"
#include "core/Schedule.h"
#include "framework/Afx.h"
#include "main/DayBoxes.h"
#include "main/DeviceList.h"
#include "main/LanguageList.h"
#include "main/QuietReasons.h"
#include "main/SettingsView.h"
#include "main/SlotSound.h"
#include "main/TellTime.h"
#include "main/TrayIcon.h"
#include "main/VoiceList.h"
#include "platform/Platform.h"
#include "res/resource.h"
#include "settings/Options.h"

// The quarter-hour chime's timer, and the one that readies the sound system before the first.
constexpr UINT_PTR ID_CHIME_TIMER = 1;
constexpr UINT_PTR ID_READY_TIMER = 2;

// The chime has sounded (wParam TRUE when whole; lParam the player's number for it).
constexpr UINT WM_CHIME_DONE = WM_APP + 3;
template <> struct Cracker<WM_CHIME_DONE> {
    using Signature = void(bool, unsigned);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM l) {
        return f(w != 0, static_cast<unsigned>(l)), 0;
    }
};

// The settings dialog, which is also the program's hidden main window: its controls, the tray
// icon, the chime timer, the Sleep Timer and Disable. Each feature beyond the window's own is a
// class of its own that the dialog's map chains (Tell the time, the days, the quiet reasons
// with the snooze) or a control that handles its own notifications (the device list). The
// dialog's parts live in one .cpp per concern: lifecycle, settings, tray, chime, sleep, slots.
class CChimeDlg : public CDialog {
public:
    CChimeDlg();
    ~CChimeDlg() override;

    // Lifecycle
    BOOL OnInitDialog() override;
    // Shows every text of the window in the text language: the controls', the lists' entries,
    // the notes, the system menu's item and what a screen reader hears.
    void ShowTexts();
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
    CTrayIcon m_tray;

    // Chime
    void ChimeTick(UINT_PTR nIDEvent);
    // After the clock was set or the machine resumed: a fresh reading, a fresh timer, the tray.
    void OnTimeChange();
    void OnPowerBroadcast(UINT event, LPARAM data);

    // Settings store
    // Every option the window shows (and the lead-in): one row each.
    static OptionTable OptionRows();
    void LoadSettings();
    void SaveSettings();
    void RemoveLegacyEntries();

    // Sleep window
    // Parses a time text into `hhmm` and normalises the text; FALSE when it is no time.
    static BOOL ParseSleepTime(CString& text, int& hhmm);
    BOOL IsSleeping(int t);
    void ApplySleepTimerState();
    // A time field lost the focus.
    void OnLeaveSleepTime(UINT id);
    void OnSleep();

    // Sound slots
    // Locks exactly the slots that the way of striking and the two boxes say are not used.
    void LockSecondarySlots();
    // A way of striking chosen: its bells offered, the slots it does not strike locked.
    void OnPatternChosen();
    // Runs the file dialog titled `caption` for a slot holding `text`; `text` becomes the
    // chosen path, or stays as it is.
    void BrowseForSound(const char* caption, CString& text);
    // FALSE when the file `text` names cannot be found and the user declines to keep it.
    BOOL ValidateSoundFile(const char* caption, const CString& text);

    // About
    void OnAbout();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // Message handlers
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    void OnWindowPosChanging(WINDOWPOS* pos);
    int OnCreate(LPCREATESTRUCTW);
    void OnDestroy();
    void OnEndSession(bool ending, UINT flags);
    // Saves, removes the tray icon, silences every sound and ends the process at once (a
    // newer instance waits).
    void EndForTakeover();
    void OpenSettingsWindow();
    // The tray menu, at `at` in screen coordinates.
    void RunTrayMenu(POINT at);
    // Arms the chime timer for the next boundary from a fresh clock reading (after a clock
    // change or a resume, a boundary that is now and was not rung yet rings at once), and
    // reads and scales its sound ahead of time.
    void ArmChimeTimer(bool afterChange = false);
    // Starts the chime of `boundary`, its first note on the boundary, and shows the ringing
    // status until it has sounded; FALSE when there is nothing to play.
    bool Ring(const Boundary& boundary);
    // The chime numbered `serial` has sounded: the status, the spoken time, the next quarter.
    void OnChimeDone(bool whole, unsigned serial);
    // The volume slider let go of: a short preview at the new level.
    void OnVolumeScroll(UINT code, HWND slider);
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

    // When the chime timer fires, and for which boundary.
    ChimeSchedule m_schedule;
    // The lead-in the armed tick plays, and how early it was armed in all (milliseconds).
    struct Armed {
        unsigned leadInMs = 0, earlyMs = 0;
    } m_armed;
    // The chime sounding now (the player's number for it, 0 for none), and its boundary.
    struct Ringing {
        unsigned serial = 0;
        int hour = 0, minute = 0;
    } m_ringing;
    SlotPlayer m_player;
    // Whether the sound system has been readied (once, before the first chime).
    BOOL m_bSoundReady = FALSE;
    // The profile's "Lead_In_Ms": how long the lead-in is when it is on.
    unsigned m_nLeadInMs = 700;
    // The volume the last preview played at (a drag ends with two notices: one preview).
    int m_nPreviewedVolume = -1;
    // The quiet hours: the three-state box (the only record of whether the timer is on), the
    // two fields and their times as last parsed (hhmm, 0 for none).
    struct SleepTimer {
        CButton box;
        CEdit startField, stopField;
        int start = 0, stop = 0;
    } m_sleep;
    BOOL m_bShown = FALSE;
    BOOL m_bDisabled = FALSE;
    // Each slot's field and buttons, in the order of the slot table.
    struct SlotControls {
        CSoundPathEdit field;
        CNamedControl browse, play;
    } m_slots[4];
    // The options' sliders, lists and hot-key controls (room for eight), announced with the
    // label before each (which the standard objects do not give everywhere).
    static constexpr size_t kMaxLabelled = 8;
    CNamedControl m_labelled[kMaxLabelled];
    CDeviceList m_devices;
    CLanguageList m_languages;
    CVoiceList m_voices;
    // The window's icons: the big one, and the small one at the display scale's size.
    HICON m_hMainIcon = nullptr;
    CIcon m_smallIcon;
    CTellTime m_tell;
    CDayBoxes m_days;
    CQuietReasons m_quiet;
};
