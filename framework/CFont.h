#pragma once
#include <windows.h>

#include <utility>

// Owns one GDI font; deletes it when replaced or destroyed.
class CFont {
public:
    CFont() = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    ~CFont() { DeleteObject(); }

    BOOL CreateFontIndirect(const LOGFONTA* logFont) {
        return Attach(::CreateFontIndirectA(logFont));
    }
    BOOL Attach(HFONT font) {
        DeleteObject();
        m_hObject = font;
        return font != nullptr;
    }
    BOOL DeleteObject() {
        if (!m_hObject)
            return FALSE;
        return ::DeleteObject(std::exchange(m_hObject, nullptr));
    }
    HFONT GetSafeHandle() const { return m_hObject; }
    operator HFONT() const { return m_hObject; }

private:
    HFONT m_hObject = nullptr;
};
