// The settings store: the current user's sound-scheme registry keys (one per slot, so the sounds
// also show in the system's sound settings) and the private INI profile.
#include "main/ChimeDlg.h"
#include "core/Texts.h"

#include "framework/ScopedWin.h"
#include "main/SoundSlots.h"

#include <commctrl.h>

namespace {

const char kCurrent[] = ".current";
// The platform's place for an event's default sound, which the installer fills with the chimes
// it ships; it counts only while the user has made no choice (no ".current" yet).
const char kDefault[] = ".Default";

const char kLegacyHourly[] = "AppEvents\\Schemes\\Apps\\.Default\\Hourly CHIMO!";
const char kLegacyQuarterHourly[] = "AppEvents\\Schemes\\Apps\\.Default\\Quarter Hourly CHIMO!";
const char kLegacyHourlyLabel[] = "AppEvents\\EventLabels\\Hourly CHIMO!";
const char kLegacyQuarterHourlyLabel[] = "AppEvents\\EventLabels\\Quarter Hourly CHIMO!";
// Subkey names are read into a buffer of this size.
constexpr DWORD kSubkeyNameSize = 100;

// The text of slot key `slot`'s subkey `name` ("" when it holds no text: another program may
// have stored a number or bytes there); FALSE when there is no such subkey.
BOOL ReadSlotText(HKEY slot, const char* name, CString& text) {
    text = CString();
    CRegKey key;
    if (key.Open(slot, name) != ERROR_SUCCESS)
        return FALSE;
    key.QueryDefaultText(text); // leaves the text empty when it fails
    return TRUE;
}

// Deletes `path` below HKEY_CURRENT_USER with its direct subkeys (which have none of their own).
void DeleteLegacyTree(const char* path) {
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS) == ERROR_SUCCESS) {
        for (;;) {
            char name[kSubkeyNameSize] = {};
            if (::RegEnumKeyA(key, 0, name, kSubkeyNameSize) != ERROR_SUCCESS)
                break;
            // Always index 0: a subkey that cannot be deleted would come back for ever.
            if (::RegDeleteKeyA(key, name) != ERROR_SUCCESS)
                break;
        }
    }
    key.Close();
    ::RegDeleteKeyA(HKEY_CURRENT_USER, path);
}

// The profile's entries that the settings window shows, each with the control that holds it
// while the program runs. An inverted box is checked when its entry is 0: "Chime_When_Busy"
// keeps the meaning it had before the window showed it.
enum class Held { Check, InvertedCheck, Text, Level, HotKey };
struct ProfileOption {
    const char* section;
    const char* entry;
    int control;
    Held held;
};
const ProfileOption kOptions[] = {
    {"Options", "Multi_Chimo", IDC_MULTI, Held::Check},
    {"Options", "Use_Same_Secondary", IDC_USE_SAME, Held::Check},
    {"Options", "Disable_Secondary", IDC_DISABLE_SECONDARY, Held::Check},
    {"Options", "Timer", IDC_SLEEP_TIMER, Held::Check},
    {"Options", "Timer_Start", IDC_SLEEP_START, Held::Text},
    {"Options", "Timer_Stop", IDC_SLEEP_STOP, Held::Text},
    {"Options", "Wake_Speakers", IDC_WAKE_SPEAKERS, Held::Check},
    {"Options", "Volume", IDC_VOLUME, Held::Level},
    {"Special", "Chime_When_Busy", IDC_QUIET_WHEN_BUSY, Held::InvertedCheck},
    {"Options", "Speak_Time", IDC_SPEAK_TIME, Held::Check},
    {"Options", "Tell_Time_Key", IDC_TELL_KEY, Held::HotKey},
};
constexpr int kFullVolume = 100;
// Tell the time's key, as the hot-key control gives it (the key in the low byte, HOTKEYF_* in
// the high one): Ctrl+Alt+Shift+T, and the largest value there can be. 0 is no key.
constexpr int kDefaultTellTimeKey = ((HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT) << 8) | 'T';
constexpr int kMaxHotKey = 0x0FFF;
// The lead-in, when the profile says nothing, and the longest it may be.
constexpr int kDefaultLeadInMs = 700, kMaxLeadInMs = 3000;

// A stored box state as the box can show it: any other value than 0 checks a two-state box;
// the three-state box keeps 0, 1 and 2 and takes any other as 1.
int BoxState(HWND box, int value) {
    const bool threeState = (::GetWindowLongA(box, GWL_STYLE) & BS_TYPEMASK) == BS_AUTO3STATE;
    if (value == 0 || (threeState && (value == 1 || value == 2)))
        return value;
    return 1;
}
} // namespace

