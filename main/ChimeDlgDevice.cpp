// The output device every sound plays on: the list of devices and the choice in it.
#include "main/ChimeDlg.h"

#include "core/Texts.h"
#include "sound/SoundPlayer.h"

void CChimeDlg::ShowDevices(const std::string& id, const std::string& name, bool lookUp) {
    m_devices.assign(1, SoundDevice{});
    if (lookUp)
        for (SoundDevice& device : Platform().SoundDevices())
            m_devices.push_back(std::move(device));
    size_t chosen = 0;
    for (size_t i = 1; i < m_devices.size() && !id.empty(); ++i)
        if (!lstrcmpiA(m_devices[i].id.c_str(), id.c_str()))
            chosen = i;
    // A device that is not there stays chosen, by the name it had.
    const bool missing = !id.empty() && chosen == 0;
    if (missing) {
        chosen = m_devices.size();
        m_devices.push_back({id, name.empty() ? id : name});
    }
    const HWND list = ::GetDlgItem(m_hWnd, IDC_DEVICE);
    ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < m_devices.size(); ++i) {
        std::string text = i == 0 ? kDefaultDevice : m_devices[i].name;
        // Before the devices are looked up, nothing is known of any.
        if (i == chosen && missing && lookUp)
            text += kNotConnected;
        ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    ::SendMessageA(list, CB_SETCURSEL, chosen, 0);
    Player().SetDevice(m_devices[chosen].id);
}

SoundDevice CChimeDlg::ChosenDevice() const {
    const LRESULT chosen = ::SendDlgItemMessageA(m_hWnd, IDC_DEVICE, CB_GETCURSEL, 0, 0);
    return chosen > 0 && static_cast<size_t>(chosen) < m_devices.size() ? m_devices[chosen]
                                                                        : SoundDevice{};
}

// The Play buttons and the volume preview play on the device shown: it is every sound's now.
void CChimeDlg::OnDeviceChosen() { Player().SetDevice(ChosenDevice().id); }

// A device plugged in since the window opened shows as the list opens.
void CChimeDlg::OnDeviceListOpens() {
    const SoundDevice chosen = ChosenDevice();
    ShowDevices(chosen.id, chosen.name, true);
}
