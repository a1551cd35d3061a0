#pragma once
#include "framework/CCmdTarget.h"
#include "framework/CString.h"
#include "framework/ScopedWin.h"
#include "framework/Unicode.h"

#include <windows.h>

#include <exception>

// A window object bound to one HWND by SubclassWindow: a dialog binds its window before the
// window's first message (DoModal), a control when the dialog exchanges data (DDX_Control).
// One static window procedure finds the object and calls WindowProc.
class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object bound to a window by this framework, or nullptr.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Binds an existing window: PreSubclassWindow runs first, then the procedure is replaced.
    BOOL SubclassWindow(HWND hwnd);
    HWND UnsubclassWindow();

    // Message handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void PreSubclassWindow() {}
    virtual void PostNcDestroy() {}
    // The previous window procedure, for the message being handled now.
    LRESULT Default();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    void OnDestroy() { Default(); }

    // Thin wrappers.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
        return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
    }
    BOOL InvalidateRect(const RECT* rect, BOOL erase = TRUE) {
        return ::InvalidateRect(m_hWnd, rect, erase);
    }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    void SetWindowText(const char* text);
    CString GetWindowText() const;
    void GetWindowText(CString& text) const { text = GetWindowText(); }
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemText(int id, const char* text);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) {
        return ::SetTimer(m_hWnd, id, elapse, proc);
    }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    // A message box owned by this window; a NULL caption is the application's name.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

protected:
    // The message being handled now, for Default().
    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    CurrentMessage m_current;
    WNDPROC m_pfnSuper = nullptr;

    // Runs the entry for the reflected `message` (WM_REFLECT_xxx) with `code` in the map of
    // `child`'s own object, when it has one: TRUE then, with its answer in `result`.
    BOOL Reflect(HWND child, UINT message, UINT code, WPARAM wParam, LPARAM lParam,
                 LRESULT& result);

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
};

// The one window procedure of every bound window.
LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// No exception crosses a window procedure: the boundary calls this instead, which tells the user
// in a message box that the last action was not completed.
void ReportBoundaryException(const char* what);

// Runs `body` and reports any exception it throws, returning `fallback` then.
template <class F, class R> R GuardedCall(F&& body, R fallback) {
    try {
        return body();
    } catch (const std::exception& e) {
        ReportBoundaryException(e.what());
    } catch (...) {
        ReportBoundaryException("unknown exception");
    }
    return fallback;
}

// The text of any window, whole; and `text` (UTF-8) made the window's text.
CString WindowTextOf(HWND hwnd);
void SetWindowTextOf(HWND hwnd, const char* text);
// Whether `hwnd` is of the dialog class.
bool IsDialogWindow(HWND hwnd);
// The full path of the program behind `processId`, or "" when it cannot be told.
CString ProcessImagePath(DWORD processId);
