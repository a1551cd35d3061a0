#include "framework/CString.h"

#include "framework/CWinApp.h"

bool CString::LoadString(unsigned int id) {
    // The resource's own text, read in place (a zero size gives a pointer to it), in the
    // program's code page.
    const wchar_t* text = nullptr;
    const int length =
        ::LoadStringW(AfxGetInstanceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
    const int bytes =
        length > 0 ? ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr)
                   : 0;
    m_str.assign(static_cast<size_t>(bytes), '\0');
    if (bytes > 0)
        ::WideCharToMultiByte(CP_ACP, 0, text, length, m_str.data(), bytes, nullptr, nullptr);
    return bytes > 0;
}
