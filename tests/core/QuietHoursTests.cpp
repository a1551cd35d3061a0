#include "core/QuietHours.h"

#include <gtest/gtest.h>

namespace {
// The minutes of a day that are quiet, as a string of 1440 '0'/'1' for easy comparison.
std::string QuietMinutes(int start, int stop, int state = 1) {
    std::string day;
    for (int h = 0; h < 24; ++h)
        for (int m = 0; m < 60; ++m)
            day += InQuietHours(state, start, stop, h * 100 + m) ? '1' : '0';
    return day;
}
// Quiet from a to b inclusive (minutes of the day), wrapping past midnight when a > b.
std::string Expected(int a, int b) {
    std::string day(1440, '0');
    for (int i = a;; i = (i + 1) % 1440) {
        day[static_cast<size_t>(i)] = '1';
        if (i == b)
            break;
    }
    return day;
}
constexpr int M(int h, int m) { return h * 60 + m; }
} // namespace

TEST(QuietHoursTable, BothEndsIncludedAndTheMidnightHourMended) {
    struct Row {
        const char* label;
        int start, stop;
        std::string quiet;
    } rows[] = {
        {"10:00PM-06:30AM", 2200, 630, Expected(M(22, 0), M(6, 30))},
        {"01:00PM-02:00PM", 1300, 1400, Expected(M(13, 0), M(14, 0))},
        {"12:00AM-07:00AM", 2400, 700, Expected(M(0, 0), M(7, 0))},
        {"10:00PM-12:00AM", 2200, 2400, Expected(M(22, 0), M(0, 0))},
        {"12:30AM-06:00AM", 2430, 600, Expected(M(0, 30), M(6, 0))},
        {"09:00AM-09:00AM", 900, 900, std::string(1440, '1')},
        {"12:00AM-12:30AM", 2400, 2430, Expected(M(0, 0), M(0, 30))},
        {"12:30AM-12:00AM", 2430, 2400, Expected(M(0, 30), M(0, 0))},
        {"empty-07:00AM", 0, 700, std::string(1440, '0')},
        {"10:00PM-empty", 2200, 0, std::string(1440, '0')},
    };
    for (const Row& row : rows)
        EXPECT_TRUE(QuietMinutes(row.start, row.stop) == row.quiet) << row.label;
    // "12:30AM to 12:00AM": all day except 00:01 to 00:29.
    std::string allBut = QuietMinutes(2430, 2400);
    EXPECT_EQ(allBut.substr(1, 29), std::string(29, '0'));
    EXPECT_EQ(allBut[0], '1');
    EXPECT_EQ(allBut[30], '1');
}

TEST(QuietHoursTable, OnlyStateOneSilences) {
    for (int state : {0, 2, 3, -1})
        EXPECT_EQ(QuietMinutes(900, 900, state), std::string(1440, '0')) << state;
}
