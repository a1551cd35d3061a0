#include "core/Chime.h"
#include "core/Schedule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {
constexpr long long kMidnight = 1796169600; // 2026-12-02 00:00:00 UTC, local = UTC below

LocalTime At(int hour, int minute, int second, int ms = 0, long long offset = 0) {
    LocalTime t;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    t.millisecond = ms;
    t.utc = kMidnight + hour * 3600 + minute * 60 + second - offset;
    return t;
}
} // namespace

// Arming: the next quarter strictly after the current minute, to the millisecond, the lead-in
// earlier; the boundary's local time comes with it.
TEST(ChimeSchedule, ArmsForTheNextQuarterLessTheLeadIn) {
    struct Row {
        int minute, second, ms;
        unsigned leadIn, delay;
        int boundaryHour, boundaryMinute;
    } rows[] = {
        {7, 30, 0, 0, 450000, 10, 15}, {7, 30, 700, 0, 449300, 10, 15},
        {14, 59, 0, 0, 1000, 10, 15},  {15, 0, 0, 0, 900000, 10, 30},
        {59, 59, 500, 0, 500, 11, 0},  {59, 59, 300, 700, 0, 11, 0},
        {59, 0, 0, 700, 59300, 11, 0}, {44, 0, 0, 3000, 57000, 10, 45},
    };
    for (const Row& row : rows) {
        ChimeSchedule schedule;
        const Boundary b = schedule.Next(At(10, row.minute, row.second, row.ms));
        EXPECT_EQ(schedule.Arm(b, row.leadIn), row.delay) << row.minute << ":" << row.second;
        EXPECT_EQ(b.hour * 100 + b.minute, row.boundaryHour * 100 + row.boundaryMinute);
        EXPECT_EQ(b.utc % 900, 0);
    }
    ChimeSchedule schedule;
    const Boundary midnight = schedule.Next(At(23, 50, 0));
    EXPECT_EQ(midnight.hour * 100 + midnight.minute, 0) << "the day wraps";
    for (int second = 0; second < 3600; ++second) {
        const Boundary b = schedule.Next(At(10, second / 60, second % 60));
        ASSERT_TRUE(b.msAway >= 1000 && b.msAway <= 900000) << second;
        ASSERT_EQ((second + static_cast<int>(b.msAway / 1000)) % 900, 0) << "lands on a quarter";
    }
}

// A tick rings the boundary it was armed for, once, if it comes within a minute of it; early
// ticks (the lead-in's, or a fast timer's) are for that boundary, not for the clock's minute.
TEST(ChimeSchedule, ATickRingsItsArmedBoundaryOnceAndOnlyWhenTimely) {
    struct Row {
        LocalTime armed, tick;
        bool timely;
        int hour, minute; // of the boundary the tick is for
        unsigned msAway;
    } rows[] = {
        {At(10, 50, 0), At(10, 59, 59, 300), true, 11, 0, 700},
        {At(10, 50, 0), At(11, 0, 0), true, 11, 0, 0},
        {At(10, 50, 0), At(11, 1, 0), true, 11, 0, 0},
        {At(10, 50, 0), At(10, 59, 0), true, 11, 0, 60000},
        {At(10, 50, 0), At(11, 1, 1), false, 11, 0, 0},
        {At(10, 50, 0), At(10, 58, 59), false, 11, 0, 61000},
        // Spring forward between arming and tick: the boundary is 03:00 by the new clock.
        {At(1, 50, 0), At(2, 59, 59, 500, 3600), true, 3, 0, 500},
    };
    for (const Row& row : rows) {
        ChimeSchedule schedule;
        schedule.Arm(schedule.Next(row.armed), 0);
        const ChimeSchedule::Tick tick = schedule.OnTick(row.tick);
        SCOPED_TRACE(std::to_string(row.tick.hour) + ":" + std::to_string(row.tick.minute));
        EXPECT_EQ(tick.timely, row.timely);
        EXPECT_EQ(tick.boundary.hour * 100 + tick.boundary.minute, row.hour * 100 + row.minute);
        EXPECT_EQ(tick.boundary.msAway, row.msAway);
        // Armed again from the same moment: a rung boundary is passed over.
        const Boundary next = schedule.Next(row.tick);
        EXPECT_EQ(next.utc - tick.boundary.utc, row.timely || row.msAway == 0 ? 900 : 0);
    }
    ChimeSchedule unknown;
    LocalTime noMoment = At(10, 14, 59);
    noMoment.utc = 0;
    unknown.Arm(unknown.Next(noMoment), 0);
    EXPECT_TRUE(unknown.OnTick(noMoment).timely) << "without a moment, every tick is timely";
}

