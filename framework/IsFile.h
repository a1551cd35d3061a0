#pragma once
#include <windows.h>

#include <cstring>

// Whether `name` names a file that is there (not a folder). Only names count, never patterns: a
// name with a wildcard is no file. Asked of the file system by name alone, without a find's
// 260-byte name buffer, so a last part of any length in UTF-8 is found.
inline bool IsFile(const char* name) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return name && *name && !std::strpbrk(name, "*?") &&
           ::GetFileAttributesExA(name, GetFileExInfoStandard, &data) &&
           !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
