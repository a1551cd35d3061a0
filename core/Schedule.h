#pragma once
// When the chime timer fires, and which boundary a tick rings: the quarter-hour schedule,
// with no Windows header. The window only sets the timer to the delay it is given and plays
// what a tick says.
//
// Timers count elapsed time, not the wall clock; so every arming starts from a fresh reading,
// a boundary is rung at most once, and a tick far from the boundary it was armed for (a timer
// that fell due while the machine slept, or one that outlived a clock change nobody announced)
// rings nothing.
#include "core/LocalTime.h"

// A local quarter-hour boundary (:00, :15, :30 or :45) as seen from one clock reading.
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
    // The next boundary after the reading `now` (strictly after its minute), passing over one
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
    Boundary From(const LocalTime& now, long long secondsAway, bool passRung) const;
    Boundary m_armed;
    long long m_rung = 0;
};
