#include "core/Chime.h"

namespace {
int Clamp(int value, int low, int high) {
    return value < low ? low : (value > high ? high : value);
}
} // namespace

unsigned NextQuarterDelay(int minute, int second) {
    minute = Clamp(minute, 0, 59);
    second = Clamp(second, 0, 59);
    int minutesToBoundary = (59 - minute) % 15 + 1;
    return static_cast<unsigned>((minutesToBoundary * 60 - second) * 1000);
}

ChimeChoice SelectChime(int hour, int minute, bool multi, bool useSame, bool disableSecondary) {
    ChimeChoice choice;
    SoundSlot quarter;
    if (minute >= 14 && minute <= 16)
        quarter = SoundSlot::QuarterAfter;
    else if (minute >= 29 && minute <= 31)
        quarter = useSame ? SoundSlot::QuarterAfter : SoundSlot::HalfPast;
    else if (minute >= 44 && minute <= 46)
        quarter = useSame ? SoundSlot::QuarterAfter : SoundSlot::QuarterTil;
    else {
        int twelve = ((hour % 12) + 12) % 12;
        choice.play = true;
        choice.slot = SoundSlot::Hour;
        choice.count = multi ? (twelve == 0 ? 12 : twelve) : 1;
        return choice;
    }
    if (disableSecondary)
        return choice;
    choice.play = true;
    choice.slot = quarter;
    choice.count = 1;
    return choice;
}

int SecondsPastQuarter(int minute, int second) {
    minute = Clamp(minute, 0, 59);
    second = Clamp(second, 0, 59);
    return minute % 15 * 60 + second;
}

bool TickIsTimely(long long armedFor, long long now) {
    if (armedFor == 0 || now == 0)
        return true;
    long long off = now - armedFor;
    return off >= -kTickTolerance && off <= kTickTolerance;
}

unsigned RearmDelay(int minute, int second, bool boundaryHandled) {
    if (SecondsPastQuarter(minute, second) == 0 && !boundaryHandled)
        return 0;
    return NextQuarterDelay(minute, second);
}
