#include "core/Chime.h"

int TwelveHour(int hour) {
    const int twelve = ((hour % 12) + 12) % 12;
    return twelve == 0 ? 12 : twelve;
}

StrikeTable Strikes(int hour, const ChimeOptions& options) {
    StrikeTable table;
    table.quarter[0] = {SoundSlot::Hour, options.multi ? TwelveHour(hour) : 1};
    const int secondary = options.disableSecondary ? 0 : 1;
    table.quarter[1] = {SoundSlot::QuarterAfter, secondary};
    table.quarter[2] = {options.useSame ? SoundSlot::QuarterAfter : SoundSlot::HalfPast, secondary};
    table.quarter[3] = {options.useSame ? SoundSlot::QuarterAfter : SoundSlot::QuarterTil,
                        secondary};
    return table;
}

ChimeChoice SelectChime(int hour, int minute, const ChimeOptions& options) {
    // Each quarter owns a three-minute window; every other minute is the hour.
    const int quarter = minute >= 14 && minute <= 16   ? 1
                        : minute >= 29 && minute <= 31 ? 2
                        : minute >= 44 && minute <= 46 ? 3
                                                       : 0;
    const QuarterStrike strike = Strikes(hour, options).quarter[quarter];
    ChimeChoice choice;
    choice.play = strike.count > 0;
    choice.slot = strike.slot;
    choice.count = strike.count;
    return choice;
}

bool SlotInUse(SoundSlot slot, const ChimeOptions& options) {
    // The slots do not depend on the hour: any hour's table tells.
    for (const QuarterStrike& strike : Strikes(0, options).quarter)
        if (strike.slot == slot && strike.count > 0)
            return true;
    return false;
}
