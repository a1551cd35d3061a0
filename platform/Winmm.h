#pragma once
// The multimedia DLL, which is not one of Windows' KnownDLLs: an import of it would be looked
// for first beside CHIMO.EXE, where a web page may have dropped a winmm.dll into Downloads. It
// is loaded from the system directory by its full path instead, on first use; where it cannot
// be, every call fails as a missing driver does.
#include <windows.h>

#include <mmsystem.h>

struct Winmm {
    decltype(&::PlaySoundW) PlaySoundW;
    decltype(&::waveOutGetNumDevs) waveOutGetNumDevs;
    decltype(&::waveOutMessage) waveOutMessage;
    decltype(&::waveOutOpen) waveOutOpen;
    decltype(&::waveOutPrepareHeader) waveOutPrepareHeader;
    decltype(&::waveOutWrite) waveOutWrite;
    decltype(&::waveOutReset) waveOutReset;
    decltype(&::waveOutUnprepareHeader) waveOutUnprepareHeader;
    decltype(&::waveOutClose) waveOutClose;
};

// The functions, each one of the DLL's or a stand-in that fails.
const Winmm& WinmmDll();
