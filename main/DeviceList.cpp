#include "main/DeviceList.h"

#include "core/Texts.h"
#include "res/resource.h"
#include "sound/SoundPlayer.h"

const MessageMap& CDeviceList::GetMessageMap() const {
    static const MessageMap map{&CNamedControl::GetMessageMap(),
                                {
                                    on::ReflectCommand(CBN_SELCHANGE, &CDeviceList::OnChosen),
                                    // A device plugged in since the window opened shows as
                                    // the list opens.
                                    on::ReflectCommand(CBN_DROPDOWN, &CDeviceList::Refresh),
                                }};
    return map;
}

void CDeviceList::Show(const std::string& id, const std::string& name, bool lookUp) {
    m_devices.assign(1, SoundDevice{});
    if (lookUp)
        for (SoundDevice& device : Platform().SoundDevices())
            m_devices.push_back(std::move(device));
    size_t chosen = 0;
    for (size_t i = 1; i < m_devices.size() && !id.empty(); ++i)
        if (!lstrcmpiW(WideText(m_devices[i].id), WideText(id)))
            chosen = i;
    // A device that is not there stays chosen, by the name it had.
    const bool missing = !id.empty() && chosen == 0;
    if (missing) {
        chosen = m_devices.size();
        m_devices.push_back({id, name.empty() ? id : name});
    }
    SendMessage(CB_RESETCONTENT);
    for (size_t i = 0; i < m_devices.size(); ++i) {
        std::string text = i == 0 ? LoadText(IDS_DEFAULT_DEVICE).str() : m_devices[i].name;
        // Before the devices are looked up, nothing is known of any.
        if (i == chosen && missing && lookUp)
            text = FillIn(LoadText(IDS_NOT_CONNECTED).str(), {text});
        const WideText entry(text);
        SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.get()));
    }
    SendMessage(CB_SETCURSEL, chosen);
    Player().SetDevice(m_devices[chosen].id);
}

void CDeviceList::Refresh() {
    const SoundDevice chosen = Chosen();
    Show(chosen.id, chosen.name, true);
}

SoundDevice CDeviceList::Chosen() const {
    const LRESULT chosen = m_hWnd ? SendMessage(CB_GETCURSEL) : CB_ERR;
    return chosen > 0 && static_cast<size_t>(chosen) < m_devices.size() ? m_devices[chosen]
                                                                        : SoundDevice{};
}

// The Play buttons and the volume preview play on the device shown: it is every sound's now.
void CDeviceList::OnChosen() { Player().SetDevice(Chosen().id); }
