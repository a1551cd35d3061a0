#pragma once
#include <windows.h>

// A directory search; the search handle is closed with the object.
class CFileFind {
public:
    CFileFind() = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;
    ~CFileFind() { Close(); }

    // TRUE when a search for `name` finds an entry (a file, a directory, or a wildcard match).
    BOOL FindFile(const char* name, DWORD unused = 0) {
        (void)unused;
        Close();
        if (!name || !*name)
            return FALSE;
        m_hFind = ::FindFirstFileA(name, &m_data);
        return m_hFind != INVALID_HANDLE_VALUE;
    }
    void Close() {
        if (m_hFind != INVALID_HANDLE_VALUE)
            ::FindClose(m_hFind);
        m_hFind = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_data{};
};
