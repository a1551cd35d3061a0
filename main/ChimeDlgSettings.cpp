// What the settings window stores, and where: the options (one row each), the days, the device
// and the four slots' sounds.
#include "main/ChimeDlg.h"

#include "core/Texts.h"
#include "main/SoundSlots.h"
#include "settings/SoundScheme.h"
#include "sound/SoundPlayer.h"

#include <commctrl.h>

namespace {
// Every option: an option of the settings window is its control in the template and a row here.
// "Chime_When_Busy" keeps the meaning it had before the window showed it, hence inverted.
// clang-format off
const OptionRow kOptions[] = {
    // control              section    entry                 held            default     range
    {IDC_MULTI,             "Options", "Multi_Chimo",        Held::Box,         0,         0, 1},
    {IDC_PATTERN,           "Options", "Pattern",            Held::Choice,      0,         0, kPatternCount - 1},
    {IDC_USE_SAME,          "Options", "Use_Same_Secondary", Held::Box,         0,         0, 1},
    {IDC_DISABLE_SECONDARY, "Options", "Disable_Secondary",  Held::Box,         0,         0, 1},
    {IDC_SLEEP_TIMER,       "Options", "Timer",              Held::Box,         0,         0, 2},
    {IDC_SLEEP_START,       "Options", "Timer_Start",        Held::Text,        0,         0, 0},
    {IDC_SLEEP_STOP,        "Options", "Timer_Stop",         Held::Text,        0,         0, 0},
    {IDC_WAKE_SPEAKERS,     "Options", "Wake_Speakers",      Held::Box,         0,         0, 1},
    {IDC_VOLUME,            "Options", "Volume",             Held::Level,     100,         0, 100},
    {IDC_QUIET_WHEN_BUSY,   "Special", "Chime_When_Busy",    Held::InvertedBox, 0,         0, 1},
    {IDC_QUIET_WHEN_AWAY,   "Options", "Quiet_When_Away",    Held::Box,         0,         0, 1},
    {IDC_SPEAK_TIME,        "Options", "Speak_Time",         Held::Box,         0,         0, 1},
    {IDC_TELL_KEY,          "Options", "Tell_Time_Key",      Held::HotKey, kDefaultTellTimeKey, 0, 0x0FFF},
    {IDC_TELL_EVERY,        "Options", "Tell_Every",         Held::Choice,      0,         0, kTellEveryCount - 1, kTellEveryValues},
    {IDC_SPEAK_ONLY,        "Options", "Speak_Only",         Held::Box,         0,         0, 1},
    {IDC_SPEAK_WORDS,       "Options", "Speak_Words",        Held::Choice,      0,         0, 1},
    {IDC_VOICE_RATE,        "Options", "Voice_Rate",         Held::Level,       0,       -10, 10},
    // How long the lead-in is when it is on, in milliseconds.
    {0,                     "Special", "Lead_In_Ms",         Held::Number,    700,         0, 3000},
    // How long without input counts as nobody there, in minutes.
    {0,                     "Options", "Away_Minutes",       Held::Number,     10,         1, 240},
};
// clang-format on

// The night volume the slider shows before the quiet hours are made quieter.
constexpr int kNightVolume = 30;
} // namespace

OptionTable CChimeDlg::OptionRows() { return TableOf(kOptions); }

void CChimeDlg::LoadSettings() {
    for (const SoundSlotInfo& slot : kSoundSlots)
        SetDlgItemText(slot.edit, StoredSlotSound(slot));

    LoadOptions(m_hWnd, OptionRows());
    m_nPreviewedVolume = SettingsView(m_hWnd).Volume();
    m_nLeadInMs = static_cast<unsigned>(LoadNumber(*OptionRows().Find("Lead_In_Ms")));
    m_quiet.awayMinutes = LoadNumber(*OptionRows().Find("Away_Minutes"));
    // The locks follow both boxes as loaded, whatever they showed before.
    LockSecondarySlots();

    // The days it rings on: every day unless the profile says otherwise.
    CWinApp* app = AfxGetApp();
    int days = app->GetProfileInt("Options", "Days", -1);
    if (days != DaysFromProfile(days)) {
        days = DaysFromProfile(days);
        app->WriteProfileInt("Options", "Days", days);
    }
    m_days.Show(days);

    // The device as stored; it is looked up when the window opens.
    m_devices.Show(app->GetProfileString("Options", "Output_Device").str(),
                   app->GetProfileString("Options", "Output_Device_Name").str(), false);

    m_languages.Show(app->GetProfileString("Options", "Language").str());
    // The voice as stored; the voices are looked up when the window opens or one speaks.
    m_voices.Show(app->GetProfileString("Options", "Voice").str(),
                  app->GetProfileString("Options", "Voice_Name").str(), false);
    m_tell.ShowIntervalState();

    // The quiet hours silent (-1, or no entry) or quieter, at a volume of their own.
    const int night = app->GetProfileInt("Options", "Sleep_Volume", -1);
    const bool quieter = night >= 0 && night <= 100;
    ::SendDlgItemMessageW(m_hWnd, IDC_SLEEP_MODE, CB_SETCURSEL, quieter ? 1 : 0, 0);
    ::SendDlgItemMessageW(m_hWnd, IDC_SLEEP_VOLUME, TBM_SETPOS, TRUE,
                          quieter ? night : kNightVolume);

    ApplySleepTimerState();
    // The next chime may take another sound, volume or lead-in.
    ArmChimeTimer();
}

void CChimeDlg::SaveSettings() {
    SaveOptions(m_hWnd, OptionRows());

    CWinApp* app = AfxGetApp();
    app->WriteProfileInt("Options", "Days", m_days.Checked());
    app->WriteProfileInt("Options", "Sleep_Volume", SettingsView(m_hWnd).NightVolume());

    // The default device is no entry at all.
    const SoundDevice device = m_devices.Chosen();
    const char* none = nullptr;
    app->WriteProfileString("Options", "Output_Device",
                            device.id.empty() ? none : device.id.c_str());
    app->WriteProfileString("Options", "Output_Device_Name",
                            device.id.empty() ? none : device.name.c_str());

    // Windows' voice is no entry at all.
    const VoiceInfo voice = m_voices.Chosen();
    app->WriteProfileString("Options", "Voice", voice.id.empty() ? none : voice.id.c_str());
    app->WriteProfileString("Options", "Voice_Name", voice.id.empty() ? none : voice.name.c_str());

    const std::string language = m_languages.Chosen();
    app->WriteProfileString("Options", "Language", language.empty() ? none : language.c_str());

    for (const SoundSlotInfo& slot : kSoundSlots)
        StoreSlotSound(slot, SettingsView(m_hWnd).SlotText(slot.slot));
}

void CChimeDlg::RemoveLegacyEntries() {
    // Settings that travel with the program leave the registry alone.
    if (AfxGetApp()->IsPortable() || !LegacyEntriesPresent())
        return;
    if (MessageBox(LoadText(IDS_LEGACY_QUESTION), LoadText(IDS_LEGACY_CAPTION),
                   MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
        PlayResource(IDW_CUE_NO);
        return;
    }
    PlayResource(IDW_CUE_YES);
    RemoveLegacyKeys();
}
