#pragma once
// The output device every sound plays on: the list of devices (a drop-down list of the settings
// window, announced with its label) and the choice in it. It handles its own notifications.
#include "main/FoundList.h"
#include "platform/Platform.h"

#include <string>

class CDeviceList : public CFoundList<SoundDevice> {
public:
    const MessageMap& GetMessageMap() const override;
    // Lists "Default device" and, when `lookUp`, each device connected now; the device `id`
    // (named `name`) stays chosen, marked as not connected when it is not. Every sound then
    // plays on it.
    void Show(const std::string& id, const std::string& name, bool lookUp);
    // Looks the devices up again, the chosen one staying chosen (the window opens).
    void Refresh();

private:
    void OnChosen();
};
