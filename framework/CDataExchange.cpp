#include "framework/CDataExchange.h"

#include "framework/CWnd.h"

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (control.m_hWnd)
        return;
    if (HWND item = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id))
        control.SubclassWindow(item);
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    HWND item = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id);
    if (!item)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageW(item, BM_GETCHECK, 0, 0));
    } else {
        if (value < 0 || value > 2)
            value = 0;
        ::SendMessageW(item, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}