void CChimeDlg::LoadSettings() {
    for (const SoundSlotInfo& slot : kSoundSlots) {
        CRegKey key;
        CString text;
        if (key.Create(HKEY_CURRENT_USER, slot.key) == ERROR_SUCCESS &&
            !ReadSlotText(key, kCurrent, text))
            ReadSlotText(key, kDefault, text);
        SetDlgItemText(slot.edit, text);
    }

    CWinApp* app = AfxGetApp();
    for (const ProfileOption& option : kOptions) {
        HWND control = ::GetDlgItem(m_hWnd, option.control);
        if (option.held == Held::Text) {
            // An empty entry is no entry; it empties the field all the same, so that nothing
            // typed but not confirmed stays there.
            CString text = app->GetProfileString(option.section, option.entry, nullptr);
            if (text.IsEmpty())
                app->WriteProfileString(option.section, option.entry, nullptr);
            ::SetWindowTextA(control, text);
            continue;
        }
        int value = app->GetProfileInt(option.section, option.entry, -1);
        if (option.held == Held::Level) {
            // Absent or out of range: full volume, written back as such.
            if (value < 0 || value > kFullVolume) {
                value = kFullVolume;
                app->WriteProfileInt(option.section, option.entry, value);
            }
            ::SendMessageA(control, TBM_SETPOS, TRUE, value);
            m_nPreviewedVolume = value;
            continue;
        }
        if (option.held == Held::HotKey) {
            // Absent or out of range: the default key, written back as such.
            if (value < 0 || value > kMaxHotKey) {
                value = kDefaultTellTimeKey;
                app->WriteProfileInt(option.section, option.entry, value);
            }
            ::SendMessageA(control, HKM_SETHOTKEY, static_cast<WPARAM>(value), 0);
            continue;
        }
        if (value == -1) {
            // -1 cannot be told from an absent entry: both are written back as 0, and a plain
            // box stays as it is.
            app->WriteProfileInt(option.section, option.entry, 0);
            if (option.held == Held::Check)
                continue;
            value = 0;
        }
        if (option.held == Held::InvertedCheck)
            value = value ? BST_UNCHECKED : BST_CHECKED;
        ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(BoxState(control, value)), 0);
    }
    // The locks follow both boxes as loaded, whatever they showed before.
    LockSecondarySlots();

    int leadIn = app->GetProfileInt("Special", "Lead_In_Ms", -1);
    if (leadIn == -1) {
        leadIn = kDefaultLeadInMs;
        app->WriteProfileInt("Special", "Lead_In_Ms", leadIn);
    }
    m_nLeadInMs =
        static_cast<unsigned>(leadIn < 0 ? 0 : (leadIn > kMaxLeadInMs ? kMaxLeadInMs : leadIn));

    // The days it rings on: every day unless the profile says otherwise.
    int days = app->GetProfileInt("Options", "Days", -1);
    if (days != DaysFromProfile(days)) {
        days = DaysFromProfile(days);
        app->WriteProfileInt("Options", "Days", days);
    }
    ShowDays(days);

    // The device as stored; it is looked up when the window opens.
    ShowDevices(app->GetProfileString("Options", "Output_Device").str(),
                app->GetProfileString("Options", "Output_Device_Name").str(), false);

    ApplySleepTimerState();
    // The next chime may take another sound, volume or lead-in.
    ArmChimeTimer();
}

void CChimeDlg::SaveSettings() {
    CWinApp* app = AfxGetApp();
    CString text;
    for (const ProfileOption& option : kOptions) {
        HWND control = ::GetDlgItem(m_hWnd, option.control);
        if (option.held == Held::Text) {
            GetDlgItemText(option.control, text);
            app->WriteProfileString(option.section, option.entry, text);
            continue;
        }
        const UINT ask = option.held == Held::Level    ? TBM_GETPOS
                         : option.held == Held::HotKey ? HKM_GETHOTKEY
                                                       : BM_GETCHECK;
        int value = static_cast<int>(::SendMessageA(control, ask, 0, 0));
        if (option.held == Held::InvertedCheck)
            value = value == BST_CHECKED ? 0 : 1;
        app->WriteProfileInt(option.section, option.entry, value);
    }

    app->WriteProfileInt("Options", "Days", CheckedDays());

    // The default device is no entry at all.
    const SoundDevice device = ChosenDevice();
    const char* none = nullptr;
    app->WriteProfileString("Options", "Output_Device",
                            device.id.empty() ? none : device.id.c_str());
    app->WriteProfileString("Options", "Output_Device_Name",
                            device.id.empty() ? none : device.name.c_str());

    for (const SoundSlotInfo& slot : kSoundSlots) {
        CRegKey key;
        if (key.Open(HKEY_CURRENT_USER, slot.key, KEY_WRITE) != ERROR_SUCCESS)
            continue;
        GetDlgItemText(slot.edit, text);
        ::RegSetValueA(key, kCurrent, REG_SZ, text, static_cast<DWORD>(text.GetLength()));
    }
}

void CChimeDlg::RemoveLegacyEntries() {
    if (CRegKey().Open(HKEY_CURRENT_USER, kLegacyHourly) != ERROR_SUCCESS)
        return;

    int answer = MessageBox(kLegacyQuestion, kLegacyCaption, MB_YESNO | MB_ICONEXCLAMATION);
    if (answer != IDYES) {
        PlayCue(IDW_CUE_NO);
        return;
    }
    PlayCue(IDW_CUE_YES);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kLegacyHourlyLabel);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kLegacyQuarterHourlyLabel);
    DeleteLegacyTree(kLegacyHourly);
    DeleteLegacyTree(kLegacyQuarterHourly);
}
