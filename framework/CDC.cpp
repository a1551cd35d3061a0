#include "framework/CDC.h"

#include "framework/CFont.h"

HGDIOBJ CDC::SelectObject(CFont* font) {
    return font ? ::SelectObject(m_hDC, font->GetSafeHandle()) : nullptr;
}

SIZE CDC::GetTextExtent(const CString& text) const {
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(m_hDC, text, text.GetLength(), &size);
    return size;
}

CClientDC::CClientDC(HWND hwnd) : m_hWnd(hwnd) { m_hDC = ::GetDC(hwnd); }
CClientDC::~CClientDC() {
    if (m_hDC)
        ::ReleaseDC(m_hWnd, m_hDC);
}
