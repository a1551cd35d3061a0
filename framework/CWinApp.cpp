#include "framework/CWinApp.h"

#include "framework/CWnd.h"
#include "framework/FrameworkIds.h"
#include "framework/IsFile.h"
#include "framework/Unicode.h"

#include <cstdlib>
#include <utility>

#include <cstring>
#include <vector>

namespace {
CWinApp* g_app = nullptr;
} // namespace

CWinApp::CWinApp(const char* appName) {
    g_app = this;
    if (appName)
        m_strAppName = appName;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }
HINSTANCE AfxGetInstanceHandle() {
    return g_app && g_app->m_hInstance ? g_app->m_hInstance : ::GetModuleHandleW(nullptr);
}
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

namespace {
// The executable's name without its directory and extension: "NOTEPAD" for "C:\Apps\NOTEPAD.EXE".
CString BaseName(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    const char* dot = std::strrchr(name, '.');
    return CString(name, dot ? static_cast<int>(dot - name) : lstrlenA(name));
}
} // namespace

void CWinApp::InitNames(HINSTANCE instance) {
    m_hInstance = instance;
    std::vector<wchar_t> path(MAX_PATH);
    DWORD n = 0;
    for (;;) {
        n = ::GetModuleFileNameW(instance, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size())
            break;
        path.resize(path.size() * 2);
    }
    const CString program = Utf8(path.data(), static_cast<int>(n));
    CString base = BaseName(program);
    if (m_strAppName.IsEmpty())
        m_strAppName = base;
    const std::string::size_type cut = program.str().find_last_of('\\');
    m_strProgramFolder =
        cut == std::string::npos ? CString() : CString(program.str().substr(0, cut + 1));
    m_pszAppName = m_strAppName;
    // Portable: the file beside the program says so. Else the Windows directory's, unless an
    // earlier run had to move to the roaming profile.
    const CString beside = m_strProgramFolder + base.str() + ".INI";
    m_bPortable = !m_strProgramFolder.IsEmpty() &&
                  ::GetPrivateProfileIntW(L"Special", L"Portable", 0, WideText(beside)) == 1;
    const CString roaming = RoamingProfile(base + ".INI");
    m_strProfileName = m_bPortable                             ? beside
                       : !roaming.IsEmpty() && IsFile(roaming) ? roaming
                                                               : base + ".INI";
    m_pszProfileName = m_strProfileName;
    m_unsaved.clear();
}

