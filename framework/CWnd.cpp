#include "framework/CWnd.h"

#include "framework/CWinApp.h"
#include "framework/FrameworkIds.h"

#include <utility>
#include <vector>

namespace {

// The object pointer travels with the window as a property, so any thread can find it.
const wchar_t kObjectProperty[] = L"Framework.CWnd";

} // namespace

void ReportBoundaryException(const char* what) {
    CString text = LoadText(AFX_IDS_INTERNAL_ERROR);
    if (text.IsEmpty())
        text = "An internal error occurred and the last action was not completed:";
    text = text + "\n" + what;
    CWinApp* app = AfxGetApp();
    ::MessageBoxW(nullptr, WideText(text), WideText(app ? app->m_pszAppName : ""),
                  MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

// A window that outlives its object (a control, a tip) only loses the binding.
CWnd::~CWnd() { UnsubclassWindow(); }

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    return hwnd ? static_cast<CWnd*>(::GetPropW(hwnd, kObjectProperty)) : nullptr;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd))
        return FALSE;
    m_hWnd = hwnd;
    ::SetPropW(hwnd, kObjectProperty, this);
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    return TRUE;
}

HWND CWnd::UnsubclassWindow() {
    const HWND hwnd = std::exchange(m_hWnd, nullptr);
    if (!hwnd)
        return nullptr;
    if (m_pfnSuper &&
        ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(AfxWndProc))
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    ::RemovePropW(hwnd, kObjectProperty);
    return hwnd;
}

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);

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
    if (const FoundEntry found = FindMessageEntry(message))
        return found.Call(wParam, lParam);
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
    const FoundEntry found =
        control && control != this ? control->FindMessageEntry(message, code) : FoundEntry{};
    if (found)
        result = found.Call(wParam, lParam);
    return found ? TRUE : FALSE;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

bool IsDialogWindow(HWND hwnd) {
    wchar_t name[8] = L"";
    return ::GetClassNameW(hwnd, name, 8) && !lstrcmpW(name, L"#32770");
}

CString ProcessImagePath(DWORD processId) {
    CHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    wchar_t image[MAX_PATH * 2] = L"";
    DWORD size = MAX_PATH * 2;
    if (!process || !::QueryFullProcessImageNameW(process.get(), 0, image, &size))
        return CString();
    return Utf8(image, static_cast<int>(size));
}

CString WindowTextOf(HWND hwnd) {
    // The length may be an estimate, and the text may grow between the calls: the buffer
    // grows until the copy leaves room to spare.
    const int length = hwnd ? ::GetWindowTextLengthW(hwnd) : 0;
    if (length <= 0)
        return CString();
    for (size_t size = static_cast<size_t>(length) + 2;; size *= 2) {
        std::vector<wchar_t> buffer(size);
        const int copied = ::GetWindowTextW(hwnd, buffer.data(), static_cast<int>(size));
        if (static_cast<size_t>(copied) + 1 < size || size > (1u << 24))
            return Utf8(buffer.data(), copied);
    }
}

void SetWindowTextOf(HWND hwnd, const char* text) {
    ::SetWindowTextW(hwnd, WideText(text ? text : ""));
}

void CWnd::SetWindowText(const char* text) { SetWindowTextOf(m_hWnd, text); }

void CWnd::SetDlgItemText(int id, const char* text) {
    SetWindowTextOf(::GetDlgItem(m_hWnd, id), text);
}

CString CWnd::GetWindowText() const { return WindowTextOf(m_hWnd); }

int CWnd::GetDlgItemText(int id, CString& text) const {
    text = WindowTextOf(::GetDlgItem(m_hWnd, id));
    return text.GetLength();
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
    if (!caption)
        caption = AfxGetApp() ? AfxGetApp()->m_pszAppName : "";
    return ::MessageBoxW(m_hWnd, WideText(text), WideText(caption), type);
}
