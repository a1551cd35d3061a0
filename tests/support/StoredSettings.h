#pragma once
// The program's stores as a test sees them: the registry keys and the INI file of the prefix.
#include "CWinApp.h"

#include <string>

// The private profile's full path in the Windows directory.
inline std::string ProfilePath() {
    char dir[MAX_PATH];
    ::GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\" + AfxGetApp()->m_pszProfileName;
}

// A clean account: no slot keys, no profile.
inline void ForgetStoredSettings() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\CHIMO!");
    ::DeleteFileA(ProfilePath().c_str());
}

// The default value of a registry key below HKEY_CURRENT_USER, as a slot stores its text;
// "<none>" when there is none.
inline std::string StoredValue(const char* key) {
    char buffer[512] = "";
    LONG size = sizeof buffer;
    if (::RegQueryValueA(HKEY_CURRENT_USER, key, buffer, &size) != ERROR_SUCCESS)
        return "<none>";
    return buffer;
}