CString CWinApp::RoamingProfile(const CString& fileName) const {
    wchar_t folder[MAX_PATH] = L"";
    const DWORD length = ::GetEnvironmentVariableW(L"APPDATA", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    return Utf8(folder) + "\\" + m_strAppName.str() + "\\" + fileName.str();
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) const {
    CString kept;
    if (Unsaved(section, entry, kept))
        return kept.IsEmpty() ? defaultValue : std::atoi(kept);
    return static_cast<int>(::GetPrivateProfileIntW(WideText(section), WideText(entry),
                                                    defaultValue, WideText(m_pszProfileName)));
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value) {
    char text[12]; // the longest int, "-2147483648", and its terminator
    ::wsprintfA(text, "%d", value);
    return WriteProfileString(section, entry, text);
}

CString CWinApp::GetProfileString(const char* section, const char* entry,
                                  const char* defaultValue) const {
    if (!defaultValue)
        defaultValue = "";
    CString kept;
    if (Unsaved(section, entry, kept))
        return kept.IsEmpty() ? CString(defaultValue) : kept;
    // The call truncates silently; a result that fills the buffer may have been cut, so grow.
    const WideText wideSection(section), wideEntry(entry), wideDefault(defaultValue),
        file(m_pszProfileName);
    std::vector<wchar_t> buffer(256);
    for (;;) {
        DWORD n = ::GetPrivateProfileStringW(wideSection, wideEntry, wideDefault, buffer.data(),
                                             static_cast<DWORD>(buffer.size()), file);
        if (n + 1 < buffer.size() || buffer.size() >= (1u << 24))
            return Utf8(buffer.data(), static_cast<int>(n));
        buffer.resize(buffer.size() * 4);
    }
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value) {
    const auto write = [&] {
        return ::WritePrivateProfileStringW(WideText(section), WideText(entry), WideText(value),
                                            WideText(m_pszProfileName));
    };
    if (m_unsaved.empty() && write())
        return TRUE;
    // The Windows directory refuses the file (a 64-bit or elevated program, with no file
    // virtualization to turn to): the roaming profile takes it, with what the old file held.
    const bool bare = m_strProfileName.str().find('\\') == std::string::npos;
    if (m_unsaved.empty() && bare && !m_bPortable) {
        const CString roaming = RoamingProfile(m_strProfileName);
        wchar_t windows[MAX_PATH] = L"";
        const UINT length = ::GetWindowsDirectoryW(windows, MAX_PATH);
        if (!roaming.IsEmpty() && length && length < MAX_PATH) {
            const std::string folder = roaming.str().substr(0, roaming.str().find_last_of('\\'));
            ::CreateDirectoryW(WideText(folder), nullptr);
            const CString old = Utf8(windows) + "\\" + m_strProfileName.str();
            ::CopyFileW(WideText(old), WideText(roaming), TRUE);
            m_strProfileName = roaming;
            m_pszProfileName = m_strProfileName;
            if (write())
                return TRUE;
        }
    }
    return KeepUnsaved(section, entry, value);
}

namespace {
// An entry's place among those kept unsaved.
std::string UnsavedKey(const char* section, const char* entry) {
    return std::string(section ? section : "") + "\n" + (entry ? entry : "");
}
} // namespace

bool CWinApp::Unsaved(const char* section, const char* entry, CString& value) const {
    const std::string key = UnsavedKey(section, entry);
    for (const UnsavedEntry& kept : m_unsaved)
        if (kept.key == key) {
            value = kept.removed ? CString() : CString(kept.value);
            return true;
        }
    return false;
}

BOOL CWinApp::KeepUnsaved(const char* section, const char* entry, const char* value) {
    UnsavedEntry kept{UnsavedKey(section, entry), !value, value ? value : ""};
    bool found = false;
    for (UnsavedEntry& old : m_unsaved)
        if (old.key == kept.key)
            old = kept, found = true;
    if (!found)
        m_unsaved.push_back(std::move(kept));
    if (!std::exchange(m_bToldUnsaved, true)) {
        // Said once, whenever it happens; the settings stay as they are while the program runs.
        std::string text = LoadText(AFX_IDS_CANNOT_SAVE).str();
        const std::string::size_type at = text.find("%1");
        if (at != std::string::npos)
            text.replace(at, 2, m_strProfileName.str());
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
    return FALSE;
}

HICON CWinApp::LoadIcon(UINT id) const {
    return ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(id));
}

void CWinApp::DoWaitCursor(int code) {
    const int before = m_nWaitCursorCount;
    m_nWaitCursorCount = before + code > 0 ? before + code : 0;
    if (m_nWaitCursorCount > 0) {
        HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32514))); // IDC_WAIT
        if (before == 0)
            m_hcurWaitCursorRestore = previous;
    } else if (before > 0) {
        // The cursor that showed before, even none at all.
        ::SetCursor(m_hcurWaitCursorRestore);
    }
}

int AfxMessageBox(const char* text, UINT type, UINT) {
    // Owned by what the user is looking at: the main window's last active popup (an open
    // dialog of its own), so that window is disabled while the box is up.
    CWnd* main = AfxGetMainWnd();
    HWND owner = main ? main->GetSafeHwnd() : nullptr;
    if (owner)
        owner = ::GetLastActivePopup(owner);
    CWinApp* app = AfxGetApp();
    return ::MessageBoxW(owner, WideText(text), WideText(app ? app->m_pszAppName : ""), type);
}

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->InitNames(instance);
    app->m_nCmdShow = showCommand;
    // The application's whole working life runs inside InitInstance (its modal dialog).
    app->InitInstance();
    return 0;
}