// After a clock change or a resume: the next boundary, or at once for a boundary whose first
// second is now and that no tick has rung.
TEST(ChimeSchedule, AfterAClockChangeABoundaryThatIsNowRingsAtOnce) {
    struct Row {
        int minute, second;
        bool rung;
        unsigned delay;
    } rows[] = {{7, 30, false, 450000},
                {15, 0, false, 0},
                {15, 0, true, 900000},
                {15, 1, false, 899000},
                {59, 59, true, 1000}};
    for (const Row& row : rows) {
        ChimeSchedule schedule;
        if (row.rung) { // the quarter the reading is in has rung
            const int quarter = row.minute - row.minute % 15;
            schedule.Arm(schedule.Next(At(10, quarter - 1, 0)), 0);
            schedule.OnTick(At(10, quarter, 0));
        }
        EXPECT_EQ(schedule.Arm(schedule.NextAfterChange(At(10, row.minute, row.second)), 0),
                  row.delay)
            << row.minute << ":" << row.second << " rung " << row.rung;
    }
}

// Each minute's slot under the two boxes (a quarter owns the minutes next to it), and the
// strikes of Multi on the twelve-hour clock.
TEST(ChimeChoice, TheQuarterTheBoxesAndTheStrikes) {
    using S = SoundSlot;
    const S none = S::Hour; // with play false
    struct Row {
        int minute;
        bool useSame, disableSecondary, play;
        S slot;
    } rows[] = {
        {14, false, false, true, S::QuarterAfter},
        {16, false, false, true, S::QuarterAfter},
        {29, false, false, true, S::HalfPast},
        {31, false, false, true, S::HalfPast},
        {44, false, false, true, S::QuarterTil},
        {46, false, false, true, S::QuarterTil},
        {30, true, false, true, S::QuarterAfter},
        {45, true, false, true, S::QuarterAfter},
        {15, false, true, false, none},
        {30, true, true, false, none},
        {45, false, true, false, none},
        {0, true, true, true, S::Hour},
        {13, true, true, true, S::Hour},
        {47, true, true, true, S::Hour},
    };
    for (const Row& row : rows) {
        ChimeChoice c = SelectChime(10, row.minute, {true, row.useSame, row.disableSecondary});
        EXPECT_EQ(c.play, row.play) << row.minute << " " << row.useSame << row.disableSecondary;
        if (row.play) {
            EXPECT_EQ(c.slot, row.slot) << row.minute;
            EXPECT_EQ(c.count, row.slot == S::Hour ? 10 : 1) << row.minute;
        }
    }
    struct Strike {
        int hour, strikes;
    } strikes[] = {{0, 12}, {12, 12}, {13, 1}, {23, 11}, {11, 11}};
    for (const Strike& s : strikes) {
        EXPECT_EQ(SelectChime(s.hour, 0, {true, false, false}).count, s.strikes) << s.hour;
        EXPECT_EQ(SelectChime(s.hour, 0, {}).count, 1) << s.hour;
    }
}

