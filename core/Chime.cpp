#include "core/Chime.h"

ChimeChoice SelectChime(int hour, int minute, const ChimeOptions& options) {
    ChimeChoice choice;
    SoundSlot quarter;
    if (minute >= 14 && minute <= 16)
        quarter = SoundSlot::QuarterAfter;
    else if (minute >= 29 && minute <= 31)
        quarter = options.useSame ? SoundSlot::QuarterAfter : SoundSlot::HalfPast;
    else if (minute >= 44 && minute <= 46)
        quarter = options.useSame ? SoundSlot::QuarterAfter : SoundSlot::QuarterTil;
    else {
        int twelve = ((hour % 12) + 12) % 12;
        choice.play = true;
        choice.slot = SoundSlot::Hour;
        choice.count = options.multi ? (twelve == 0 ? 12 : twelve) : 1;
        return choice;
    }
    if (options.disableSecondary)
        return choice;
    choice.play = true;
    choice.slot = quarter;
    choice.count = 1;
    return choice;
}

bool SlotInUse(SoundSlot slot, const ChimeOptions& options) {
    if (slot == SoundSlot::Hour)
        return true;
    if (options.disableSecondary)
        return false;
    return slot == SoundSlot::QuarterAfter || !options.useSame;
}
