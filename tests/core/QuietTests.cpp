#include "core/Quiet.h"
#include "core/Schedule.h"

#include <gtest/gtest.h>

#include <set>

namespace {
constexpr unsigned long long kHour = 3600ull * 10000000;
constexpr unsigned long long kNow = 134100000000000000ull; // a FILETIME in 2025
} // namespace

// The microphone is in use while a record has started and not stopped; a record left behind
// (over 12 hours old, or of a program or Store app that no longer runs) does not count.
TEST(Microphone, InUseOnlyWhileARecordHasStartedAndNotStopped) {
    const std::string zoom = KeyNameOf("C:\\Program Files\\Zoom\\bin\\Zoom.exe");
    const std::string gone = KeyNameOf("C:\\Crashed\\Recorder.exe");
    const std::string skype = "Microsoft.SkypeApp_kzf8qxf38zg5c", crashed = "Crashed.App_x1";
    struct Row {
        const char* what;
        std::vector<MicrophoneUse> uses;
        bool inUse;
    } rows[] = {
        {"no record", {}, false},
        {"a Store app in use, running", {{"", skype, kNow - kHour, 0}}, true},
        {"a Store app in use, crashed", {{"", crashed, kNow - kHour, 0}}, false},
        {"a classic program in use, running", {{zoom, "", kNow - kHour, 0}}, true},
        {"a classic program in use, not running", {{gone, "", kNow - kHour, 0}}, false},
        {"stopped", {{"", skype, kNow - 2 * kHour, kNow - kHour}}, false},
        {"never started", {{"", skype, 0, 0}}, false},
        {"in use for 12 hours", {{"", skype, kNow - 12 * kHour, 0}}, true},
        {"in use for over 12 hours", {{"", skype, kNow - 12 * kHour - 1, 0}}, false},
        {"started after now (the clock was set back)", {{"", skype, kNow + kHour, 0}}, true},
        {"many, one in use",
         {{"", skype, kNow - 3 * kHour, kNow - 2 * kHour},
          {gone, "", kNow - kHour, 0},
          {zoom, "", kNow, 0}},
         true},
    };
    const std::set<std::string> running = {zoom, skype};
    for (const Row& row : rows)
        EXPECT_EQ(MicrophoneInUse(row.uses, kNow,
                                  [&](const MicrophoneUse& use) {
                                      return running.count(use.program + use.package) > 0;
                                  }),
                  row.inUse)
            << row.what;
}

// A running program's path is written as the store writes key names; a "#" of its own stays.
TEST(Microphone, APathIsWrittenAsItsKeyName) {
    EXPECT_EQ(KeyNameOf("C:\\Program Files\\Zoom\\bin\\Zoom.exe"),
              "C:#Program Files#Zoom#bin#Zoom.exe");
    EXPECT_EQ(KeyNameOf("C:\\Tools\\C#\\Rec.exe"), "C:#Tools#C##Rec.exe");
}

