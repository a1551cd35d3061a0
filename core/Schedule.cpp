#include "core/Schedule.h"

namespace {
constexpr long long kQuarter = 15 * 60, kDay = 24 * 3600;

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

Boundary ChimeSchedule::From(const LocalTime& now, long long secondsAway, bool passRung) const {
    Boundary b;
    b.utc = now.utc ? now.utc + secondsAway : 0;
    if (passRung && b.utc && b.utc == m_rung) {
        b.utc += kQuarter;
        secondsAway += kQuarter;
    }
    const LocalTime at = LocalTimeAfter(now, secondsAway);
    b.hour = at.hour;
    b.minute = at.minute;
    b.weekday = at.weekday;
    b.msAway = MsAfter(now, secondsAway);
    return b;
}

Boundary ChimeSchedule::Next(const LocalTime& now) const {
    return From(now, kQuarter - LocalSeconds(now) % kQuarter, true);
}

Boundary ChimeSchedule::NextAfterChange(const LocalTime& now) const {
    const long long past = LocalSeconds(now) % kQuarter;
    if (past == 0 && (!now.utc || now.utc != m_rung))
        return From(now, 0, false);
    // The clock may have been set back over a boundary already rung: it comes round again.
    return From(now, kQuarter - past, false);
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
        tick.boundary = From(now, 0, false);
        return tick;
    }
    const long long away = m_armed.utc - now.utc;
    tick.timely = away >= -kTickTolerance && away <= kTickTolerance;
    tick.boundary = From(now, away, false);
    if (tick.timely)
        m_rung = m_armed.utc;
    return tick;
}
