#include "platform/Winmm.h"

#include "framework/SystemProc.h"

namespace {
// What each call answers where the DLL or the function is missing.
BOOL WINAPI NoPlaySound(LPCWSTR, HMODULE, DWORD) { return FALSE; }
UINT WINAPI NoDevices() { return 0; }
MMRESULT WINAPI NoMessage(HWAVEOUT, UINT, DWORD_PTR, DWORD_PTR) { return MMSYSERR_NODRIVER; }
MMRESULT WINAPI NoOpen(LPHWAVEOUT, UINT, LPCWAVEFORMATEX, DWORD_PTR, DWORD_PTR, DWORD) {
    return MMSYSERR_NODRIVER;
}
MMRESULT WINAPI NoHeader(HWAVEOUT, LPWAVEHDR, UINT) { return MMSYSERR_NODRIVER; }
MMRESULT WINAPI NoDevice(HWAVEOUT) { return MMSYSERR_NODRIVER; }

template <class F> F Find(const char* name, F missing) {
    const F found = SystemProc<F>("winmm.dll", name);
    return found ? found : missing;
}

Winmm Load() {
    return {Find("PlaySoundW", &NoPlaySound),        Find("waveOutGetNumDevs", &NoDevices),
            Find("waveOutMessage", &NoMessage),      Find("waveOutOpen", &NoOpen),
            Find("waveOutPrepareHeader", &NoHeader), Find("waveOutWrite", &NoHeader),
            Find("waveOutReset", &NoDevice),         Find("waveOutUnprepareHeader", &NoHeader),
            Find("waveOutClose", &NoDevice)};
}
} // namespace

const Winmm& WinmmDll() {
    // Made once, by whichever thread plays first; the statics' guard serialises the threads.
    static const Winmm dll = Load();
    return dll;
}
