#pragma once
// A byte string with the MFC CString interface the program uses, on std::string.
// Deliberately free of Windows headers so that it also builds (and is tested) natively.

#if defined(_WIN32)
// windows.h maps LoadString to LoadStringA; include it first so that the mapping can be undone
// here once and for all, and the member keeps its name in every translation unit.
#include <windows.h>
#undef LoadString
#endif

#include <cstdarg>
#include <cstddef>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_str(text ? text : "") {}
    CString(const char* text, int length) : m_str(text ? std::string(text, Clamp(length)) : "") {}
    CString(char ch, int repeat = 1) : m_str(static_cast<size_t>(repeat > 0 ? repeat : 0), ch) {}
    CString(std::string text) : m_str(std::move(text)) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    operator const char*() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    // Out-of-range indices read as '\0' rather than past the end.
    char GetAt(int index) const;
    char operator[](int index) const { return GetAt(index); }

    CString& operator=(const char* text);
    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }

    // Substrings clamp their arguments to the string, as MFC's do.
    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    // The longest prefix made only of characters from `charSet`.
    CString SpanIncluding(const char* charSet) const;

    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;

    CString& MakeUpper();
    CString& MakeLower();
    // White space is the C locale's: space, \t, \n, \v, \f, \r.
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim() { return TrimRight().TrimLeft(); }

    void Format(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void FormatV(const char* format, va_list args);

    // Loads a string resource of the application (Windows only; defined in CStringResource.cpp).
    bool LoadString(unsigned int id);

private:
    static size_t Clamp(int n) { return n > 0 ? static_cast<size_t>(n) : 0; }
    std::string m_str;
};
