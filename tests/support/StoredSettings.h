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
