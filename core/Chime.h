#pragma once
// What the quarter-hour chime plays: a pure decision on the boundary's local time, the way of
// striking and the three check boxes.
#include <vector>

// The four chime slots; Hour is the primary one.
enum class SoundSlot { Hour, QuarterAfter, HalfPast, QuarterTil };

// The ways of striking, as the profile stores them ("Pattern"):
//   Westminster     each quarter its own sound, the hour's sound at the hour;
//   QuarterStrikes  the quarter bell (Quarter After's sound) once per quarter passed, and at the
//                   hour four times followed by the hour bell;
//   ShipsBells      every half hour the hour bell in pairs, one to eight strikes a watch;
//   HalfHourStroke  the hour as Westminster strikes it, and Half Past's sound once at :30.
enum class Pattern { Westminster, QuarterStrikes, ShipsBells, HalfHourStroke };
constexpr int kPatternCount = 4;
// The stored value as a pattern: an unknown one is Westminster.
Pattern PatternFromProfile(int stored);

// The settings that shape the chime.
struct ChimeOptions {
    bool multi = false;            // strike the hour once per hour of the twelve-hour clock
    bool useSame = false;          // Quarter After's sound at every quarter (Westminster)
    bool disableSecondary = false; // the quarters are silent (Westminster)
    Pattern pattern = Pattern::Westminster;
};

// One strike of a spaced pattern: the slot whose sound rings, and when, in milliseconds after
// the first strike (which is on the boundary). Each rings on under the next.
struct Stroke {
    SoundSlot slot;
    unsigned atMs;
    bool operator==(const Stroke& o) const { return slot == o.slot && atMs == o.atMs; }
};
// The spacing of the patterns' strikes: the hour bell's, the quarter bell's, and a ship's bell
// pair's two strikes and the silence between one pair's second strike and the next pair.
constexpr unsigned kHourStrikeMs = 1000, kQuarterStrikeMs = 600, kPairStrikeMs = 500,
                   kPairGapMs = 1500;
// After the quarter strikes at the hour, the first hour strike waits this long.
constexpr unsigned kBeforeHourMs = 1000;

struct ChimeChoice {
    bool play = false; // false: nothing sounds this tick
    SoundSlot slot = SoundSlot::Hour;
    int count = 0; // strikes, 1 to 12, when play is true
    // The strikes of a spaced pattern, `count` of them (the first of `slot`); empty: `count`
    // strikes of `slot` one after another, each as long as the sound.
    std::vector<Stroke> strokes;
};

// The hour of the twelve-hour clock that `hour` (0-23) is: 1 to 12, 12 at noon and midnight.
int TwelveHour(int hour);

// The bells a ship's clock strikes at hour:minute (:00 or :30 of the half hour it is in): 1 at
// 0:30, 2 at 1:00, ..., 8 at 4:00, 1 again at 4:30, through every four-hour watch.
int ShipsBells(int hour, int minute);

// How each quarter of the hour strikes, as a table: for the hour ([0]) and for :15, :30 and :45
// ([1] to [3]), which slot's sound rings and how many times (count 0: that quarter is silent),
// and the spaced patterns' strokes. Every decision about what strikes reads it: the chime,
// Tell the time, the slot locks.
struct QuarterStrike {
    SoundSlot slot = SoundSlot::Hour;
    int count = 0;
    std::vector<Stroke> strokes; // as ChimeChoice has them
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

// Whether `slot` is in use under `options`: under Westminster the Hour slot always, Quarter
// After unless the secondary slots are disabled, Half Past and Quarter 'Til unless Use-same
// holds as well; under another pattern the slots it strikes. A slot not in use is locked in the
// settings window and not checked on OK.
bool SlotInUse(SoundSlot slot, const ChimeOptions& options);

// The bundled sound for `slot`'s part under `pattern` (a file of the Sounds folder beside
// CHIMO.EXE), or nullptr when the pattern does not strike that slot.
const char* BundledBell(Pattern pattern, SoundSlot slot);
// Whether `name` (a file's name, without its folder) is one of the bundled sounds, in any case.
bool IsBundledName(const char* name);
