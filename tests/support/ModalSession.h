#pragma once
// Runs a dialog modally on its own GUI thread, so that a test can drive it from outside with
// SendMessage (which waits until the GUI thread has handled the message) and look at it.
// The dialog's own timers never fire by themselves: the test sends WM_TIMER when it wants one.
#include "CDialog.h"
#include "CWinApp.h"
#include "MessageBoxAnswerer.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class ModalSession {
public:
    // Starts `dialog.DoModal()` on a new thread and waits until its modal loop is running.
    // `asMainWindow` makes the dialog the application's main window, as the program does.
    // `answers` are queued for the message boxes before the dialog is created (for questions
    // asked while it initialises).
    explicit ModalSession(CDialog& dialog, bool asMainWindow = true, std::vector<int> answers = {});
    ~ModalSession();
    ModalSession(const ModalSession&) = delete;
    ModalSession& operator=(const ModalSession&) = delete;

    HWND hwnd() const { return m_hwnd; }
    DWORD threadId() const { return m_threadId; }
    // The answerer of the dialog thread's message boxes.
    MessageBoxAnswerer& boxes() { return *m_answerer; }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hwnd, message, wParam, lParam);
    }
    // A button click or menu command, as the control or menu would send it.
    void Command(UINT id) const { Send(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    // Waits for the modal run to end; true when it did within `ms`.
    bool WaitForEnd(DWORD ms = 5000);
    bool Ended() const { return m_ended.load(); }
    // Every WM_SHOWWINDOW the dialog received, in order: true for a show, false for a hide.
    std::vector<bool> ShowHistory() const;
    INT_PTR Result() const { return m_result; }
    // Lets the GUI thread drain what is queued (posted messages, the first show and paint).
    void Settle(DWORD ms = 200) const;

private:
    CDialog& m_dialog;
    std::unique_ptr<MessageBoxAnswerer> m_answerer;
    HHOOK m_showHook = nullptr;
    HHOOK m_timerHook = nullptr;
    static LRESULT CALLBACK TimerHookProc(int code, WPARAM wParam, LPARAM lParam);
    mutable std::mutex m_showMutex;
    std::vector<bool> m_shows;
    static LRESULT CALLBACK ShowHookProc(int code, WPARAM wParam, LPARAM lParam);
    std::thread m_thread;
    HWND m_hwnd = nullptr;
    DWORD m_threadId = 0;
    std::atomic<bool> m_ended{false};
    INT_PTR m_result = 0;
};
