// The system's voice (SAPI 5): the default voice of Windows' speech settings, made the first
// time it is asked to speak and kept for the life of the process, so that its speech goes on
// after the call returns. It is never released: that would come after COM has ended.
#include "platform/Platform.h"
#include "framework/ScopedWin.h"

#include <mmsystem.h>
#include <sapi.h>

namespace {
struct Voice {
    ISpVoice* voice = nullptr;
    bool made = false;
};
Voice& TheVoice() {
    static Voice* voice = new Voice;
    return *voice;
}

// Speech goes to device `id` as it is connected now: SAPI's own output object for waveOut,
// opened on the device's number (SAPI's tokens are made per waveOut device under names of
// their own, so the endpoint ID finds none); the default output where it is not connected or
// the object cannot be had. Looked up at every speech: a device plugged in later is found.
void SetOutput(ISpVoice& voice, const std::string& id) {
    const UINT number = WaveOutNumber(id);
    CComPtr<ISpMMSysAudio> audio;
    // A new object each time: the device can be set only while the object is closed.
    if (number != WAVE_MAPPER &&
        SUCCEEDED(::CoCreateInstance(__uuidof(SpMMAudioOut), nullptr, CLSCTX_INPROC_SERVER,
                                     __uuidof(ISpMMSysAudio), audio.Receive())) &&
        SUCCEEDED(audio->SetDeviceId(number)) && SUCCEEDED(voice.SetOutput(audio.get(), TRUE)))
        return;
    voice.SetOutput(nullptr, TRUE);
}
} // namespace

HRESULT Win32Platform::Speak(const wchar_t* text, int volume, const std::string& device) {
    Voice& v = TheVoice();
    if (!v.made) {
        v.made = true;
        if (FAILED(::CoCreateInstance(__uuidof(SpVoice), nullptr, CLSCTX_ALL, __uuidof(ISpVoice),
                                      reinterpret_cast<void**>(&v.voice))))
            v.voice = nullptr;
    }
    if (!v.voice)
        return E_NOINTERFACE;
    const DWORD flags = SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML;
    if (!text || !*text)
        return v.voice->Speak(L"", flags, nullptr);
    // What still speaks ends before the output changes under it.
    v.voice->Speak(L"", flags, nullptr);
    SetOutput(*v.voice, device);
    v.voice->SetVolume(static_cast<USHORT>(volume < 0 ? 0 : volume > 100 ? 100 : volume));
    return v.voice->Speak(text, flags, nullptr);
}

void Win32Platform::StopSpeech(DWORD ms) {
    Voice& v = TheVoice();
    if (!v.voice)
        return;
    v.voice->Speak(L"", SPF_ASYNC | SPF_PURGEBEFORESPEAK, nullptr);
    v.voice->WaitUntilDone(ms);
}
