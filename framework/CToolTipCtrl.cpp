#include "framework/CToolTipCtrl.h"

#include "framework/SystemProc.h"
#include "framework/CWinApp.h"

#include <commctrl.h>

#include <vector>

namespace {
// The first form of the record: every version of the common controls accepts it. The tool
// is the whole window, which the tooltip subclasses to see the mouse over it.
TOOLINFOA MakeToolInfo(HWND tool) {
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = ::GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    return info;
}
} // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    // The common controls are loaded when the first tooltip is made (the About box's), not
    // at start-up.
    using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const Init init = SystemProc<Init>("comctl32.dll", "InitCommonControlsEx");
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    if (!init || !init(&classes))
        return FALSE;
    // The tip goes with its owner's window.
    return SubclassWindow(::CreateWindowExA(
        WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, 0, 0, 0, 0,
        parent ? parent->m_hWnd : nullptr, nullptr, AfxGetInstanceHandle(), nullptr));
}

BOOL CToolTipCtrl::AddTool(CWnd* window, const char* text) {
    if (!m_hWnd || !window)
        return FALSE;
    TOOLINFOA info = MakeToolInfo(window->GetSafeHwnd());
    info.lpszText = const_cast<char*>(text ? text : "");
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* window) {
    if (!m_hWnd || !window)
        return;
    TOOLINFOA info = MakeToolInfo(window->GetSafeHwnd());
    info.lpszText = const_cast<char*>(text ? text : "");
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}
