// The program's entry point: the one application object and the framework's start-up.
#include "app/ChimeApp.h"

CChimeApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    // Before anything loads a DLL: every one that is loaded by name from now on (the system's
    // own, and those they load) comes from the system directory, never from the program's
    // folder, where a download may sit beside it. Windows 7 has this only with KB2533623.
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    if (HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll"))
        if (const auto set = reinterpret_cast<SetDirectories>(
                reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "SetDefaultDllDirectories"))))
            set(LOAD_LIBRARY_SEARCH_SYSTEM32);
    return AfxWinMain(instance, previous, commandLine, showCommand);
}
