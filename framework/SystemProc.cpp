#include "framework/SystemProc.h"

#include <commctrl.h>

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

BOOL AfxInitCommonControls(DWORD classes) {
    using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const Init init = [] {
        // By name, not by path: the manifest's redirection to the common controls' version 6
        // applies to a name only, and the search after it is the system directory's alone.
        HMODULE module = ::LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        // Windows 7 without KB2533623 knows no such flag; the manifest's redirection, which
        // comes before any folder is searched, still finds version 6 there.
        if (!module && ::GetLastError() == ERROR_INVALID_PARAMETER)
            module = ::LoadLibraryW(L"comctl32.dll");
        return module ? reinterpret_cast<Init>(reinterpret_cast<void (*)()>(
                            ::GetProcAddress(module, "InitCommonControlsEx")))
                      : nullptr;
    }();
    const INITCOMMONCONTROLSEX wanted{sizeof wanted, classes};
    return init && init(&wanted);
}
