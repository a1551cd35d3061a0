// The settings store: the current user's sound-scheme registry keys (one per slot, so the sounds
// also show in the system's sound settings) and the private INI profile.
#include "main/ChimeDlg.h"

#include "framework/ScopedWin.h"
#include "main/SoundSlots.h"

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
    struct Box {
        const char* entry;
        CButton& box;
    } boxes[] = {
        {"Multi_Chimo", m_chkMulti},
        {"Use_Same_Secondary", m_chkUseSame},
        {"Disable_Secondary", m_chkDisableSecondary},
        {"Timer", m_chkSleepTimer},
    };
    for (const Box& b : boxes) {
        int value = app->GetProfileInt("Options", b.entry, -1);
        if (value == -1) {
            // -1 cannot be told from an absent entry: both are written back as 0.
            app->WriteProfileInt("Options", b.entry, 0);
            continue;
        }
        b.box.SendMessage(BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
    // The locks follow both boxes as loaded, whatever they showed before.
    LockSecondarySlots();

    struct Time {
        const char* entry;
        int editId;
    } times[] = {{"Timer_Start", IDC_SLEEP_START}, {"Timer_Stop", IDC_SLEEP_STOP}};
    for (const Time& t : times) {
        CString text = app->GetProfileString("Options", t.entry, nullptr);
        if (text.IsEmpty())
            app->WriteProfileString("Options", t.entry, nullptr);
        else
            SetDlgItemText(t.editId, text);
    }

    ApplySleepTimerState();
}

void CChimeDlg::SaveSettings() {
    CWinApp* app = AfxGetApp();
    app->WriteProfileInt("Options", "Multi_Chimo", m_chkMulti.GetCheck());
    app->WriteProfileInt("Options", "Use_Same_Secondary", m_chkUseSame.GetCheck());
    app->WriteProfileInt("Options", "Disable_Secondary", m_chkDisableSecondary.GetCheck());
    app->WriteProfileInt("Options", "Timer", m_chkSleepTimer.GetCheck());
    CString text;
    GetDlgItemText(IDC_SLEEP_START, text);
    app->WriteProfileString("Options", "Timer_Start", text);
    GetDlgItemText(IDC_SLEEP_STOP, text);
    app->WriteProfileString("Options", "Timer_Stop", text);

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

    int answer =
        MessageBox("CHIMO! has detected outdated registry entries.  Would you care to remove them?",
                   "CHIMO!: Previous Version Detected", MB_YESNO | MB_ICONEXCLAMATION);
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
