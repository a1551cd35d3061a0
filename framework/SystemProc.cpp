#include "framework/SystemProc.h"

#include <cstring>

FARPROC LoadSystemProc(const char* dll, const char* name) {
    // From the system directory only, never from the current directory or PATH.
    char path[MAX_PATH];
    UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + std::strlen(dll) >= MAX_PATH)
        return nullptr;
    path[length] = '\\';
    std::strcpy(path + length + 1, dll);
    HMODULE module = ::LoadLibraryA(path); // kept loaded for the life of the process
    return module ? ::GetProcAddress(module, name) : nullptr;
}
