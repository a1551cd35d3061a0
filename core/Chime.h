#pragma once
// What the quarter-hour chime plays and when it next fires: pure decisions on the clock reading
// and the three check boxes.

// The four chime slots; Hour is the primary one.
enum class SoundSlot { Hour, QuarterAfter, HalfPast, QuarterTil };

struct ChimeChoice {
    bool play = false; // false: nothing sounds this tick
    SoundSlot slot = SoundSlot::Hour;
    int count = 0; // strikes, 1 to 12, when play is true
};

// Milliseconds from minute:second to the next :00, :15, :30 or :45 strictly after the current
// minute, less the seconds already gone; always 1 000 to 900 000. Out-of-range readings are
// clamped (a leap second counts as second 59).
unsigned NextQuarterDelay(int minute, int second);

// The slot a tick at hour:minute plays. Each quarter owns a three-minute window (14-16, 29-31,
// 44-46) so a tick a minute early or late still counts for it; every other minute is the hour.
// Under Multi the hour is struck once per hour of the twelve-hour clock.
ChimeChoice SelectChime(int hour, int minute, bool multi, bool useSame, bool disableSecondary);

// Seconds since the last local quarter-hour boundary: 0 at :00:00, :15:00, :30:00, :45:00.
int SecondsPastQuarter(int minute, int second);

// How far a tick may be from the boundary its timer was armed for and still ring it. A tick
// further off (a timer that fell due while the machine slept, or one that outlived a clock
// change nobody announced) is stale: it re-arms without ringing.
constexpr long long kTickTolerance = 60;

// Whether a tick at `now` rings the boundary armed for at `armedFor` (both UTC seconds, 0 when
// unknown, which always rings).
bool TickIsTimely(long long armedFor, long long now);

// The delay for re-arming after the clock moved or the machine resumed: the next boundary, or
// at once when the reading is on a boundary (its first second) that no tick has handled yet,
// so a resume right at a quarter still rings it.
unsigned RearmDelay(int minute, int second, bool boundaryHandled);
