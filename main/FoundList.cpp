#include "main/FoundList.h"

#include "core/Texts.h"

template <class Entry> Entry CFoundList<Entry>::Chosen() const {
    const LRESULT chosen = m_hWnd ? SendMessage(CB_GETCURSEL) : CB_ERR;
    return chosen > 0 && static_cast<size_t>(chosen) < m_entries.size() ? m_entries[chosen]
                                                                        : Entry{};
}

template <class Entry>
const Entry& CFoundList<Entry>::ShowEntries(UINT first, UINT missing, std::vector<Entry> found,
                                            bool lookedUp, const std::string& id,
                                            const std::string& name) {
    m_lookedUp = lookedUp;
    m_entries = std::move(found);
    m_entries.insert(m_entries.begin(), Entry{});
    size_t chosen = 0;
    for (size_t i = 1; i < m_entries.size() && !id.empty(); ++i)
        if (!lstrcmpiW(WideText(m_entries[i].id), WideText(id)))
            chosen = i;
    const bool gone = !id.empty() && chosen == 0;
    if (gone) {
        chosen = m_entries.size();
        m_entries.push_back(Entry{});
        m_entries.back().id = id;
        m_entries.back().name = name.empty() ? id : name;
    }
    SendMessage(CB_RESETCONTENT);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        std::string text = i == 0 ? LoadText(first).str() : m_entries[i].name;
        // Before the machine is asked, nothing is known of any entry.
        if (i == chosen && gone && lookedUp)
            text = FillIn(LoadText(missing).str(), {text});
        SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(text).get()));
    }
    SendMessage(CB_SETCURSEL, chosen);
    return m_entries[chosen];
}

template class CFoundList<SoundDevice>;
template class CFoundList<VoiceInfo>;
