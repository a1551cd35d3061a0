#pragma once
#include "framework/CString.h"
#include "framework/MessageMap.h"

#include <windows.h>

class CFont;

// A device context the code borrows: it neither gets nor releases the handle.
class CDC {
public:
    explicit CDC(HDC hdc = nullptr) : m_hDC(hdc) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() = default;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    HGDIOBJ SelectObject(CFont* font);
    SIZE GetTextExtent(const CString& text) const;

protected:
    HDC m_hDC;
};

// GetDC/ReleaseDC for a window's client area.
class CClientDC : public CDC {
public:
    explicit CClientDC(HWND hwnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};

template <class F> LRESULT Cracker<WM_REFLECT_CTLCOLOR>::Invoke(F&& f, WPARAM w, LPARAM l) {
    CDC dc(reinterpret_cast<HDC>(w));
    return reinterpret_cast<LRESULT>(f(&dc, static_cast<UINT>(l)));
}
