#pragma once
// A reading of the local wall clock, as the program needs it: plain fields, no time zone logic.

struct LocalTime {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;  // 0..23
    int minute = 0; // 0..59
    int second = 0; // 0..59 (60 on a leap second)
};
