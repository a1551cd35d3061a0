#include "core/QuietHours.h"

namespace {
int ClockValue(int hhmm) { return (hhmm >= 2400 && hhmm <= 2459) ? hhmm - 2400 : hhmm; }
} // namespace

bool InQuietHours(int timerState, int start, int stop, int t) {
    if (timerState != 1 || start == 0 || stop == 0)
        return false;
    const int from = ClockValue(start), to = ClockValue(stop);
    if (from >= to)
        return t >= from || t <= to;
    return t >= from && t <= to;
}

int VolumeAt(bool inQuietHours, int nightVolume, int volume) {
    if (!inQuietHours)
        return volume;
    return nightVolume >= 0 && nightVolume <= 100 ? nightVolume : -1;
}
