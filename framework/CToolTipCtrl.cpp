#include "framework/CToolTipCtrl.h"

#include "framework/SystemProc.h"
#include "framework/CWinApp.h"
#include "framework/Unicode.h"

#include <commctrl.h>

#include <vector>

namespace {
// The first form of the record: every version of the common controls accepts it. The tool
// is the whole window, which the tooltip subclasses to see the mouse over it.
TOOLINFOW MakeToolInfo(HWND tool) {
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = ::GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    return info;
}
} // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    if (!AfxInitCommonControls(ICC_WIN95_CLASSES))
        return FALSE;
    // The tip goes with its owner's window.
    return SubclassWindow(::CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, 0, 0, 0, 0,
        parent ? parent->m_hWnd : nullptr, nullptr, AfxGetInstanceHandle(), nullptr));
}

BOOL CToolTipCtrl::AddTool(CWnd* window, const char* text) {
    if (!m_hWnd || !window)
        return FALSE;
    TOOLINFOW info = MakeToolInfo(window->GetSafeHwnd());
    WideText wide(text ? text : "");
    info.lpszText = wide.data();
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* window) {
    if (!m_hWnd || !window)
        return;
    TOOLINFOW info = MakeToolInfo(window->GetSafeHwnd());
    WideText wide(text ? text : "");
    info.lpszText = wide.data();
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}
