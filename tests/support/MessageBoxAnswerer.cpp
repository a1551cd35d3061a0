#include "MessageBoxAnswerer.h"

#include "CWnd.h"

namespace {
MessageBoxAnswerer* g_answerer = nullptr;

std::string TextOf(HWND hwnd) {
    char buffer[4096];
    int n = ::GetWindowTextA(hwnd, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

bool HasButton(HWND box, int id) {
    // The box is not shown yet when it activates, so look at the buttons' own style.
    HWND button = ::GetDlgItem(box, id);
    return button && (::GetWindowLongPtrA(button, GWL_STYLE) & WS_VISIBLE);
}

UINT ButtonsStyle(HWND box) {
    bool yes = HasButton(box, IDYES), no = HasButton(box, IDNO), cancel = HasButton(box, IDCANCEL);
    if (yes && no)
        return cancel ? MB_YESNOCANCEL : MB_YESNO;
    if (HasButton(box, IDRETRY))
        return cancel ? MB_RETRYCANCEL : MB_ABORTRETRYIGNORE;
    return cancel ? MB_OKCANCEL : MB_OK;
}

UINT IconStyle(HWND box) {
    struct Known {
        LPCSTR id;
        UINT style;
    };
    const Known known[] = {{IDI_HAND, MB_ICONHAND},
                           {IDI_QUESTION, MB_ICONQUESTION},
                           {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                           {IDI_ASTERISK, MB_ICONASTERISK}};
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char cls[32];
        ::GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") != 0 ||
            (::GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            continue;
        auto icon = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
        if (!icon || !(::GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        for (const Known& k : known)
            if (icon == ::LoadIconA(nullptr, k.id))
                return k.style;
    }
    return 0;
}

std::string MessageText(HWND box) {
    // The text is the static with id 0xFFFF on Windows and under Wine.
    if (HWND text = ::GetDlgItem(box, 0xFFFF))
        return TextOf(text);
    return std::string();
}
} // namespace

MessageBoxAnswerer::MessageBoxAnswerer() {
    ::InitializeCriticalSection(&m_lock);
    g_answerer = this;
    m_hook = ::SetWindowsHookExA(WH_CBT, CbtProc, nullptr, ::GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
    g_answerer = nullptr;
    ::DeleteCriticalSection(&m_lock);
}

void MessageBoxAnswerer::Answer(int buttonId) {
    ::EnterCriticalSection(&m_lock);
    m_answers.push_back(buttonId);
    ::LeaveCriticalSection(&m_lock);
}

std::vector<MessageBoxAnswerer::Box> MessageBoxAnswerer::Boxes() const {
    ::EnterCriticalSection(&m_lock);
    std::vector<Box> copy = m_boxes;
    ::LeaveCriticalSection(&m_lock);
    return copy;
}

size_t MessageBoxAnswerer::Count() const { return Boxes().size(); }

void MessageBoxAnswerer::Clear() {
    ::EnterCriticalSection(&m_lock);
    m_boxes.clear();
    m_answers.clear();
    ::LeaveCriticalSection(&m_lock);
}

LRESULT CALLBACK MessageBoxAnswerer::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_answerer)
        g_answerer->OnActivate(reinterpret_cast<HWND>(wParam));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswerer::OnActivate(HWND box) {
    char cls[32];
    ::GetClassNameA(box, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") != 0 || CWnd::FromHandlePermanent(box) ||
        !::GetDlgItem(box, 0xFFFF))
        return;
    Box seen;
    seen.caption = TextOf(box);
    seen.text = MessageText(box);
    seen.style = ButtonsStyle(box) | IconStyle(box);
    seen.owner = ::GetWindow(box, GW_OWNER);

    ::EnterCriticalSection(&m_lock);
    // A box can become active more than once (focus games); answer it once.
    for (HWND answered : m_answered) {
        if (answered == box) {
            ::LeaveCriticalSection(&m_lock);
            return;
        }
    }
    m_answered.push_back(box);
    int answer = 0;
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    m_boxes.push_back(seen);
    ::LeaveCriticalSection(&m_lock);

    if (answer == 0)
        answer = HasButton(box, IDNO) ? IDNO : IDOK;
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box, answer)));
}
