#include "controls/LinkLabel.h"

#include "controls/Accessible.h"
#include "core/LinkRules.h"
#include "core/Texts.h"
#include "framework/ScopedWin.h"
#include "res/resource.h"

#include <oleacc.h>
#include <shellapi.h>

#include <string>

namespace {
// The default value of HKEY_CLASSES_ROOT\`name`; FALSE when there is none or it is no text.
BOOL ReadClassesDefault(const CString& name, CString& text) {
    CRegKey key;
    return key.Open(HKEY_CLASSES_ROOT, name) == ERROR_SUCCESS &&
           key.QueryDefaultText(text) == ERROR_SUCCESS;
}
} // namespace

const MessageMap& CLinkLabel::GetMessageMap() const {
    static const MessageMap map{&CWnd::GetMessageMap(),
                                {
                                    on::ReflectCommand(STN_CLICKED, &CLinkLabel::OnClicked),
                                    on::ReflectCtlColor(&CLinkLabel::CtlColor),
                                    on::Message<WM_SETCURSOR>(&CLinkLabel::OnSetCursor),
                                    on::Message<WM_SETFONT>(&CLinkLabel::OnSetFont),
                                    on::Message<WM_PAINT>(&CLinkLabel::OnPaint),
                                    on::Message<WM_SETFOCUS>(&CLinkLabel::OnFocusChange),
                                    on::Message<WM_KILLFOCUS>(&CLinkLabel::OnFocusChange),
                                    on::Message<WM_GETDLGCODE>(&CLinkLabel::OnGetDlgCode),
                                    on::Message<WM_KEYDOWN>(&CLinkLabel::OnKeyDown),
                                    on::Message<WM_GETOBJECT>(&CLinkLabel::OnGetObject),
                                }};
    return map;
}

void CLinkLabel::PreSubclassWindow() {
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(GetStyle() | SS_NOTIFY));
    if (m_strTarget.IsEmpty())
        GetWindowText(m_strTarget);
    if (GetWindowText().IsEmpty())
        SetWindowText(m_strTarget);
    FitToText();
    m_hLinkCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    // The target shows whether or not the window is the active one.
    m_ToolTip.Create(this, TTS_ALWAYSTIP);
    m_ToolTip.AddTool(this, m_strTarget);
    CWnd::PreSubclassWindow();
}

void CLinkLabel::SetLinkTarget(CString target) {
    m_strTarget = target;
    FitToText();
    m_ToolTip.UpdateTipText(m_strTarget, this);
}

void CLinkLabel::MarkVisited(BOOL visited) {
    m_bVisited = visited;
    if (m_hWnd)
        InvalidateRect(nullptr, TRUE);
}

void CLinkLabel::FitToText() {
    if (!m_bAdjustToFit || !m_hWnd)
        return;
    RECT r;
    GetWindowRect(&r);
    if (HWND parent = GetParent()) {
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    // Measured in the font the label is drawn in: the context's default (system) font is much
    // wider than a dialog's, and a label fitted to it would grow over its neighbours.
    const WideText text(GetWindowText().str());
    SIZE extent{0, 0};
    if (const CClientDC dc = ClientDC(m_hWnd)) {
        CSelectObject font(dc.get(), reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0)));
        ::GetTextExtentPoint32W(dc.get(), text, static_cast<int>(text.size()), &extent);
    }
    EdgeRect fitted = FitRectToText({r.left, r.top, r.right, r.bottom}, GetStyle(),
                                    static_cast<int>(extent.cx), static_cast<int>(extent.cy));
    SetWindowPos(nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                 fitted.bottom - fitted.top, SWP_NOZORDER);
}

HBRUSH CLinkLabel::CtlColor(HDC dc, UINT) {
    // In high contrast the system says what a link looks like.
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    const bool high = ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                      (contrast.dwFlags & HCF_HIGHCONTRASTON);
    ::SetTextColor(dc, high         ? ::GetSysColor(COLOR_HOTLIGHT)
                       : m_bVisited ? m_crVisitedColor
                                    : m_crLinkColor);
    if (m_bUnderline) {
        if (!m_fontUnderline) {
            HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0));
            LOGFONTW logFont{};
            // A label without a font of its own is underlined in the system font.
            if (!font)
                font = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
            if (::GetObjectW(font, sizeof logFont, &logFont) == sizeof logFont) {
                logFont.lfUnderline = 1;
                m_fontUnderline.reset(::CreateFontIndirectW(&logFont));
            }
        }
        if (m_fontUnderline)
            ::SelectObject(dc, m_fontUnderline.get());
    }
    ::SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CLinkLabel::OnSetFont(HFONT, BOOL) {
    m_fontUnderline.reset();
    Default();
}

