#include "framework/SystemProc.h"

#include <cstring>

FARPROC LoadSystemProc(const char* dll, const char* name) {
    // From the system directory only, never from the current directory or PATH.
    wchar_t path[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(path, MAX_PATH);
    const size_t dllLength = std::strlen(dll);
    if (length == 0 || length + 1 + dllLength >= MAX_PATH)
        return nullptr;
    path[length] = L'\\';
    // The DLLs' names are ASCII.
    for (size_t i = 0; i <= dllLength; ++i)
        path[length + 1 + i] = static_cast<unsigned char>(dll[i]);
    HMODULE module = ::LoadLibraryW(path); // kept loaded for the life of the process
    return module ? ::GetProcAddress(module, name) : nullptr;
}
