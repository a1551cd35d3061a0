#include "core/Chime.h"

#include <gtest/gtest.h>

TEST(QuarterDelay, CountsToTheNextBoundaryAfterTheCurrentMinute) {
    struct Row {
        int minute, second;
        unsigned delay;
    } rows[] = {
        {0, 0, 900000},
        {0, 5, 895000},
        {7, 30, 450000},
        {14, 0, 60000},
        {14, 59, 1000},
        {15, 0, 900000},
        {17, 30, 750000},
        {30, 20, 880000},
        {44, 59, 1000},
        {59, 59, 1000},
        {45, 0, 900000},
        {29, 0, 60000},
        {59, 0, 60000},
        {1, 0, 840000},
        // Readings outside the clock's range are clamped, so the delay stays in range.
        {14, 60, 1000},
        {-1, 0, 900000},
        {75, 0, 60000},
        {0, -5, 900000},
    };
    for (const Row& row : rows)
        EXPECT_EQ(NextQuarterDelay(row.minute, row.second), row.delay)
            << row.minute << ":" << row.second;
}

TEST(QuarterDelay, AlwaysBetweenOneSecondAndFifteenMinutes) {
    for (int minute = 0; minute < 60; ++minute)
        for (int second = 0; second < 60; ++second) {
            unsigned delay = NextQuarterDelay(minute, second);
            ASSERT_GE(delay, 1000u);
            ASSERT_LE(delay, 900000u);
            // The tick lands on a quarter boundary (to the second).
            int landing = (minute * 60 + second + static_cast<int>(delay / 1000)) % 3600;
            ASSERT_EQ(landing % 900, 0) << minute << ":" << second;
        }
}

TEST(ChimeChoiceTable, QuarterWindowsAndTheBoxes) {
    using S = SoundSlot;
    // minute, useSame, disableSecondary -> slot played once, or nothing.
    struct Row {
        int minute;
        bool useSame, disableSecondary;
        bool play;
        S slot;
    } rows[] = {
        {14, false, false, true, S::QuarterAfter}, {15, false, false, true, S::QuarterAfter},
        {16, false, false, true, S::QuarterAfter}, {15, true, false, true, S::QuarterAfter},
        {29, false, false, true, S::HalfPast},     {30, false, false, true, S::HalfPast},
        {31, false, false, true, S::HalfPast},     {30, true, false, true, S::QuarterAfter},
        {44, false, false, true, S::QuarterTil},   {45, false, false, true, S::QuarterTil},
        {46, false, false, true, S::QuarterTil},   {45, true, false, true, S::QuarterAfter},
        {15, false, true, false, S::Hour},         {30, true, true, false, S::Hour},
        {45, false, true, false, S::Hour},         {16, true, true, false, S::Hour},
    };
    for (const Row& row : rows) {
        for (bool multi : {false, true}) {
            ChimeChoice c = SelectChime(10, row.minute, multi, row.useSame, row.disableSecondary);
            EXPECT_EQ(c.play, row.play) << row.minute << " " << row.useSame << row.disableSecondary;
            if (row.play) {
                EXPECT_EQ(c.slot, row.slot) << row.minute;
                EXPECT_EQ(c.count, 1) << "Multi affects only the hour";
            }
        }
    }
}

TEST(ChimeChoiceTable, EveryOtherMinuteIsTheHourWhateverTheBoxes) {
    for (int minute : {0, 1, 13, 17, 28, 32, 43, 47, 59}) {
        for (int boxes = 0; boxes < 4; ++boxes) {
            ChimeChoice c = SelectChime(10, minute, false, boxes & 1, boxes & 2);
            EXPECT_TRUE(c.play);
            EXPECT_EQ(c.slot, SoundSlot::Hour) << minute;
            EXPECT_EQ(c.count, 1);
        }
    }
}

TEST(ChimeChoiceTable, MultiStrikesTheTwelveHourClock) {
    struct Row {
        int hour, minute, strikes;
    } rows[] = {{0, 0, 12},   {12, 0, 12},  {13, 0, 1}, {23, 0, 11}, {10, 0, 10},
                {10, 59, 10}, {10, 17, 10}, {1, 0, 1},  {11, 0, 11}, {22, 13, 10}};
    for (const Row& row : rows) {
        EXPECT_EQ(SelectChime(row.hour, row.minute, true, false, false).count, row.strikes)
            << row.hour << ":" << row.minute;
        EXPECT_EQ(SelectChime(row.hour, row.minute, false, true, true).count, 1);
    }
}

TEST(ChimeTiming, AStaleTickIsOneMoreThanAMinuteFromItsBoundary) {
    const long long b = 1796205600; // some boundary
    struct Row {
        long long armedFor, now;
        bool timely;
    } rows[] = {
        {b, b, true},       {b, b + 1, true},        {b, b + 60, true},
        {b, b + 61, false}, {b, b + 25 * 60, false}, {b, b - 60, true},
        {b, b - 61, false}, {b, b - 3600, false},    {0, b + 9999, true},
        {b, 0, true},
    };
    for (const Row& row : rows)
        EXPECT_EQ(TickIsTimely(row.armedFor, row.now), row.timely) << row.now - row.armedFor;
}

TEST(ChimeTiming, ReArmingAimsAtTheNextBoundaryOrTheOneThatIsNow) {
    struct Row {
        int minute, second;
        bool handled;
        unsigned delay;
    } rows[] = {
        {7, 30, false, 450000}, {14, 59, false, 1000}, {15, 0, false, 0},    {15, 0, true, 900000},
        {15, 1, false, 899000}, {0, 0, false, 0},      {59, 59, true, 1000}, {45, 0, true, 900000},
    };
    for (const Row& row : rows)
        EXPECT_EQ(RearmDelay(row.minute, row.second, row.handled), row.delay)
            << row.minute << ":" << row.second << " handled " << row.handled;
    EXPECT_EQ(SecondsPastQuarter(44, 59), 899);
    EXPECT_EQ(SecondsPastQuarter(30, 0), 0);
}
