#pragma once
// Times of day typed like "06:30pm" for the Sleep Timer.

#include <string>

struct SleepTimeParse {
    bool ok = false;
    int hhmm = 0;     // on success: hours (1 to 24, 12 AM being 24) x 100 + minutes; 0 if empty
    std::string text; // trimmed always; normalised ("06:30PM") on success
};

// One or two hour digits, exactly one separator character of any kind, two minute digits,
// anything, then "AM" or "PM" (any case) as the last two characters. An empty (or blank) text
// is valid and means "not set".
SleepTimeParse ParseSleepTimeText(const std::string& typed);
