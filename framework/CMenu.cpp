#include "framework/CMenu.h"

#include "framework/CWinApp.h"
#include "framework/CWnd.h"

BOOL CMenuHandle::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) {
    return ::TrackPopupMenuEx(m_hMenu, flags, x, y, owner ? owner->GetSafeHwnd() : nullptr,
                              nullptr);
}

BOOL CMenu::LoadMenu(UINT id) {
    DestroyMenu();
    m_hMenu = ::LoadMenuA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(id));
    return m_hMenu != nullptr;
}
