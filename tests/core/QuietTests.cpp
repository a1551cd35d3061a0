#include "core/Quiet.h"

#include <gtest/gtest.h>

#include <set>

namespace {
constexpr unsigned long long kHour = 3600ull * 10000000;
constexpr unsigned long long kNow = 134100000000000000ull; // a FILETIME in 2025
} // namespace

// The microphone is in use while a record has started and not stopped; a record left behind
// (over 12 hours old, or of a classic program that no longer runs) does not count.
TEST(Microphone, InUseOnlyWhileARecordHasStartedAndNotStopped) {
    const std::string zoom = "C:\\Program Files\\Zoom\\bin\\Zoom.exe";
    const std::string gone = "C:\\Crashed\\Recorder.exe";
    struct Row {
        const char* what;
        std::vector<MicrophoneUse> uses;
        bool inUse;
    } rows[] = {
        {"no record", {}, false},
        {"a Store app in use", {{"", kNow - kHour, 0}}, true},
        {"a classic program in use, running", {{zoom, kNow - kHour, 0}}, true},
        {"a classic program in use, not running", {{gone, kNow - kHour, 0}}, false},
        {"stopped", {{"", kNow - 2 * kHour, kNow - kHour}}, false},
        {"never started", {{"", 0, 0}}, false},
        {"in use for 12 hours", {{"", kNow - 12 * kHour, 0}}, true},
        {"in use for over 12 hours", {{"", kNow - 12 * kHour - 1, 0}}, false},
        {"started after now (the clock was set back)", {{"", kNow + kHour, 0}}, true},
        {"many, one in use",
         {{"", kNow - 3 * kHour, kNow - 2 * kHour}, {gone, kNow - kHour, 0}, {zoom, kNow, 0}},
         true},
    };
    const std::set<std::string> running = {zoom};
    for (const Row& row : rows)
        EXPECT_EQ(MicrophoneInUse(row.uses, kNow,
                                  [&](const std::string& path) { return running.count(path) > 0; }),
                  row.inUse)
            << row.what;
    EXPECT_EQ(ProgramFromKeyName("C:#Program Files#Zoom#bin#Zoom.exe"), zoom);
}

// Chosen at a moment, the snooze silences the boundaries of the next hour; the first at or
// after its end rings.
TEST(Snooze, SilencesTheBoundariesOfTheNextHour) {
    const long long day = 20541LL * 86400;
    auto at = [&](int hour, int minute, int second = 0) {
        return day + hour * 3600LL + minute * 60 + second;
    };
    struct Row {
        long long chosen;
        std::vector<long long> silent, rings;
    } rows[] = {
        {at(13, 52), {at(14, 0), at(14, 15), at(14, 30), at(14, 45)}, {at(15, 0)}},
        {at(14, 0), {at(14, 15), at(14, 45)}, {at(15, 0), at(15, 15)}},
        {at(23, 30), {at(23, 45), at(24, 0), at(24, 15)}, {at(24, 30)}},
    };
    for (const Row& row : rows) {
        Snooze snooze;
        snooze.Start(row.chosen);
        for (long long b : row.silent)
            EXPECT_TRUE(snooze.Silences(b)) << row.chosen << " " << b;
        for (long long b : row.rings)
            EXPECT_FALSE(snooze.Silences(b)) << row.chosen << " " << b;
        EXPECT_TRUE(snooze.InForce(row.chosen + 3599));
        EXPECT_FALSE(snooze.InForce(row.chosen + 3600));
        snooze.End();
        EXPECT_FALSE(snooze.Silences(row.chosen + 60)) << "ended at once";
    }
}
