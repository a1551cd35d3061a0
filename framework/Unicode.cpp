#include "framework/Unicode.h"

#include <algorithm>

WideText::WideText(const char* utf8) {
    if (!utf8) {
        m_null = true;
        return;
    }
    const int length = static_cast<int>(std::char_traits<char>::length(utf8));
    if (length == 0)
        return;
    const int units = ::MultiByteToWideChar(CP_UTF8, 0, utf8, length, nullptr, 0);
    if (units <= 0)
        return;
    m_text.assign(static_cast<size_t>(units) + 1, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8, length, m_text.data(), units);
}

CString Utf8(const wchar_t* text, int length) {
    if (!text || length == 0)
        return CString();
    if (length < 0)
        length = static_cast<int>(std::char_traits<wchar_t>::length(text));
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return CString();
    std::string utf8(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), bytes, nullptr, nullptr);
    return CString(std::move(utf8));
}

void CopyWide(wchar_t* to, size_t size, const char* utf8) {
    if (size == 0)
        return;
    const WideText wide(utf8 ? utf8 : "");
    size_t length = wide.size();
    if (length >= size) {
        length = size - 1;
        // Never half of a surrogate pair.
        if (length > 0 && IS_HIGH_SURROGATE(wide[length - 1]))
            --length;
    }
    std::copy(wide.get(), wide.get() + length, to);
    to[length] = L'\0';
}
