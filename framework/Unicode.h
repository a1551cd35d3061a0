#pragma once
// Text is UTF-8 inside the program (CString, std::string) and UTF-16 wherever it crosses into
// Windows: every …W call takes its text from here and gives its answer back through here, so
// that a name in any script reaches the window, the registry or the file system whole,
// whatever the system's ANSI code page.
#include "framework/CString.h"

#include <windows.h>

#include <string>
#include <vector>

// UTF-16 of `utf8`, kept for the length of a call: WideText(name) where a …W function wants a
// string. A null pointer stays null (the calls that remove a value or take no name need it);
// bytes that are not UTF-8 become U+FFFD, as the system's own conversion makes them.
class WideText {
public:
    explicit WideText(const char* utf8);
    explicit WideText(const std::string& utf8) : WideText(utf8.c_str()) {}
    const wchar_t* get() const { return m_null ? nullptr : m_text.data(); }
    operator const wchar_t*() const { return get(); }
    // Writable, for the calls whose record holds a non-const pointer.
    wchar_t* data() { return m_null ? nullptr : m_text.data(); }
    // Its length in UTF-16 units, the terminator not counted.
    size_t size() const { return m_text.size() - 1; }
    wchar_t operator[](size_t at) const { return m_text[at]; }

private:
    // Terminated. (No std::wstring: its one instantiation would bring 35 KB of library.)
    std::vector<wchar_t> m_text{L'\0'};
    bool m_null = false;
};

// UTF-8 of `length` UTF-16 units of `text` (-1: up to its terminator).
CString Utf8(const wchar_t* text, int length = -1);

// Copies `utf8` into `to`, `size` units with the terminator, cut on a whole character where it
// is too long (a record's fixed field: the tray's tip).
void CopyWide(wchar_t* to, size_t size, const char* utf8);
