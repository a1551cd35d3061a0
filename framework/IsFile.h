#pragma once
#include "framework/Unicode.h"

#include <windows.h>

#include <cstring>

// Whether `name` names a file that is there (not a folder). Only names count, never patterns: a
// name with a wildcard is no file. Asked of the file system by name alone, without a find's
// 260-character name buffer, so a last part of any length is found.
inline bool IsFile(const char* name) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return name && *name && !std::strpbrk(name, "*?") &&
           ::GetFileAttributesExW(WideText(name), GetFileExInfoStandard, &data) &&
           !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
