#pragma once
// A UTF-8 string with the part of MFC's CString interface the program uses, on std::string.

#include <windows.h>
// windows.h maps LoadString to LoadStringA; undone here once, so the member keeps its name.
#undef LoadString

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_str(text ? text : "") {}
    CString(const char* text, int length)
        : m_str(text && length > 0 ? std::string(text, static_cast<size_t>(length)) : "") {}
    CString(std::string text) : m_str(std::move(text)) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    operator const char*() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    friend CString operator+(const CString& a, const char* b) { return a.m_str + (b ? b : ""); }
    friend CString operator+(const CString& a, const std::string& b) { return a.m_str + b; }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }

    // The last `count` characters (the whole string when it is shorter).
    CString Right(int count) const {
        size_t n = count > 0 ? static_cast<size_t>(count) : 0;
        return n >= m_str.size() ? *this : CString(m_str.substr(m_str.size() - n));
    }
    // ASCII letters only, whatever the locale.
    CString& MakeUpper() {
        for (char& c : m_str)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        return *this;
    }
    // Loads a string resource of the application.
    bool LoadString(unsigned int id);

private:
    std::string m_str;
};

// The string resource `id` of the application, in UTF-8: every text the user reads is looked
// up here. Empty when the resources have none.
CString LoadText(unsigned int id);
