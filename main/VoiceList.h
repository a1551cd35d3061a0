#pragma once
// The voice that says the time: the "Voice:" list of the settings window (Windows' voice first,
// then every voice installed by its name) and the choice in it, kept by the voice's token ID
// and name.
#include "main/FoundList.h"
#include "platform/Platform.h"

#include <string>

class CVoiceList : public CFoundList<VoiceInfo> {
public:
    // Lists "Windows' voice" and, when `lookUp`, each voice installed; the voice `id` (named
    // `name`) stays chosen, marked as not installed when it is not.
    void Show(const std::string& id, const std::string& name, bool lookUp);
    // Looks the voices up again, the chosen one staying chosen (the window opens).
    void Refresh();
    // The voice chosen, its language known: the voices are looked up first if they were not
    // yet.
    VoiceInfo Speaking();
};
