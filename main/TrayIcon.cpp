#include "main/TrayIcon.h"

#include "platform/Platform.h"

namespace {
// The hand-edited switch of the profile's "Special" section that is read once, when the window
// is created: on when non-zero; an absent entry (or -1, which cannot be told from one) is
// written back as 0.
bool SpecialSwitch(const char* entry) {
    CWinApp* app = AfxGetApp();
    int value = app->GetProfileInt("Special", entry, -1);
    if (value == -1) {
        app->WriteProfileInt("Special", entry, 0);
        value = 0;
    }
    return value != 0;
}
} // namespace

const MessageMap& CTrayIcon::GetMessageMap() const {
    static const MessageMap map{
        &CCmdTarget::GetMessageMap(),
        {
            // Explorer broadcasts this when the taskbar is re-created (after a crash or restart).
            on::Registered(L"TaskbarCreated", &CTrayIcon::Add),
        }};
    return map;
}

void CTrayIcon::Create(HWND window) {
    m_nid = NOTIFYICONDATAW{};
    // The whole record of today's shell: it has the protocol version, and the flag that keeps
    // the standard tooltip (the status text, which screen readers announce for the icon).
    m_nid.cbSize = sizeof m_nid;
    m_nid.hWnd = window;
    m_nid.uID = ID_TRAY_ICON;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
    m_nid.hIcon = Icon(IDI_TRAY_ACTIVE);
    CopyWide(m_nid.szTip, ARRAYSIZE(m_nid.szTip), LoadText(IDS_TIP_ACTIVE));
    m_wanted = !SpecialSwitch("Disable_Tray_Icon");
    Add();
}

void CTrayIcon::Add() {
    // At the start, and whenever a new taskbar (which knows nothing of the icon) is created,
    // with the status it shows now. The protocol version is the icon's, so it is asked for
    // after every addition.
    if (!m_wanted)
        return;
    IPlatform& platform = Platform();
    platform.Notify(NIM_ADD, &m_nid);
    m_nid.uVersion = NOTIFYICON_VERSION_4;
    platform.Notify(NIM_SETVERSION, &m_nid);
}

void CTrayIcon::Show(const char* tip, UINT iconId) {
    CopyWide(m_nid.szTip, ARRAYSIZE(m_nid.szTip), tip);
    m_nid.hIcon = Icon(iconId);
    Platform().Notify(NIM_MODIFY, &m_nid);
}

void CTrayIcon::Remove() {
    m_wanted = false;
    m_nid.uFlags = 0;
    Platform().Notify(NIM_DELETE, &m_nid);
}

HICON CTrayIcon::Icon(UINT iconId) {
    for (SizedIcon& entry : m_icons) {
        if (entry.id != iconId)
            continue;
        // The size is the system's for this display scale; the process is DPI aware, so it
        // is fixed for the process's life.
        if (!entry.icon)
            entry.icon =
                LoadIconSized(AfxGetInstanceHandle(), iconId, ::GetSystemMetrics(SM_CXSMICON),
                              ::GetSystemMetrics(SM_CYSMICON));
        return entry.icon.get();
    }
    return nullptr;
}
