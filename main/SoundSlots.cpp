#include "main/SoundSlots.h"

#include "res/resource.h"

// The key paths are fixed; "Quarter Til" has no apostrophe, nor has its browse title.
const SoundSlotInfo kSoundSlots[4] = {
    {SoundSlot::Hour, IDC_SOUND_HOUR, IDC_BROWSE_HOUR, IDC_PLAY_HOUR,
     "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:00) Hourly", "CHIMO! Top Of The Hour",
     "Error: Top Of The Hour"},
    {SoundSlot::QuarterAfter, IDC_SOUND_QUARTER_AFTER, IDC_BROWSE_QUARTER_AFTER,
     IDC_PLAY_QUARTER_AFTER, "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:15) Quarter After",
     "CHIMO! Quarter After", "Error: Quarter After"},
    {SoundSlot::HalfPast, IDC_SOUND_HALF_PAST, IDC_BROWSE_HALF_PAST, IDC_PLAY_HALF_PAST,
     "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:30) Half Past", "CHIMO! Half Past", "Error: Half Past"},
    {SoundSlot::QuarterTil, IDC_SOUND_QUARTER_TIL, IDC_BROWSE_QUARTER_TIL, IDC_PLAY_QUARTER_TIL,
     "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:45) Quarter Til", "CHIMO! Quarter Til",
     "Error: Quarter 'Til"},
};

const SoundSlotInfo& SlotInfo(SoundSlot slot) { return kSoundSlots[static_cast<int>(slot)]; }

const SoundSlotInfo* SlotByButton(int id) {
    for (const SoundSlotInfo& info : kSoundSlots)
        if (info.browse == id || info.play == id)
            return &info;
    return nullptr;
}

// The message map routes the Browse and Play buttons as two ranges of ids.
static_assert(IDC_BROWSE_QUARTER_TIL - IDC_BROWSE_HOUR == 3 &&
                  IDC_PLAY_QUARTER_TIL - IDC_PLAY_HOUR == 3,
              "the slots' buttons have consecutive ids");
