#pragma once
// A reading of the local wall clock, as the program needs it: plain fields, no time zone logic,
// and the moment itself, which does not jump when the offset from UTC changes.

struct LocalTime {
    int hour = 0;        // 0..23
    int minute = 0;      // 0..59
    int second = 0;      // 0..59 (60 on a leap second)
    int millisecond = 0; // 0..999 into the second; 0 when the clock does not say
    long long utc = 0;   // seconds since 1970-01-01 00:00 UTC; 0 when unknown
    int weekday = 0;     // 0 Monday to 6 Sunday
    // Milliseconds of a clock that never jumps (since the system started): the wall clock may
    // be set, this one only runs.
    long long monotonicMs = 0;
};
