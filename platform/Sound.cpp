// The output devices: listed by the system's device enumerator (endpoint IDs and friendly
// names), opened through waveOut, which takes a device by number, converts a format the
// device does not take and follows the default device as it changes.
#include "platform/Platform.h"
#include "framework/ScopedWin.h"
#include "framework/Unicode.h"
#include "platform/Winmm.h"

#include <mmdeviceapi.h>
#include <mmsystem.h>

namespace {
// Asks a waveOut device for its endpoint ID (Windows Vista and later).
constexpr UINT kQueryIdSize = 0x0800 + 18; // DRV_QUERYFUNCTIONINSTANCEIDSIZE
constexpr UINT kQueryId = 0x0800 + 17;     // DRV_QUERYFUNCTIONINSTANCEID
// PKEY_Device_FriendlyName.
const PROPERTYKEY kFriendlyName = {
    {0xa45c254e, 0xdf1c, 0x4efd, {0x80, 0x20, 0x67, 0xd1, 0x46, 0xa8, 0x50, 0xe0}}, 14};

} // namespace

UINT WaveOutNumber(const std::string& id) {
    if (id.empty())
        return WAVE_MAPPER;
    const UINT count = WinmmDll().waveOutGetNumDevs();
    for (UINT i = 0; i < count; ++i) {
        const auto device = reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(i));
        ULONG size = 0;
        if (WinmmDll().waveOutMessage(device, kQueryIdSize, reinterpret_cast<DWORD_PTR>(&size),
                                      0) != MMSYSERR_NOERROR ||
            size < sizeof(WCHAR) || size > 4096)
            continue;
        std::vector<WCHAR> endpoint(size / sizeof(WCHAR) + 1, L'\0');
        if (WinmmDll().waveOutMessage(device, kQueryId,
                                      reinterpret_cast<DWORD_PTR>(endpoint.data()),
                                      size) == MMSYSERR_NOERROR &&
            !lstrcmpiW(endpoint.data(), WideText(id)))
            return i;
    }
    return WAVE_MAPPER;
}

namespace {
class WaveOut : public ISoundOut {
public:
    WaveOut() : m_done(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
    ~WaveOut() override { Close(); }
    bool Close() override {
        if (!m_device)
            return true;
        const Winmm& mm = WinmmDll();
        // Reset hands every block back; only then may the headers and samples go.
        bool released = mm.waveOutReset(m_device) == MMSYSERR_NOERROR;
        for (auto& header : m_headers)
            released = mm.waveOutUnprepareHeader(m_device, header.get(), sizeof(WAVEHDR)) ==
                           MMSYSERR_NOERROR &&
                       released;
        released = mm.waveOutClose(m_device) == MMSYSERR_NOERROR && released;
        m_device = nullptr;
        return released;
    }
    bool Open(UINT device, const void* format) {
        // A device chosen by number converts what it does not take only when asked to.
        const DWORD mapped = device == WAVE_MAPPER ? 0 : WAVE_MAPPED;
        if (m_done &&
            WinmmDll().waveOutOpen(&m_device, device, static_cast<const WAVEFORMATEX*>(format),
                                   reinterpret_cast<DWORD_PTR>(m_done.get()), 0,
                                   CALLBACK_EVENT | mapped) == MMSYSERR_NOERROR)
            return true;
        m_device = nullptr;
        return false;
    }
    bool Write(const void* samples, size_t size) override {
        auto header = std::make_unique<WAVEHDR>();
        header->lpData = static_cast<LPSTR>(const_cast<void*>(samples));
        header->dwBufferLength = static_cast<DWORD>(size);
        if (WinmmDll().waveOutPrepareHeader(m_device, header.get(), sizeof(WAVEHDR)) !=
            MMSYSERR_NOERROR)
            return false;
        m_headers.push_back(std::move(header));
        return WinmmDll().waveOutWrite(m_device, m_headers.back().get(), sizeof(WAVEHDR)) ==
               MMSYSERR_NOERROR;
    }
    bool WaitPlayed(HANDLE cancel, DWORD ms) override {
        const ULONGLONG deadline = ::GetTickCount64() + ms;
        for (;;) {
            bool played = true;
            for (const auto& header : m_headers)
                played = played && (static_cast<volatile DWORD&>(header->dwFlags) & WHDR_DONE);
            const ULONGLONG now = ::GetTickCount64();
            if (played || now >= deadline)
                return played;
            // The device signals the event as each block is done.
            const HANDLE events[] = {m_done.get(), cancel};
            if (::WaitForMultipleObjects(cancel ? 2 : 1, events, FALSE,
                                         static_cast<DWORD>(deadline - now)) == WAIT_OBJECT_0 + 1)
                return false;
        }
    }

private:
    CHandle m_done;
    HWAVEOUT m_device = nullptr;
    std::vector<std::unique_ptr<WAVEHDR>> m_headers;
};
} // namespace

std::vector<SoundDevice> Win32Platform::SoundDevices() {
    std::vector<SoundDevice> devices;
    CComPtr<IMMDeviceEnumerator> enumerator;
    CComPtr<IMMDeviceCollection> collection;
    UINT count = 0;
    if (FAILED(::CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                                  __uuidof(IMMDeviceEnumerator), enumerator.Receive())) ||
        FAILED(enumerator->EnumAudioEndpoints(
            eRender, DEVICE_STATE_ACTIVE,
            reinterpret_cast<IMMDeviceCollection**>(collection.Receive()))) ||
        FAILED(collection->GetCount(&count)))
        return devices;
    for (UINT i = 0; i < count; ++i) {
        CComPtr<IMMDevice> device;
        CComPtr<IPropertyStore> properties;
        LPWSTR id = nullptr;
        if (FAILED(collection->Item(i, reinterpret_cast<IMMDevice**>(device.Receive()))) ||
            FAILED(device->GetId(&id)))
            continue;
        SoundDevice entry{Utf8(id).str(), {}};
        ::CoTaskMemFree(id);
        PROPVARIANT name;
        ::PropVariantInit(&name);
        if (SUCCEEDED(device->OpenPropertyStore(
                STGM_READ, reinterpret_cast<IPropertyStore**>(properties.Receive()))) &&
            SUCCEEDED(properties->GetValue(kFriendlyName, &name)) && name.vt == VT_LPWSTR)
            entry.name = Utf8(name.pwszVal).str();
        ::PropVariantClear(&name);
        if (entry.name.empty())
            entry.name = entry.id;
        devices.push_back(std::move(entry));
    }
    return devices;
}

std::unique_ptr<ISoundOut> Win32Platform::OpenSound(const std::string& id, const void* format) {
    auto out = std::make_unique<WaveOut>();
    if (out->Open(WaveOutNumber(id), format))
        return out;
    return nullptr;
}
