#include "framework/CWnd.h"

#include "framework/CWinApp.h"

#include <vector>

namespace {

// The object pointer travels with the window as a property, so any thread can find it.
const char kObjectProperty[] = "Framework.CWnd";

} // namespace

void ReportBoundaryException(const char* what) {
    const CString text =
        CString("An internal error occurred and the last action was not completed:\n") + what;
    CWinApp* app = AfxGetApp();
    ::MessageBoxA(nullptr, text, app ? app->m_pszAppName : "", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

// A window that outlives its object (a control, a tip) only loses the binding.
CWnd::~CWnd() { UnsubclassWindow(); }

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    return hwnd ? static_cast<CWnd*>(::GetPropA(hwnd, kObjectProperty)) : nullptr;
}

void CWnd::Attach(HWND hwnd) {
    m_hWnd = hwnd;
    ::SetPropA(hwnd, kObjectProperty, this);
}

void CWnd::Detach() {
    if (!m_hWnd)
        return;
    ::RemovePropA(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd))
        return FALSE;
    Attach(hwnd);
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    return TRUE;
}

HWND CWnd::UnsubclassWindow() {
    HWND hwnd = m_hWnd;
    if (!hwnd)
        return nullptr;
    if (m_pfnSuper &&
        ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(AfxWndProc))
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    return hwnd;
}

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);

    CWnd::CurrentMessage saved = wnd->m_current;
    wnd->m_current = {message, wParam, lParam};
    LRESULT result = GuardedCall([&] { return wnd->WindowProc(message, wParam, lParam); },
                                 static_cast<LRESULT>(0));

    if (message == WM_NCDESTROY) {
        // The window is gone: forget it, then give the object its last word.
        wnd->UnsubclassWindow();
        if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == wnd)
            app->m_pMainWnd = nullptr;
        GuardedCall([&] { return wnd->PostNcDestroy(), 0; }, 0);
    } else {
        wnd->m_current = saved;
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *result = 0;
            return TRUE;
        }
        return FALSE;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC && lParam &&
        ReflectChildNotify(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result))
        return TRUE;
    if (const MessageEntry* entry = FindMessageEntry(message)) {
        *result = entry->Call(*this, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    auto control = reinterpret_cast<HWND>(lParam);
    if (control && ReflectChildNotify(control, WM_COMMAND, wParam, lParam, nullptr))
        return TRUE;
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

BOOL CWnd::ReflectChildNotify(HWND child, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT* result) {
    CWnd* wnd = FromHandlePermanent(child);
    if (!wnd || wnd == this)
        return FALSE;
    LRESULT local = 0;
    return wnd->OnChildNotify(message, wParam, lParam, result ? result : &local);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
    if (message == WM_COMMAND) {
        if (const MessageEntry* entry = FindMessageEntry(WM_REFLECT_COMMAND, HIWORD(wParam))) {
            *result = entry->Call(*this, wParam, 0);
            return TRUE;
        }
        return FALSE;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        if (const MessageEntry* entry = FindMessageEntry(WM_REFLECT_CTLCOLOR)) {
            // The CTLCOLOR_ kind follows the message order (MSGBOX = 0 ... STATIC = 6).
            LRESULT brush = entry->Call(*this, wParam, message - WM_CTLCOLORMSGBOX);
            if (brush) {
                *result = brush;
                return TRUE;
            }
        }
    }
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

CString WindowTextOf(HWND hwnd) {
    // The length may be an estimate where the text is converted, and a cut copy ends on a whole
    // character, up to three bytes short of the end: the buffer grows until the copy leaves
    // more room than that.
    const int length = hwnd ? ::GetWindowTextLengthA(hwnd) : 0;
    if (length <= 0)
        return CString();
    for (size_t size = static_cast<size_t>(length) + 5;; size *= 2) {
        std::vector<char> buffer(size);
        const int copied = ::GetWindowTextA(hwnd, buffer.data(), static_cast<int>(size));
        if (static_cast<size_t>(copied) + 4 < size || size > (1u << 24))
            return CString(buffer.data(), copied);
    }
}

CString CWnd::GetWindowText() const { return WindowTextOf(m_hWnd); }

int CWnd::GetDlgItemText(int id, CString& text) const {
    text = WindowTextOf(::GetDlgItem(m_hWnd, id));
    return text.GetLength();
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
    if (!caption)
        caption = AfxGetApp() ? AfxGetApp()->m_pszAppName : "";
    return ::MessageBoxA(m_hWnd, text, caption, type);
}
