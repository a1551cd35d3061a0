// The system's voice (SAPI 5): made the first time it is asked to speak and kept for the life of
// the process, so that its speech goes on after the call returns, in the voice chosen (the
// default of Windows' speech settings when none is). It is never released: that would come
// after COM has ended.
#include "platform/Platform.h"
#include "framework/ScopedWin.h"

#include "framework/Unicode.h"

#include <mmsystem.h>
#include <sapi.h>

#include <cwchar>

namespace {
struct Voice {
    ISpVoice* voice = nullptr;
    bool made = false;
    std::string chosen; // the token set, "" for the default voice
};

// Where the voices' tokens are: the desktop voices, and those of Windows 10's and 11's speech
// settings, which SAPI 5 speaks with as well but does not list.
const wchar_t* const kVoiceCategories[] = {
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices",
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech_OneCore\\Voices",
};

// A string SAPI hands out, in UTF-8, freed.
std::string Taken(wchar_t* text) {
    std::string utf8 = text ? Utf8(text).str() : std::string();
    ::CoTaskMemFree(text);
    return utf8;
}

// The first language of a token's "Language" attribute ("409;9": hexadecimal LCIDs), by name.
std::string LanguageOf(ISpObjectToken& token) {
    CComPtr<ISpDataKey> attributes;
    wchar_t* lcids = nullptr;
    if (FAILED(
            token.OpenKey(L"Attributes", reinterpret_cast<ISpDataKey**>(attributes.Receive()))) ||
        FAILED(attributes->GetStringValue(L"Language", &lcids)))
        return std::string();
    const LCID lcid = static_cast<LCID>(std::wcstoul(lcids, nullptr, 16));
    ::CoTaskMemFree(lcids);
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    return ::LCIDToLocaleName(lcid, name, LOCALE_NAME_MAX_LENGTH, 0) > 0 ? Utf8(name).str()
                                                                         : std::string();
}

// The voice `id` for `voice`, or the default voice where `id` is empty or gone.
void SetVoice(Voice& v, const std::string& id) {
    if (id == v.chosen)
        return;
    CComPtr<ISpObjectToken> token;
    if (!id.empty() &&
        SUCCEEDED(::CoCreateInstance(__uuidof(SpObjectToken), nullptr, CLSCTX_INPROC_SERVER,
                                     __uuidof(ISpObjectToken), token.Receive())) &&
        SUCCEEDED(token->SetId(nullptr, WideText(id), FALSE)) &&
        SUCCEEDED(v.voice->SetVoice(token.get()))) {
        v.chosen = id;
        return;
    }
    v.voice->SetVoice(nullptr);
    v.chosen.clear();
}
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

HRESULT Win32Platform::Speak(const wchar_t* text, const SpeechStyle& style) {
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
    SetOutput(*v.voice, style.device);
    SetVoice(v, style.voice);
    const int volume = style.volume < 0 ? 0 : style.volume > 100 ? 100 : style.volume;
    v.voice->SetVolume(static_cast<USHORT>(volume));
    v.voice->SetRate(style.rate < -10 ? -10 : style.rate > 10 ? 10 : style.rate);
    return v.voice->Speak(text, flags, nullptr);
}

void Win32Platform::StopSpeech(DWORD ms) {
    Voice& v = TheVoice();
    if (!v.voice)
        return;
    v.voice->Speak(L"", SPF_ASYNC | SPF_PURGEBEFORESPEAK, nullptr);
    v.voice->WaitUntilDone(ms);
}

std::vector<VoiceInfo> Win32Platform::Voices() {
    std::vector<VoiceInfo> voices;
    for (const wchar_t* category : kVoiceCategories) {
        CComPtr<ISpObjectTokenCategory> tokens;
        CComPtr<IEnumSpObjectTokens> found;
        ULONG count = 0;
        if (FAILED(::CoCreateInstance(__uuidof(SpObjectTokenCategory), nullptr,
                                      CLSCTX_INPROC_SERVER, __uuidof(ISpObjectTokenCategory),
                                      tokens.Receive())) ||
            FAILED(tokens->SetId(category, FALSE)) ||
            FAILED(tokens->EnumTokens(nullptr, nullptr,
                                      reinterpret_cast<IEnumSpObjectTokens**>(found.Receive()))) ||
            FAILED(found->GetCount(&count)))
            continue;
        for (ULONG i = 0; i < count; ++i) {
            CComPtr<ISpObjectToken> token;
            wchar_t *id = nullptr, *name = nullptr;
            if (FAILED(found->Item(i, reinterpret_cast<ISpObjectToken**>(token.Receive()))) ||
                FAILED(token->GetId(&id)))
                continue;
            VoiceInfo voice{Taken(id), std::string(), LanguageOf(*token.get())};
            // The key's default value is the voice's name.
            voice.name =
                SUCCEEDED(token->GetStringValue(nullptr, &name)) ? Taken(name) : std::string();
            if (voice.name.empty())
                voice.name = voice.id.substr(voice.id.rfind('\\') + 1);
            // A OneCore voice copied among the desktop ones is listed once.
            bool listed = false;
            for (const VoiceInfo& other : voices)
                listed = listed || other.name == voice.name;
            if (!listed)
                voices.push_back(std::move(voice));
        }
    }
    return voices;
}
