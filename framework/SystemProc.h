#pragma once
#include <windows.h>

// A function of a system DLL, loaded on first use from the system directory; null when the
// DLL or the function is missing. SystemProc casts it to its real type.
FARPROC LoadSystemProc(const char* dll, const char* name);
template <class F> F SystemProc(const char* dll, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(LoadSystemProc(dll, name)));
}

// Registers the common controls' window classes `classes` (ICC_*), of the version the
// program's manifest names; the DLL is loaded on first use. FALSE when it cannot be.
BOOL AfxInitCommonControls(DWORD classes);
