#include "framework/CWinApp.h"

#include "framework/CWnd.h"
#include "framework/Unicode.h"

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
    CString base = BaseName(Utf8(path.data(), static_cast<int>(n)));
    if (m_strAppName.IsEmpty())
        m_strAppName = base;
    m_strProfileName = base + ".INI";
    m_pszAppName = m_strAppName;
    m_pszProfileName = m_strProfileName;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) const {
    return static_cast<int>(::GetPrivateProfileIntW(WideText(section), WideText(entry),
                                                    defaultValue, WideText(m_pszProfileName)));
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value) const {
    char text[12]; // the longest int, "-2147483648", and its terminator
    ::wsprintfA(text, "%d", value);
    return WriteProfileString(section, entry, text);
}

CString CWinApp::GetProfileString(const char* section, const char* entry,
                                  const char* defaultValue) const {
    if (!defaultValue)
        defaultValue = "";
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

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value) const {
    return ::WritePrivateProfileStringW(WideText(section), WideText(entry), WideText(value),
                                        WideText(m_pszProfileName));
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