// A slot is in use (unlocked, checked on OK) exactly when some quarter plays it, under every
// pattern.
TEST(ChimeChoice, ASlotIsInUseExactlyWhenSomeQuarterPlaysIt) {
    for (int boxes = 0; boxes < 4 * kPatternCount; ++boxes) {
        const ChimeOptions options{false, (boxes & 1) != 0, (boxes & 2) != 0,
                                   static_cast<Pattern>(boxes / 4)};
        bool played[4] = {};
        for (int minute = 0; minute < 60; ++minute) {
            const ChimeChoice c = SelectChime(10, minute, options);
            if (c.play)
                played[static_cast<int>(c.slot)] = true;
            for (const Stroke& stroke : c.strokes)
                played[static_cast<int>(stroke.slot)] = true;
        }
        for (int slot = 0; slot < 4; ++slot)
            EXPECT_EQ(SlotInUse(static_cast<SoundSlot>(slot), options), played[slot])
                << "slot " << slot << " boxes " << boxes;
    }
}

// Every quarter of a day under each spaced pattern: which strikes, how many, and when.
TEST(ChimeChoice, EachPatternStrikesEveryQuarterOfTheDay) {
    using S = SoundSlot;
    // A ship's clock, from 0:00, each half hour: the bells of a watch, six watches a day.
    const std::string bells = "812345678123456781234567812345678123456781234567";
    const auto slots = [](const ChimeChoice& c, S slot) {
        return std::count_if(c.strokes.begin(), c.strokes.end(),
                             [&](const Stroke& s) { return s.slot == slot; });
    };
    for (bool multi : {false, true}) {
        for (int hour = 0; hour < 24; ++hour) {
            for (int quarter = 0; quarter < 4; ++quarter) {
                const int minute = quarter * 15;
                const std::string at =
                    std::to_string(hour) + ":" + std::to_string(minute) + (multi ? " multi" : "");
                const ChimeChoice ships =
                    SelectChime(hour, minute, {multi, false, false, Pattern::ShipsBells});
                const int rung = quarter % 2 ? 0 : bells[hour * 2 + quarter / 2] - '0';
                EXPECT_EQ(ships.count, rung) << at;
                EXPECT_EQ(slots(ships, S::Hour), rung) << at;

                const ChimeChoice strikes =
                    SelectChime(hour, minute, {multi, false, false, Pattern::QuarterStrikes});
                const int hours = quarter ? 0 : multi ? (hour + 11) % 12 + 1 : 1;
                EXPECT_EQ(slots(strikes, S::QuarterAfter), quarter ? quarter : 4) << at;
                EXPECT_EQ(slots(strikes, S::Hour), hours) << at;
                EXPECT_EQ(strikes.count, (quarter ? quarter : 4) + hours) << at;

                const ChimeChoice half =
                    SelectChime(hour, minute, {multi, false, false, Pattern::HalfHourStroke});
                EXPECT_TRUE(half.strokes.empty()) << at << ": struck as Westminster strikes";
                EXPECT_EQ(half.count, quarter == 0   ? (multi ? (hour + 11) % 12 + 1 : 1)
                                      : quarter == 2 ? 1
                                                     : 0)
                    << at;
                EXPECT_EQ(half.slot, quarter == 2 ? S::HalfPast : S::Hour) << at;
            }
        }
    }
    // The spacing: quarter strikes 0.6 s apart and the hour a second after the last; ship's
    // bells in pairs, half a second within a pair and a second and a half between pairs.
    EXPECT_EQ(SelectChime(3, 0, {true, false, false, Pattern::QuarterStrikes}).strokes,
              (std::vector<Stroke>{{S::QuarterAfter, 0},
                                   {S::QuarterAfter, 600},
                                   {S::QuarterAfter, 1200},
                                   {S::QuarterAfter, 1800},
                                   {S::Hour, 2800},
                                   {S::Hour, 3800},
                                   {S::Hour, 4800}}));
    EXPECT_EQ(
        SelectChime(6, 30, {false, false, false, Pattern::ShipsBells}).strokes,
        (std::vector<Stroke>{
            {S::Hour, 0}, {S::Hour, 500}, {S::Hour, 2000}, {S::Hour, 2500}, {S::Hour, 4000}}));
    // The pattern as stored: an unknown value is Westminster.
    for (int stored : {0, 1, 2, 3, 4, -1, 99})
        EXPECT_EQ(PatternFromProfile(stored),
                  stored >= 0 && stored < 4 ? static_cast<Pattern>(stored) : Pattern::Westminster)
            << stored;
}

