#include "framework/CWnd.h"

#include "framework/CWinApp.h"

#include <utility>
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

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd))
        return FALSE;
    m_hWnd = hwnd;
    ::SetPropA(hwnd, kObjectProperty, this);
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    return TRUE;
}

HWND CWnd::UnsubclassWindow() {
    const HWND hwnd = std::exchange(m_hWnd, nullptr);
    if (!hwnd)
        return nullptr;
    if (m_pfnSuper &&
        ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(AfxWndProc))
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    ::RemovePropA(hwnd, kObjectProperty);
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
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam))
            return 0;
    } else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        // The control may choose its own colours: its handler gets the kind, which follows the
        // message order (CTLCOLOR_MSGBOX = 0 ... CTLCOLOR_STATIC = 6), and a brush ends it.
        LRESULT brush = 0;
        if (Reflect(reinterpret_cast<HWND>(lParam), WM_REFLECT_CTLCOLOR, 0, wParam,
                    message - WM_CTLCOLORMSGBOX, brush) &&
            brush)
            return brush;
    }
    if (const MessageEntry* entry = FindMessageEntry(message))
        return entry->Call(*this, wParam, lParam);
    return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    // A control's notification goes to the control's own object first.
    LRESULT ignored = 0;
    return Reflect(reinterpret_cast<HWND>(lParam), WM_REFLECT_COMMAND, HIWORD(wParam), wParam, 0,
                   ignored) ||
           OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

BOOL CWnd::Reflect(HWND child, UINT message, UINT code, WPARAM wParam, LPARAM lParam,
                   LRESULT& result) {
    CWnd* control = FromHandlePermanent(child);
    const MessageEntry* entry =
        control && control != this ? control->FindMessageEntry(message, code) : nullptr;
    if (entry)
        result = entry->Call(*control, wParam, lParam);
    return entry != nullptr;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

bool IsDialogWindow(HWND hwnd) {
    char name[8] = "";
    return ::GetClassNameA(hwnd, name, sizeof name) && !lstrcmpA(name, "#32770");
}

CString ProcessImagePath(DWORD processId) {
    CHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    char image[MAX_PATH * 3] = "";
    DWORD size = sizeof image;
    if (!process || !::QueryFullProcessImageNameA(process.get(), 0, image, &size))
        return CString();
    return CString(image);
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
