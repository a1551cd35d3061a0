#include "main/VoiceList.h"

#include "core/Texts.h"
#include "res/resource.h"

void CVoiceList::Show(const std::string& id, const std::string& name, bool lookUp) {
    m_voices.assign(1, VoiceInfo{});
    m_lookedUp = lookUp;
    if (lookUp)
        for (VoiceInfo& voice : Platform().Voices())
            m_voices.push_back(std::move(voice));
    size_t chosen = 0;
    for (size_t i = 1; i < m_voices.size() && !id.empty(); ++i)
        if (!lstrcmpiW(WideText(m_voices[i].id), WideText(id)))
            chosen = i;
    // A voice that is gone stays chosen, by the name it had; Windows' voice speaks meanwhile.
    const bool missing = !id.empty() && chosen == 0;
    if (missing) {
        chosen = m_voices.size();
        m_voices.push_back({id, name.empty() ? id : name, std::string()});
    }
    SendMessage(CB_RESETCONTENT);
    for (size_t i = 0; i < m_voices.size(); ++i) {
        std::string text = i == 0 ? LoadText(IDS_WINDOWS_VOICE).str() : m_voices[i].name;
        if (i == chosen && missing && lookUp)
            text = FillIn(LoadText(IDS_NOT_INSTALLED).str(), {text});
        SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(text).get()));
    }
    SendMessage(CB_SETCURSEL, chosen);
}

void CVoiceList::Refresh() {
    const VoiceInfo chosen = Chosen();
    Show(chosen.id, chosen.name, true);
}

VoiceInfo CVoiceList::Chosen() const {
    const LRESULT chosen = m_hWnd ? SendMessage(CB_GETCURSEL) : CB_ERR;
    return chosen > 0 && static_cast<size_t>(chosen) < m_voices.size() ? m_voices[chosen]
                                                                       : VoiceInfo{};
}

VoiceInfo CVoiceList::Speaking() {
    if (!m_lookedUp && m_hWnd)
        Refresh();
    return Chosen();
}