// Do not disturb is on for "priority only" and "alarms only", and only for a record read whole.
TEST(DoNotDisturb, OnlyARecordReadWholeSaysSo) {
    struct Row {
        bool read;
        unsigned long size, value;
        bool on;
    } rows[] = {
        {true, 4, 0, false},  {true, 4, 1, true},  {true, 4, 2, true},  {true, 4, 3, false},
        {false, 4, 1, false}, {true, 2, 1, false}, {true, 8, 1, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DoNotDisturbOn(row.read, row.size, row.value), row.on)
            << row.read << " " << row.size << " " << row.value;
}

// Chosen at a moment, the snooze silences what comes in the next hour of real time; the first
// at or after its end rings. The wall clock set back a day or forward an hour changes nothing
// of that, only the time its end shows as.
TEST(Snooze, LastsAnHourOfRealTimeWhateverTheClockDoes) {
    const long long minute = 60 * 1000;
    Snooze snooze;
    snooze.Start(1000 * minute);
    for (long long at : {1000 * minute, 1015 * minute, 1059 * minute + 59999})
        EXPECT_TRUE(snooze.Silences(at)) << at;
    EXPECT_FALSE(snooze.Silences(1060 * minute));
    EXPECT_TRUE(snooze.InForce(1059 * minute));
    EXPECT_FALSE(snooze.InForce(1060 * minute));
    EXPECT_EQ(snooze.Left(1010 * minute), 50 * minute);

    struct Row {
        const char* what;
        LocalTime now; // ten minutes after it began, as the clock reads then
        int hour, minute;
    } rows[] = {
        {"the clock as it was", {14, 2, 10, 0, 1000086400, 0, 1010 * minute}, 14, 52},
        {"set back a day", {14, 2, 10, 0, 1000000000, 6, 1010 * minute}, 14, 52},
        {"set back an hour", {13, 2, 10, 0, 1000082800, 0, 1010 * minute}, 13, 52},
        {"set forward two hours", {16, 2, 10, 0, 1000093600, 0, 1010 * minute}, 16, 52},
    };
    for (const Row& row : rows) {
        const LocalTime ends = snooze.Ends(row.now);
        EXPECT_EQ(ends.hour * 60 + ends.minute, row.hour * 60 + row.minute) << row.what;
    }
    snooze.End();
    EXPECT_FALSE(snooze.Silences(1001 * minute)) << "ended at once";
    EXPECT_FALSE(snooze.InForce(1001 * minute));
}

// The days it rings on: bits from Monday; anything stored that is not seven bits is every day;
// the boxes follow the locale's first day.
TEST(Days, RingOnTheDaysCheckedInTheLocalesOrder) {
    for (int stored : {-1, 128, 1000, -5})
        EXPECT_EQ(DaysFromProfile(stored), kEveryDay) << stored;
    EXPECT_EQ(DaysFromProfile(0), 0);
    EXPECT_EQ(DaysFromProfile(31), 31);
    const int workdays = 31; // Monday to Friday
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(RingsOn(workdays, day), day < 5) << day;
    EXPECT_EQ(DayAt(0, 6), 6) << "a week from Sunday begins with it";
    EXPECT_EQ(DayAt(1, 6), 0);
    EXPECT_EQ(DayAt(6, 0), 6);
    EXPECT_EQ(DayAt(3, 5), 1);
}

// A boundary's weekday is its own local date's: 00:00 belongs to the day it begins.
TEST(Days, ABoundaryAtMidnightBelongsToTheDayItBegins) {
    ChimeSchedule schedule;
    LocalTime sunday{23, 50, 0, 0, 1000000, 6, 0};
    const Boundary midnight = schedule.Next(sunday);
    EXPECT_EQ(midnight.hour * 100 + midnight.minute, 0);
    EXPECT_EQ(midnight.weekday, 0) << "Monday";
    EXPECT_EQ(schedule.Next(LocalTime{23, 40, 0, 0, 1000000, 6, 0}).weekday, 6);
    EXPECT_EQ(LocalTimeAfter(LocalTime{0, 10, 0, 0, 1000000, 0, 0}, -20 * 60).weekday, 6)
        << "back over midnight";
}

// Nobody is there from a lock to its unlock, from a disconnect to a connect, while the display
// is off, or after the minutes without input; being locked is said before the display.
TEST(Presence, LockDisconnectDisplayAndIdleAsTheNoticesLeaveThem) {
    const struct {
        std::vector<unsigned> events;
        bool displayOff;
        unsigned long idleMs;
        QuietReason reason;
    } rows[] = {
        {{}, false, 0, QuietReason::None},
        {{7}, false, 0, QuietReason::Locked},
        {{7, 8}, false, 0, QuietReason::None},
        {{2}, false, 0, QuietReason::Locked},
        {{4, 3}, false, 0, QuietReason::None},
        {{7, 2, 8}, false, 0, QuietReason::Locked}, // unlocked, still disconnected
        {{7, 2, 8, 1}, false, 0, QuietReason::None},
        {{5, 6, 9}, false, 0, QuietReason::None}, // logon, logoff and others change nothing
        {{}, true, 0, QuietReason::DisplayOff},
        {{7}, true, 0, QuietReason::Locked},
        {{}, false, 10 * 60000 - 1, QuietReason::None},
        {{}, false, 10 * 60000, QuietReason::Away},
        {{}, true, 10 * 60000, QuietReason::DisplayOff},
    };
    for (const auto& row : rows) {
        Presence presence;
        for (unsigned event : row.events)
            presence = AfterSessionEvent(presence, event);
        presence.displayOff = row.displayOff;
        EXPECT_EQ(AwayReason(presence, row.idleMs, 10), row.reason)
            << row.events.size() << " events, idle " << row.idleMs;
    }
    EXPECT_EQ(AwayReason(Presence{}, 1u << 30, 0), QuietReason::None) << "no minutes, no away";
}