// Which minutes of an hour tell the time for each interval: its multiples, less the quarters
// that ring anyway; a quarter the way of striking leaves silent is told. Anything but the
// offered intervals tells nothing.
TEST(TellEvery, TellsAtItsMultiplesButNotAtAQuarterThatRings) {
    ChimeOptions westminster, silentQuarters, halfHour;
    silentQuarters.disableSecondary = true;
    halfHour.pattern = Pattern::HalfHourStroke;
    const struct {
        int every;
        const ChimeOptions& options;
        const char* minutes;
    } rows[] = {
        {5, westminster, "5 10 20 25 35 40 50 55"},
        {10, westminster, "10 20 40 50"},
        {15, westminster, ""},
        {20, westminster, "20 40"},
        {30, westminster, ""},
        {60, westminster, ""},
        {0, westminster, ""},
        {7, westminster, ""},
        {-5, westminster, ""},
        {15, silentQuarters, "15 30 45"},
        {30, silentQuarters, "30"},
        {60, silentQuarters, ""}, // the hour still rings
        {10, halfHour, "10 20 40 50"},
        {15, halfHour, "15 45"},
    };
    for (const auto& row : rows) {
        std::string minutes;
        for (int minute = 0; minute < 60; ++minute)
            if (TellsAt(10, minute, row.every, row.options))
                minutes += (minutes.empty() ? "" : " ") + std::to_string(minute);
        EXPECT_EQ(minutes, row.minutes) << "every " << row.every;
    }
}

// With an interval the timer is armed for the next quarter or minute told, whichever is first,
// and never between them; an unknown interval arms for the quarters alone.
TEST(TellEvery, TheScheduleArmsForTheNextQuarterOrTell) {
    const struct {
        int every, minute, second;
        int next; // minute of the hour, 60 for the next hour's
    } rows[] = {
        {5, 1, 0, 5},    {5, 4, 59, 5},   {5, 5, 0, 10},   {5, 14, 30, 15},
        {10, 5, 0, 10},  {20, 15, 0, 20}, {20, 20, 0, 30}, {60, 46, 0, 60},
        {30, 31, 0, 45}, {7, 1, 0, 15},   {0, 50, 0, 60},
    };
    for (const auto& row : rows) {
        ChimeSchedule schedule;
        schedule.SetTellEvery(row.every);
        const Boundary b = schedule.Next(At(10, row.minute, row.second));
        EXPECT_EQ(b.hour * 60 + b.minute, 10 * 60 + row.next)
            << "every " << row.every << " from :" << row.minute;
        EXPECT_EQ(b.msAway,
                  static_cast<unsigned>(((row.next - row.minute) * 60 - row.second) * 1000));
    }
    // A tell already rung is passed over, as a quarter is; after a clock change one due now
    // rings at once.
    ChimeSchedule schedule;
    schedule.SetTellEvery(5);
    schedule.Arm(schedule.Next(At(10, 3, 0)), 0);
    EXPECT_TRUE(schedule.OnTick(At(10, 4, 59, 900)).timely);
    EXPECT_EQ(schedule.Next(At(10, 4, 59, 950)).minute, 10);
    EXPECT_EQ(schedule.NextAfterChange(At(10, 20, 0)).msAway, 0u);
    EXPECT_EQ(schedule.NextAfterChange(At(10, 21, 0)).minute, 25);
}
