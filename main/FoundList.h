#pragma once
// A drop-down list of what this machine has now (the sound devices, the voices) after an entry
// for Windows' own choice, of which the settings keep one by its ID and name: while that one
// is not there, it stays chosen by the name it had, marked as missing, and Windows' own choice
// stands in for it. `Entry` has an `id` and a `name`.
#include "controls/NamedControl.h"
#include "platform/Platform.h"

#include <string>
#include <vector>

template <class Entry> class CFoundList : public CNamedControl {
public:
    // The entry chosen; Windows' own (an empty one) when none is.
    Entry Chosen() const;
    // Whether what the machine has was looked up for the entries shown.
    bool LookedUp() const { return m_lookedUp; }

protected:
    // Lists `first` (a text id), then `found` when `lookedUp`; the entry `id` (named `name`)
    // stays chosen, as `missing` (a text id, %1 its name) when it is not found. Returns the
    // entry chosen.
    const Entry& ShowEntries(UINT first, UINT missing, std::vector<Entry> found, bool lookedUp,
                             const std::string& id, const std::string& name);

private:
    // The entries, in the list's order: Windows' own choice first.
    std::vector<Entry> m_entries;
    bool m_lookedUp = false;
};

// Made once, in FoundList.cpp, for each list's entries.
extern template class CFoundList<SoundDevice>;
extern template class CFoundList<VoiceInfo>;
