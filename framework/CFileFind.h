#pragma once
#include <windows.h>

#include <cstring>

// Whether a name is there on disk, and as what. Only names count, never patterns: a name with
// a wildcard finds nothing.
class CFileFind {
public:
    // TRUE when `name` names an existing file or directory.
    BOOL FindFile(const char* name) {
        m_attributes = 0;
        if (!name || !*name || std::strpbrk(name, "*?"))
            return FALSE;
        WIN32_FIND_DATAA data;
        HANDLE find = ::FindFirstFileA(name, &data);
        if (find == INVALID_HANDLE_VALUE)
            return FALSE;
        ::FindClose(find);
        m_attributes = data.dwFileAttributes;
        return TRUE;
    }
    // Of the entry the last FindFile found.
    BOOL IsDirectory() const { return (m_attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

private:
    DWORD m_attributes = 0;
};
