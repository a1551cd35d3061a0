#pragma once
#include "framework/CCmdTarget.h"
#include "framework/CString.h"

#include <windows.h>

#include <string>
#include <vector>

class CWnd;

// The application object: start-up flow, names, the private profile and the wait cursor. Exactly
// one exists; AfxGetApp() finds it.
class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    // Start-up flow (AfxWinMain): InitInstance, which runs the application's whole working
    // life (a modal dialog); the process then ends with code 0.
    virtual BOOL InitInstance();

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    // Named after the executable unless the constructor was given a name.
    const char* m_pszAppName = "";
    // The private profile: the executable's base name with ".INI". Beside the executable when
    // the file there says `[Special] Portable=1`; else without a directory, so the profile
    // functions find it in the Windows directory, until a write there fails: from then on (and
    // at every later start) it is in %APPDATA%\<name>\, what the old file held carried over.
    const char* m_pszProfileName = "";
    // Whether the settings travel with the executable, in the file beside it.
    bool IsPortable() const { return m_bPortable; }
    // The executable's folder, with its last separator.
    const CString& ProgramFolder() const { return m_strProgramFolder; }

    // Profile functions on the private INI file.
    int GetProfileInt(const char* section, const char* entry, int defaultValue) const;
    BOOL WriteProfileInt(const char* section, const char* entry, int value);
    // A NULL default reads as empty; values of any length are read whole.
    CString GetProfileString(const char* section, const char* entry,
                             const char* defaultValue = nullptr) const;
    // A NULL value removes the entry. FALSE when no file takes it: it is kept all the same.
    BOOL WriteProfileString(const char* section, const char* entry, const char* value);

    HICON LoadIcon(UINT id) const;
    // +1 begins the busy cursor, -1 ends it, 0 restores it; the count never goes below zero.
    void DoWaitCursor(int code);

    // Sets the instance and the names from the module (AfxWinMain does this first).
    void InitNames(HINSTANCE instance);

private:
    // A write that failed where no other place is left: kept here, read before the file, for
    // as long as the program runs, and said once.
    bool Unsaved(const char* section, const char* entry, CString& value) const;
    // `fileName` in the roaming profile's folder named after the application.
    CString RoamingProfile(const CString& fileName) const;
    BOOL KeepUnsaved(const char* section, const char* entry, const char* value);
    CString m_strAppName, m_strProfileName, m_strProgramFolder;
    bool m_bPortable = false;
    struct UnsavedEntry {
        std::string key; // section \n entry
        bool removed;
        std::string value;
    };
    std::vector<UnsavedEntry> m_unsaved;
    bool m_bToldUnsaved = false;
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
CWnd* AfxGetMainWnd();
// A message box owned by the main window's last active popup, captioned with the application's
// name.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
