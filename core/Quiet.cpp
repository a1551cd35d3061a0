#include "core/Quiet.h"

#include "core/Schedule.h"

std::string KeyNameOf(const std::string& path) {
    std::string name = path;
    for (char& c : name)
        if (c == '\\')
            c = '#';
    return name;
}

bool MicrophoneInUse(const std::vector<MicrophoneUse>& uses, unsigned long long now,
                     const std::function<bool(const MicrophoneUse&)>& running) {
    for (const MicrophoneUse& use : uses) {
        if (use.start == 0 || use.stop != 0)
            continue;
        if (use.start < now && now - use.start > kStaleMicrophoneUse)
            continue;
        if (!running(use))
            continue;
        return true;
    }
    return false;
}

bool DoNotDisturbOn(bool read, unsigned long size, unsigned long value) {
    return read && size == 4 && (value == 1 || value == 2);
}

int DaysFromProfile(int stored) { return stored < 0 || stored > kEveryDay ? kEveryDay : stored; }

bool RingsOn(int days, int weekday) {
    return weekday < 0 || weekday > 6 || (days >> weekday & 1) != 0;
}

int DayAt(int position, int firstDay) { return ((firstDay + position) % 7 + 7) % 7; }

LocalTime Snooze::Ends(const LocalTime& now) const {
    return LocalTimeAfter(now, (Left(now.monotonicMs) + now.millisecond) / 1000);
}

Presence AfterSessionEvent(Presence presence, unsigned event) {
    switch (event) {
    case 1:
    case 3: presence.disconnected = false; break;
    case 2:
    case 4: presence.disconnected = true; break;
    case 7: presence.locked = true; break;
    case 8: presence.locked = false; break;
    default: break;
    }
    return presence;
}

QuietReason AwayReason(const Presence& presence, unsigned long idleMs, int awayMinutes) {
    if (presence.locked || presence.disconnected)
        return QuietReason::Locked;
    if (presence.displayOff)
        return QuietReason::DisplayOff;
    return awayMinutes > 0 && idleMs >= static_cast<unsigned long>(awayMinutes) * 60000ul
               ? QuietReason::Away
               : QuietReason::None;
}
