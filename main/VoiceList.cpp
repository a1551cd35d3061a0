#include "main/VoiceList.h"

#include "res/resource.h"

void CVoiceList::Show(const std::string& id, const std::string& name, bool lookUp) {
    // A voice that is gone stays chosen; Windows' voice speaks meanwhile.
    ShowEntries(IDS_WINDOWS_VOICE, IDS_NOT_INSTALLED,
                lookUp ? Platform().Voices() : std::vector<VoiceInfo>(), lookUp, id, name);
}

void CVoiceList::Refresh() {
    const VoiceInfo chosen = Chosen();
    Show(chosen.id, chosen.name, true);
}

VoiceInfo CVoiceList::Speaking() {
    if (!LookedUp() && m_hWnd)
        Refresh();
    return Chosen();
}
