#pragma once
// When the chime timer fires, and which boundary a tick rings: the quarter-hour schedule,
// with no Windows header. The window only sets the timer to the delay it is given and plays
// what a tick says.
//
// Timers count elapsed time, not the wall clock; so every arming starts from a fresh reading,
// a boundary is rung at most once, and a tick far from the boundary it was armed for (a timer
// that fell due while the machine slept, or one that outlived a clock change nobody announced)
// rings nothing.
#include "core/Chime.h"
#include "core/LocalTime.h"

// How often the time may also be told, in minutes, as the profile's "Tell_Every" stores it
// (0: never); the value a stored one reads as (anything else is never).
constexpr int kTellEveryValues[] = {0, 5, 10, 15, 20, 30, 60};
constexpr int kTellEveryCount = 7;
int TellEveryFromProfile(int stored);

// Whether the time is told at hour:minute when it is told every `every` minutes: at the
// minutes past the hour that are multiples of `every` (60: the hour), except at a quarter that
// rings anyway under `options`.
bool TellsAt(int hour, int minute, int every, const ChimeOptions& options);

// A local boundary as seen from one clock reading: a quarter hour (:00, :15, :30 or :45), or a
// minute the time is told at.
struct Boundary {
    long long utc = 0; // the moment, in seconds since 1970 (0 when the clock gives none)
    int hour = 0;      // its local time
    int minute = 0;
    int weekday = 0;     // of its local date (a boundary at 00:00 belongs to the day it begins)
    unsigned msAway = 0; // from the reading to the boundary
};

// The local time of day `seconds` after the reading `now` (the same offset from UTC assumed),
// with its `utc`, weekday and monotonic clock moved as well; the milliseconds stay.
LocalTime LocalTimeAfter(const LocalTime& now, long long seconds);

// Milliseconds from the reading `now` to the moment `seconds` after its second began: 0 when
// that is past, at most a day.
unsigned MsAfter(const LocalTime& now, long long seconds);

// How far a tick may be from the boundary its timer was armed for and still ring it.
constexpr long long kTickTolerance = 60;

class ChimeSchedule {
public:
    // The boundaries are the quarters and, when `every` is not 0, the minutes past the hour
    // that are multiples of it.
    void SetTellEvery(int every) { m_every = TellEveryFromProfile(every); }

    // The next boundary after the reading `now` (after its minute), passing over one
    // that a tick has rung already (a tick that came a little early).
    Boundary Next(const LocalTime& now) const;
    // The same after the clock was set or the machine resumed, except that a boundary whose
    // first second is now, and that no tick has rung, is rung at once (a resume right at a
    // quarter still rings it), and that the next one is not passed over: a clock set back
    // over a quarter rings it again.
    Boundary NextAfterChange(const LocalTime& now) const;

    // Arms for `boundary`, `leadInMs` early (for the lead-in that wakes the sound device);
    // returns the timer's delay in milliseconds, 0 meaning at once.
    unsigned Arm(const Boundary& boundary, unsigned leadInMs);

    struct Tick {
        bool timely = false; // false: stale, rings nothing
        Boundary boundary;   // the boundary it was armed for, as the clock of the tick sees it
    };
    // A tick of the chime timer at `now`. A timely tick marks its boundary rung. The boundary's
    // local time follows the reading (a daylight-saving change since the arming counts), not
    // the clock's minute: a tick armed for 11:00 that fires at 10:59:59.3 is for 11:00.
    Tick OnTick(const LocalTime& now);

private:
    Boundary From(const LocalTime& now, long long secondsAway) const;
    // Seconds from the local second of the day `local` to the next boundary after its minute.
    long long ToNext(long long local) const;
    bool IsBoundary(int minute) const {
        return minute % 15 == 0 || (m_every && minute % m_every == 0);
    }
    int m_every = 0;
    Boundary m_armed;
    long long m_rung = 0;
};