BOOL CLinkLabel::OnSetCursor(HWND, UINT, UINT) {
    ::SetCursor(::LoadCursorW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDC_LINK_CURSOR)));
    return TRUE;
}

void CLinkLabel::OnPaint() {
    Default();
    // The focus rectangle, unless the window hides it until the keyboard is used.
    if (::GetFocus() != m_hWnd || (SendMessage(WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS))
        return;
    // Dotted, in the text's colour, drawn over what is there rather than inverted: the label
    // paints no background, so an inverted frame painted twice would be gone again.
    RECT client;
    GetClientRect(&client);
    const CClientDC dc = ClientDC(m_hWnd);
    if (!dc)
        return;
    const COLORREF ink = ::GetSysColor(COLOR_WINDOWTEXT);
    for (LONG x = 0; x < client.right; x += 2) {
        ::SetPixel(dc.get(), x, 0, ink);
        ::SetPixel(dc.get(), x, client.bottom - 1, ink);
    }
    for (LONG y = 0; y < client.bottom; y += 2) {
        ::SetPixel(dc.get(), 0, y, ink);
        ::SetPixel(dc.get(), client.right - 1, y, ink);
    }
}

void CLinkLabel::OnFocusChange(HWND) {
    Default();
    // The label draws no background, so the dialog repaints beneath it first: that takes the
    // focus rectangle away again.
    RECT r;
    GetWindowRect(&r);
    HWND parent = GetParent();
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    ::RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

UINT CLinkLabel::OnGetDlgCode(const MSG* msg) {
    // Enter opens the link rather than pressing the dialog's default button.
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
        return DLGC_WANTMESSAGE;
    return static_cast<UINT>(Default());
}

void CLinkLabel::OnKeyDown(UINT key, bool held) {
    // Enter and Space open the link, once per press however long it is held.
    if (key == VK_RETURN || key == VK_SPACE) {
        if (!held)
            OnClicked();
        return;
    }
    Default();
}

LRESULT CLinkLabel::OnGetObject(DWORD flags, LONG objectId) {
    AccessibleFacts facts;
    facts.name = GetWindowText();
    facts.role = ROLE_SYSTEM_LINK;
    facts.state = STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE;
    facts.value = m_strTarget;
    facts.defaultAction = LoadText(IDS_LINK_ACTION);
    if (LRESULT answer = AnswerGetObject(m_hWnd, flags, objectId, facts))
        return answer;
    return Default();
}

void CLinkLabel::OnClicked() {
    int result = OpenLink(m_strTarget, SW_SHOW);
    m_bVisited = result > 32;
    if (result > 32) {
        MarkVisited(TRUE);
    } else {
        ::MessageBeep(MB_ICONEXCLAMATION);
        ReportOpenError(result);
    }
}

int CLinkLabel::OpenLink(LPCSTR target, int showCmd) {
    int result = static_cast<int>(reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", WideText(target), nullptr, nullptr, showCmd)));
    if (result > 32)
        return result;

    CString htmClass, openCommand;
    if (!ReadClassesDefault(".htm", htmClass) ||
        !ReadClassesDefault(htmClass + "\\shell\\open\\command", openCommand))
        return result;
    std::string command;
    // A command too long to build is not run cut down: the shell's answer stands.
    if (!BuildOpenCommand(openCommand.str(), target ? target : "", command))
        return result;
    // Started by its own path, quoted: WinExec, as CreateProcess without one, would try
    // "C:\Program.exe" for an unquoted "C:\Program Files\...".
    const ProgramCommand run = QuoteProgram(command);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCmd);
    PROCESS_INFORMATION started{};
    WideText line(run.line);
    const WideText program(run.program.find('\\') != std::string::npos ? run.program.c_str()
                                                                       : nullptr);
    if (!::CreateProcessW(program, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
        // As WinExec reports it: the explanations are those codes'.
        const DWORD error = ::GetLastError();
        return error == ERROR_BAD_EXE_FORMAT ? 11
               : error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                       error == ERROR_ACCESS_DENIED || error == ERROR_NOT_ENOUGH_MEMORY
                   ? static_cast<int>(error)
                   : 0;
    }
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    return 33; // above 32: started
}

CString OpenErrorText(int code) {
    // The reasons the resources have (ShellExecute's codes are 0 to 32); any other is told by
    // its number.
    const CString known =
        code >= 0 && code <= 32 ? LoadText(IDS_OPEN_ERROR_CODE + code) : CString();
    const std::string why =
        !known.IsEmpty() ? known.str()
                         : FillIn(LoadText(IDS_OPEN_ERROR_UNKNOWN).str(), {std::to_string(code)});
    return FillIn(LoadText(IDS_OPEN_ERROR).str(), {why});
}

void CLinkLabel::ReportOpenError(int code) {
    AfxMessageBox(OpenErrorText(code), MB_ICONEXCLAMATION, 0);
}
