#include "core/Chime.h"

#include <gtest/gtest.h>

TEST(ChimeTiming, TheDelayCountsToTheNextBoundaryAfterTheCurrentMinute) {
    struct Row {
        int minute, second;
        unsigned delay;
    } rows[] = {
        {0, 0, 900000},
        {7, 30, 450000},
        {14, 0, 60000},
        {14, 59, 1000},
        {15, 0, 900000},
        {30, 20, 880000},
        {59, 59, 1000},
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
    for (int second = 0; second < 3600; ++second) {
        const unsigned delay = NextQuarterDelay(second / 60, second % 60);
        ASSERT_TRUE(delay >= 1000 && delay <= 900000) << second;
        ASSERT_EQ((second + static_cast<int>(delay / 1000)) % 900, 0) << "lands on a quarter";
    }
}

// Re-arming after a clock change or a resume: the next boundary, or at once for a boundary
// that is now and was not handled; and a tick more than a minute off its boundary is stale.
TEST(ChimeTiming, ReArmingAndStaleTicks) {
    struct Row {
        int minute, second;
        bool handled;
        unsigned delay;
    } rows[] = {{7, 30, false, 450000},
                {15, 0, false, 0},
                {15, 0, true, 900000},
                {15, 1, false, 899000},
                {59, 59, true, 1000}};
    for (const Row& row : rows)
        EXPECT_EQ(RearmDelay(row.minute, row.second, row.handled), row.delay)
            << row.minute << ":" << row.second << " handled " << row.handled;
    EXPECT_EQ(SecondsPastQuarter(44, 59), 899);
    const long long b = 1796205600;
    for (long long off : {-61, 61, 25 * 60})
        EXPECT_FALSE(TickIsTimely(b, b + off)) << off;
    for (long long off : {-60, 0, 60})
        EXPECT_TRUE(TickIsTimely(b, b + off)) << off;
    EXPECT_TRUE(TickIsTimely(0, b)) << "an unknown moment is timely";
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
        ChimeChoice c = SelectChime(10, row.minute, true, row.useSame, row.disableSecondary);
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
        EXPECT_EQ(SelectChime(s.hour, 0, true, false, false).count, s.strikes) << s.hour;
        EXPECT_EQ(SelectChime(s.hour, 0, false, false, false).count, 1) << s.hour;
    }
}
