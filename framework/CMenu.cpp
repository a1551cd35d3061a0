#include "CMenu.h"

#include "CWinApp.h"
#include "CWnd.h"

#include <vector>

CString CMenuHandle::GetMenuString(UINT item, UINT flags) const {
    int length = ::GetMenuStringA(m_hMenu, item, nullptr, 0, flags);
    if (length <= 0)
        return CString();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    ::GetMenuStringA(m_hMenu, item, buffer.data(), length + 1, flags);
    return CString(buffer.data());
}

BOOL CMenuHandle::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT* exclude) {
    TPMPARAMS params{};
    params.cbSize = sizeof params;
    if (exclude)
        params.rcExclude = *exclude;
    return ::TrackPopupMenuEx(m_hMenu, flags, x, y, owner ? owner->GetSafeHwnd() : nullptr,
                              exclude ? &params : nullptr);
}

BOOL CMenu::LoadMenu(UINT id) {
    DestroyMenu();
    m_hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
    return m_hMenu != nullptr;
}

BOOL CMenu::CreatePopupMenu() {
    DestroyMenu();
    m_hMenu = ::CreatePopupMenu();
    return m_hMenu != nullptr;
}
