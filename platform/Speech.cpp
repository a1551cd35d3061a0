// The system's voice (SAPI 5): the default voice of Windows' speech settings, made the first
// time it is asked to speak and kept for the life of the process, so that its speech goes on
// after the call returns. It is never released: that would come after COM has ended.
#include "platform/Platform.h"
#include "framework/ScopedWin.h"

#include <sapi.h>

namespace {
// Where SAPI keeps an audio output token for each output device, by its endpoint ID.
const wchar_t kOutputTokens[] =
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\AudioOutput\\TokenEnums\\MMAudioOut\\";

struct Voice {
    ISpVoice* voice = nullptr;
    std::string device;
    bool made = false;
};
Voice& TheVoice() {
    static Voice* voice = new Voice;
    return *voice;
}

// Speech goes to device `id`: its SAPI token, or the default output when there is none.
void SetOutput(ISpVoice& voice, const std::string& id) {
    CComPtr<ISpObjectToken> token;
    if (!id.empty() &&
        SUCCEEDED(::CoCreateInstance(__uuidof(SpObjectToken), nullptr, CLSCTX_INPROC_SERVER,
                                     __uuidof(ISpObjectToken), token.Receive()))) {
        // The token's path and the endpoint ID after it, whole or not at all.
        wchar_t path[512];
        const int length = lstrlenW(kOutputTokens);
        lstrcpyW(path, kOutputTokens);
        if (::MultiByteToWideChar(CP_ACP, 0, id.c_str(), -1, path + length, 512 - length) > 0 &&
            SUCCEEDED(token->SetId(nullptr, path, FALSE)) &&
            SUCCEEDED(voice.SetOutput(token.get(), TRUE)))
            return;
    }
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
        v.device = "\n"; // no device yet: the first call sets one
    }
    if (!v.voice)
        return E_NOINTERFACE;
    if (device != v.device) {
        SetOutput(*v.voice, device);
        v.device = device;
    }
    v.voice->SetVolume(static_cast<USHORT>(volume < 0 ? 0 : volume > 100 ? 100 : volume));
    return v.voice->Speak(text ? text : L"", SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML,
                          nullptr);
}
