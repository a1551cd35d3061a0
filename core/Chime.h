#pragma once
// What the quarter-hour chime plays: a pure decision on the boundary's local time and the
// three check boxes.

// The four chime slots; Hour is the primary one.
enum class SoundSlot { Hour, QuarterAfter, HalfPast, QuarterTil };

// The check boxes that shape the chime.
struct ChimeOptions {
    bool multi = false;            // strike the hour once per hour of the twelve-hour clock
    bool useSame = false;          // Quarter After's sound at every quarter
    bool disableSecondary = false; // the quarters are silent
};

struct ChimeChoice {
    bool play = false; // false: nothing sounds this tick
    SoundSlot slot = SoundSlot::Hour;
    int count = 0; // strikes, 1 to 12, when play is true
};

// The hour of the twelve-hour clock that `hour` (0-23) is: 1 to 12, 12 at noon and midnight.
int TwelveHour(int hour);

// How each quarter of the hour strikes, as a table: for the hour ([0]) and for :15, :30 and :45
// ([1] to [3]), which slot's sound rings and how many times (count 0: that quarter is silent).
// Every decision about what strikes reads it: the chime, Tell the time, the slot locks.
struct QuarterStrike {
    SoundSlot slot = SoundSlot::Hour;
    int count = 0;
};
struct StrikeTable {
    QuarterStrike quarter[4];
};
// The table for the hour `hour` (0-23) under `options`.
StrikeTable Strikes(int hour, const ChimeOptions& options);

// The slot a chime at hour:minute plays. Each quarter owns a three-minute window (14-16, 29-31,
// 44-46) so a reading a minute early or late still counts for it; every other minute is the
// hour.
ChimeChoice SelectChime(int hour, int minute, const ChimeOptions& options);

// Whether `slot` is in use under `options`: the Hour slot always, Quarter After unless the
// secondary slots are disabled, Half Past and Quarter 'Til unless Use-same holds as well. A
// slot not in use is locked in the settings window and not checked on OK.
bool SlotInUse(SoundSlot slot, const ChimeOptions& options);
