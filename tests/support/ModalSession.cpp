#include "ModalSession.h"

#include <objbase.h>

#include <chrono>

namespace {
ModalSession* g_session = nullptr;
}

// Waits until `done` holds or `ms` pass, serving messages sent to this thread meanwhile (the GUI
// thread may send to windows of this one, e.g. when it disables an owner that lives here).
template <class F> bool PumpUntil(F done, DWORD ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

LRESULT CALLBACK ModalSession::ShowHookProc(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_session && msg->message == WM_SHOWWINDOW &&
        CWnd::FromHandlePermanent(msg->hwnd) == &g_session->m_dialog) {
        std::lock_guard<std::mutex> lock(g_session->m_showMutex);
        g_session->m_shows.push_back(msg->wParam != 0);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The dialog's own timers (the chime's) are the test's to deliver, with WM_TIMER sent at the
// moment the test chooses: a real one falling due meanwhile would race the test's fake clock.
LRESULT CALLBACK ModalSession::TimerHookProc(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && g_session && msg->message == WM_TIMER &&
        msg->hwnd && msg->hwnd == g_session->m_dialog.m_hWnd)
        msg->message = WM_NULL;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<bool> ModalSession::ShowHistory() const {
    std::lock_guard<std::mutex> lock(m_showMutex);
    return m_shows;
}

ModalSession::ModalSession(CDialog& dialog, bool asMainWindow, std::vector<int> answers)
    : m_dialog(dialog) {
    g_session = this;
    m_thread = std::thread([this, asMainWindow, answers] {
        m_threadId = ::GetCurrentThreadId();
        // As the program's start-up does: dropped shortcuts are resolved through COM.
        ::CoInitialize(nullptr);
        // Hooks live on the GUI thread itself: a hook set from another thread would be called
        // through that thread's message queue (slowly, under Wine, or not at all if it waits).
        m_answerer = std::make_unique<MessageBoxAnswerer>();
        for (int answer : answers)
            m_answerer->Answer(answer);
        m_showHook = ::SetWindowsHookExA(WH_CALLWNDPROC, ShowHookProc, nullptr, m_threadId);
        m_timerHook = ::SetWindowsHookExA(WH_GETMESSAGE, TimerHookProc, nullptr, m_threadId);
        if (asMainWindow)
            AfxGetApp()->m_pMainWnd = &m_dialog;
        m_result = m_dialog.DoModal();
        if (AfxGetApp()->m_pMainWnd == &m_dialog)
            AfxGetApp()->m_pMainWnd = nullptr;
        ::UnhookWindowsHookEx(m_showHook);
        ::UnhookWindowsHookEx(m_timerHook);
        m_showHook = m_timerHook = nullptr;
        ::CoUninitialize();
        m_ended = true;
    });
    // Wait for the modal loop itself: questions asked while the dialog initialises are over.
    PumpUntil([this] { return m_dialog.IsInModalLoop() || m_ended; }, 10000);
    m_hwnd = m_dialog.m_hWnd;
    if (m_hwnd)
        Send(WM_NULL);
}

ModalSession::~ModalSession() {
    // End the run as a newer instance would; a dialog that ignores that gets WM_QUIT.
    if (!m_ended && m_hwnd && ::IsWindow(m_hwnd))
        ::PostMessageA(m_hwnd, WM_DESTROY, 0, 0);
    if (!WaitForEnd(3000))
        ::PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
    if (m_thread.joinable())
        m_thread.join();
    g_session = nullptr;
}

bool ModalSession::WaitForEnd(DWORD ms) {
    return PumpUntil([this] { return m_ended.load(); }, ms);
}

void ModalSession::Settle(DWORD ms) const {
    PumpUntil([] { return false; }, ms);
    if (!m_ended && m_hwnd && ::IsWindow(m_hwnd))
        Send(WM_NULL);
}
