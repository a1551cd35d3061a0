#pragma once
// The four sound slots, in their order: Hour (the top of the hour), Quarter After, Half Past
// and Quarter 'Til. Every slot operation (Browse, Play, the chime's choice of field, the
// stores, the check on OK) reads this one table.
#include "core/Chime.h"
#include "framework/CString.h"

#include <string>

struct SoundSlotInfo {
    SoundSlot slot;
    int edit;             // the slot's CSoundPathEdit
    int browse;           // its Browse... button
    int play;             // its Play button
    const char* key;      // below HKEY_CURRENT_USER, with a ".current" subkey for the text
    const char* entry;    // the portable profile's entry in its [Sounds] section
    unsigned browseTitle; // the text of the open-file dialog's title
    unsigned caption;     // the text of the question's caption on OK when the file is missing
};

extern const SoundSlotInfo kSoundSlots[4];

// The table's row for `slot`.
const SoundSlotInfo& SlotInfo(SoundSlot slot);
// The row whose Browse or Play button has id `id`; nullptr for none.
const SoundSlotInfo* SlotByButton(int id);

// The slot's text as stored: in the user's sound scheme, or, when the settings travel with the
// program, in its profile (a file inside the program's folder by its path from there).
CString StoredSlotSound(const SoundSlotInfo& slot);
void StoreSlotSound(const SoundSlotInfo& slot, const std::string& text);
