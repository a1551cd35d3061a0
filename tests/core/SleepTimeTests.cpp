#include "core/QuietHours.h"
#include "core/SleepTime.h"

#include <gtest/gtest.h>

TEST(SleepTime, TheTextsParseToTimesOrAreLeftTrimmed) {
    struct Row {
        const char* typed;
        bool ok;
        int hhmm;         // when ok
        const char* text; // after parsing: normalised when ok, trimmed when not
    } rows[] = {
        {"9:05pm", true, 2105, "09:05PM"},  {"  06:30pm \t", true, 1830, "06:30PM"},
        {"12:00am", true, 2400, "12:00AM"}, {"12:00pm", true, 1200, "12:00PM"},
        {"12:30am", true, 2430, "12:30AM"}, {"9.05 pm", true, 2105, "09:05PM"},
        {"9h05am", true, 905, "09:05AM"},   {"9:05:30pm", true, 2105, "09:05PM"},
        {"1:00aM", true, 100, "01:00AM"},   {"    ", true, 0, ""},
        {"13:00pm", false, 0, "13:00pm"},   {"0:30am", false, 0, "0:30am"},
        {"9:60pm", false, 0, "9:60pm"},     {"9:5pm", false, 0, "9:5pm"},
        {"930pm", false, 0, "930pm"},       {"9 :05pm", false, 0, "9 :05pm"},
        {"9:05", false, 0, "9:05"},         {"9:05 p.m.", false, 0, "9:05 p.m."},
        {" 12 ", false, 0, "12"},           {"9:", false, 0, "9:"},
    };
    for (const Row& row : rows) {
        SleepTimeParse r = ParseSleepTimeText(row.typed);
        EXPECT_EQ(r.ok, row.ok) << '"' << row.typed << '"';
        EXPECT_EQ(r.hhmm, row.ok ? row.hhmm : r.hhmm) << row.typed;
        EXPECT_EQ(r.text, row.text) << row.typed;
    }
}

namespace {
// The quiet minutes of a day, as 1440 '0'/'1'.
std::string QuietMinutes(int start, int stop, int state = 1) {
    std::string day;
    for (int t = 0; t < 1440; ++t)
        day += InQuietHours(state, start, stop, t / 60 * 100 + t % 60) ? '1' : '0';
    return day;
}
// Quiet from a to b inclusive (minutes of the day), past midnight when a > b.
std::string Quiet(int a, int b) {
    std::string day(1440, '0');
    for (int i = a;; i = (i + 1) % 1440) {
        day[static_cast<size_t>(i)] = '1';
        if (i == b)
            return day;
    }
}
} // namespace

// Both ends are quiet; 12 AM is stored as 24xx and means the midnight hour; a time not set
// (0) or a box not plainly on silences nothing.
TEST(QuietHours, BothEndsIncludedAndTheMidnightHourMended) {
    struct Row {
        int start, stop;
        std::string quiet;
    } rows[] = {
        {2200, 630, Quiet(22 * 60, 6 * 60 + 30)},
        {1300, 1400, Quiet(13 * 60, 14 * 60)},
        {2400, 700, Quiet(0, 7 * 60)},
        {2200, 2400, Quiet(22 * 60, 0)},
        {2430, 600, Quiet(30, 6 * 60)},
        {2430, 2400, Quiet(30, 0)},
        {900, 900, std::string(1440, '1')},
        {0, 700, std::string(1440, '0')},
        {2200, 0, std::string(1440, '0')},
    };
    for (const Row& row : rows)
        EXPECT_TRUE(QuietMinutes(row.start, row.stop) == row.quiet) << row.start << "-" << row.stop;
    for (int state : {0, 2, -1})
        EXPECT_EQ(QuietMinutes(900, 900, state), std::string(1440, '0')) << state;
}

// Inside quiet hours that run past midnight the chime takes the night volume, or keeps silent
// when they are silent; outside them the day's.
TEST(QuietHours, TheNightVolumeInsideQuietHoursThatSpanMidnight) {
    const struct {
        int t, night, volume;
    } rows[] = {
        {2159, 25, 80}, {2200, 25, 25}, {2359, 25, 25},   {0, 25, 25},  {630, 25, 25},
        {631, 25, 80},  {1200, 25, 80}, {2300, -1, -1},   {2300, 0, 0}, {2300, 101, -1},
        {300, -5, -1},  {1200, -1, 80}, {2300, 100, 100},
    };
    for (const auto& row : rows)
        EXPECT_EQ(VolumeAt(InQuietHours(1, 2200, 630, row.t), row.night, 80), row.volume)
            << row.t << " night " << row.night;
}
