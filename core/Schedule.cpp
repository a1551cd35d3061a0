#include "core/Schedule.h"

namespace {
constexpr long long kDay = 24 * 3600;

int Clamp(int value, int low, int high) {
    return value < low ? low : (value > high ? high : value);
}
// Seconds of the local day, with out-of-range readings clamped (a leap second is second 59).
long long LocalSeconds(const LocalTime& t) {
    return Clamp(t.hour, 0, 23) * 3600LL + Clamp(t.minute, 0, 59) * 60LL + Clamp(t.second, 0, 59);
}
} // namespace

LocalTime LocalTimeAfter(const LocalTime& now, long long seconds) {
    const long long moved = LocalSeconds(now) + seconds;
    const long long local = (moved % kDay + kDay) % kDay;
    const long long days = (moved - local) / kDay;
    LocalTime later = now;
    later.weekday = static_cast<int>(((Clamp(now.weekday, 0, 6) + days) % 7 + 7) % 7);
    later.monotonicMs = now.monotonicMs + seconds * 1000;
    later.hour = static_cast<int>(local / 3600);
    later.minute = static_cast<int>(local / 60 % 60);
    later.second = static_cast<int>(local % 60);
    later.utc = now.utc ? now.utc + seconds : 0;
    return later;
}

unsigned MsAfter(const LocalTime& now, long long seconds) {
    const long long ms = seconds * 1000 - Clamp(now.millisecond, 0, 999);
    return ms <= 0 ? 0 : static_cast<unsigned>(ms < kDay * 1000 ? ms : kDay * 1000);
}

int TellEveryFromProfile(int stored) {
    for (int every : kTellEveryValues)
        if (stored == every)
            return every;
    return 0;
}

bool TellsAt(int hour, int minute, int every, const ChimeOptions& options) {
    every = TellEveryFromProfile(every);
    if (!every || minute % every != 0)
        return false;
    return minute % 15 != 0 || !SelectChime(hour, minute, options).play;
}

long long ChimeSchedule::ToNext(long long local) const {
    long long minute = local / 60 + 1;
    while (!IsBoundary(static_cast<int>(minute % 60)))
        ++minute;
    return minute * 60 - local;
}

Boundary ChimeSchedule::From(const LocalTime& now, long long secondsAway) const {
    Boundary b;
    b.utc = now.utc ? now.utc + secondsAway : 0;
    const LocalTime at = LocalTimeAfter(now, secondsAway);
    b.hour = at.hour;
    b.minute = at.minute;
    b.weekday = at.weekday;
    b.msAway = MsAfter(now, secondsAway);
    return b;
}

Boundary ChimeSchedule::Next(const LocalTime& now) const {
    const long long local = LocalSeconds(now);
    long long away = ToNext(local);
    if (now.utc && now.utc + away == m_rung)
        away += ToNext(local + away);
    return From(now, away);
}

Boundary ChimeSchedule::NextAfterChange(const LocalTime& now) const {
    const long long local = LocalSeconds(now);
    if (local % 60 == 0 && IsBoundary(static_cast<int>(local / 60 % 60)) &&
        (!now.utc || now.utc != m_rung))
        return From(now, 0);
    // The clock may have been set back over a boundary already rung: it comes round again.
    return From(now, ToNext(local));
}

unsigned ChimeSchedule::Arm(const Boundary& boundary, unsigned leadInMs) {
    m_armed = boundary;
    return boundary.msAway > leadInMs ? boundary.msAway - leadInMs : 0;
}

ChimeSchedule::Tick ChimeSchedule::OnTick(const LocalTime& now) {
    Tick tick;
    if (!m_armed.utc || !now.utc) {
        // No moment to compare: the tick is timely, and for the quarter its clock shows.
        tick.timely = true;
        tick.boundary = From(now, 0);
        return tick;
    }
    const long long away = m_armed.utc - now.utc;
    tick.timely = away >= -kTickTolerance && away <= kTickTolerance;
    tick.boundary = From(now, away);
    if (tick.timely)
        m_rung = m_armed.utc;
    return tick;
}
