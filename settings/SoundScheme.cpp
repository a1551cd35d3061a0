#include "settings/SoundScheme.h"

#include "framework/ScopedWin.h"

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
            wchar_t name[kSubkeyNameSize] = {};
            if (::RegEnumKeyW(key, 0, name, kSubkeyNameSize) != ERROR_SUCCESS)
                break;
            // Always index 0: a subkey that cannot be deleted would come back for ever.
            if (::RegDeleteKeyW(key, name) != ERROR_SUCCESS)
                break;
        }
    }
    key.Close();
    ::RegDeleteKeyW(HKEY_CURRENT_USER, WideText(path));
}

} // namespace

CString LoadSchemeSound(const char* key) {
    CRegKey slot;
    CString text;
    if (slot.Create(HKEY_CURRENT_USER, key) == ERROR_SUCCESS && !ReadSlotText(slot, kCurrent, text))
        ReadSlotText(slot, kDefault, text);
    return text;
}

void SaveSchemeSound(const char* key, const char* text) {
    CRegKey slot;
    const WideText value(text ? text : "");
    if (slot.Open(HKEY_CURRENT_USER, key, KEY_WRITE) == ERROR_SUCCESS)
        ::RegSetValueW(slot, WideText(kCurrent), REG_SZ, value,
                       static_cast<DWORD>(value.size() * sizeof(wchar_t)));
}

bool LegacyEntriesPresent() {
    return CRegKey().Open(HKEY_CURRENT_USER, kLegacyHourly) == ERROR_SUCCESS;
}

void RemoveLegacyKeys() {
    ::RegDeleteKeyW(HKEY_CURRENT_USER, WideText(kLegacyHourlyLabel));
    ::RegDeleteKeyW(HKEY_CURRENT_USER, WideText(kLegacyQuarterHourlyLabel));
    DeleteLegacyTree(kLegacyHourly);
    DeleteLegacyTree(kLegacyQuarterHourly);
}
