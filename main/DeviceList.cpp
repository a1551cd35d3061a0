#include "main/DeviceList.h"

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
    const SoundDevice& chosen = ShowEntries(
        IDS_DEFAULT_DEVICE, IDS_NOT_CONNECTED,
        lookUp ? Platform().SoundDevices() : std::vector<SoundDevice>(), lookUp, id, name);
    Player().SetDevice(chosen.id);
}

void CDeviceList::Refresh() {
    const SoundDevice chosen = Chosen();
    Show(chosen.id, chosen.name, true);
}

// The Play buttons and the volume preview play on the device shown: it is every sound's now.
void CDeviceList::OnChosen() { Player().SetDevice(Chosen().id); }
