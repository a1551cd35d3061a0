#include "CString.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
} // namespace

char CString::GetAt(int index) const {
    return (index >= 0 && index < GetLength()) ? m_str[static_cast<size_t>(index)] : '\0';
}

CString& CString::operator=(const char* text) {
    m_str = text ? text : "";
    return *this;
}
CString& CString::operator+=(const CString& other) {
    m_str += other.m_str;
    return *this;
}
CString& CString::operator+=(const char* text) {
    if (text)
        m_str += text;
    return *this;
}
CString& CString::operator+=(char ch) {
    m_str += ch;
    return *this;
}
CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
CString operator+(const CString& a, const char* b) { return CString(a.m_str + (b ? b : "")); }
CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_str); }

CString CString::Left(int count) const { return CString(m_str.substr(0, Clamp(count))); }

CString CString::Right(int count) const {
    size_t n = Clamp(count);
    return n >= m_str.size() ? *this : CString(m_str.substr(m_str.size() - n));
}

CString CString::Mid(int first) const {
    size_t start = Clamp(first);
    return start >= m_str.size() ? CString() : CString(m_str.substr(start));
}

CString CString::Mid(int first, int count) const {
    size_t start = Clamp(first);
    return start >= m_str.size() ? CString() : CString(m_str.substr(start, Clamp(count)));
}

CString CString::SpanIncluding(const char* charSet) const {
    if (!charSet || !*charSet)
        return CString();
    return CString(m_str.substr(0, m_str.find_first_not_of(charSet)));
}

int CString::Find(char ch, int start) const {
    if (start < 0 || static_cast<size_t>(start) > m_str.size())
        return -1;
    size_t at = m_str.find(ch, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const char* sub, int start) const {
    if (!sub || start < 0 || static_cast<size_t>(start) > m_str.size())
        return -1;
    size_t at = m_str.find(sub, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

CString& CString::MakeUpper() {
    for (char& c : m_str)
        c = Upper(c);
    return *this;
}

CString& CString::MakeLower() {
    for (char& c : m_str)
        c = Lower(c);
    return *this;
}

CString& CString::TrimLeft() {
    size_t i = 0;
    while (i < m_str.size() && IsSpace(m_str[i]))
        ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimRight() {
    size_t n = m_str.size();
    while (n > 0 && IsSpace(m_str[n - 1]))
        --n;
    m_str.resize(n);
    return *this;
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args) {
    if (!format) {
        m_str.clear();
        return;
    }
    va_list probe;
    va_copy(probe, args);
#if defined(_WIN32)
    // The system's own formatter (the C++ library's vsnprintf brings MinGW's, some 25 KB).
    int needed = ::_vscprintf(format, probe);
#else
    int needed = std::vsnprintf(nullptr, 0, format, probe);
#endif
    va_end(probe);
    if (needed < 0) {
        m_str.clear();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(needed) + 1);
#if defined(_WIN32)
    ::_vsnprintf(buffer.data(), buffer.size(), format, args);
#else
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
#endif
    m_str.assign(buffer.data(), static_cast<size_t>(needed));
}
