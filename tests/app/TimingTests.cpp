// The chime's timing when the wall clock moves or the machine sleeps: re-arming on a clock
// change or a resume, stale ticks, and daylight-saving changes, driven through the clock seam.
#include "FakeServices.h"
#include "ModalSession.h"
#include "StoredSettings.h"
#include "Chime.h"
#include "main/ChimeDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Timing : ::testing::Test {
    InstalledFakes fakes;
    CChimeDlg dlg;
    void SetUp() override {
        ForgetStoredSettings();
        fakes.clock.Set(10, 7, 30); // armed for 10:15 when the window is created
    }
    static void SetSlots(ModalSession& run) {
        ::SetDlgItemTextA(run.hwnd(), IDC_SOUND_HOUR, "H.WAV");
        ::SetDlgItemTextA(run.hwnd(), IDC_SOUND_QUARTER_AFTER, "QA.WAV");
        ::SetDlgItemTextA(run.hwnd(), IDC_SOUND_HALF_PAST, "HP.WAV");
        ::SetDlgItemTextA(run.hwnd(), IDC_SOUND_QUARTER_TIL, "QT.WAV");
        ::SendDlgItemMessageA(run.hwnd(), IDC_MULTI, BM_SETCHECK, BST_CHECKED, 0);
    }
    std::vector<std::string> Played() const {
        std::vector<std::string> names;
        for (const auto& call : fakes.sound.Calls())
            names.push_back(call.name);
        return names;
    }
    // What the next tick rings, delivered when its timer falls due (the clock moves on by the
    // armed delay first). Returns the names played.
    std::vector<std::string> WaitForTick(ModalSession& run) {
        fakes.clock.Advance(dlg.m_nArmedDelay / 1000);
        return Tick(run);
    }
    std::vector<std::string> Tick(ModalSession& run) {
        fakes.sound.Clear();
        run.Send(WM_TIMER, ID_CHIME_TIMER);
        return Played();
    }
    static std::vector<std::string> Times(const std::string& name, size_t n) {
        return std::vector<std::string>(n, name);
    }
    std::string LocalNow() {
        LocalTime t = fakes.clock.Now();
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
        return text;
    }
};

const WPARAM kResumes[] = {PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMESUSPEND};

} // namespace

TEST_F(Timing, AResumeReArmsForTheNextRealBoundaryAndRingsNothing) {
    struct Row {
        long long sleptSeconds;        // from 10:07:30
        unsigned delay;                // armed after the resume
        std::vector<std::string> next; // what the next tick rings
    } rows[] = {
        {440, 10000, {"QA.WAV"}},                  // 10:14:50, before the boundary
        {450, 0, {"QA.WAV"}},                      // 10:15:00, at it: it still rings, once
        {1955, 295000, {"QT.WAV"}},                // 10:40:05
        {10 * 3600, 450000, {"QA.WAV"}},           // 20:07:30, long after
        {3 * 86400 + 3150, 0, Times("H.WAV", 11)}, // three days on, 11:00:00
    };
    for (WPARAM event : kResumes) {
        for (const Row& row : rows) {
            CChimeDlg dialog;
            fakes.clock.Set(10, 7, 30);
            ModalSession run(dialog);
            SetSlots(run);
            ASSERT_EQ(dialog.m_nArmedDelay, 450000u);
            fakes.clock.Advance(row.sleptSeconds);
            fakes.sound.Clear();
            fakes.tray.Clear();
            run.Send(WM_POWERBROADCAST, event);
            std::string at = LocalNow();
            EXPECT_EQ(dialog.m_nArmedDelay, row.delay) << at;
            EXPECT_TRUE(fakes.sound.Calls().empty()) << "a re-arm rings nothing, " << at;
            ASSERT_EQ(fakes.tray.Calls().size(), 1u) << "the status is refreshed, " << at;
            EXPECT_EQ(fakes.tray.Calls()[0].tip(), "CHIMO!: Active");
            fakes.clock.Advance(row.delay / 1000);
            fakes.sound.Clear();
            run.Send(WM_TIMER, ID_CHIME_TIMER);
            EXPECT_EQ(Played(), row.next) << at;
            // Another notice in the same second does not ring the boundary again.
            run.Send(WM_POWERBROADCAST, event);
            EXPECT_GE(dialog.m_nArmedDelay, 899000u) << at;
        }
    }
}

TEST_F(Timing, OtherPowerEventsLeaveTheTimerAlone) {
    ModalSession run(dlg);
    fakes.clock.Advance(60);
    int reads = fakes.clock.Reads();
    for (WPARAM event : {PBT_APMSUSPEND, PBT_APMPOWERSTATUSCHANGE, PBT_POWERSETTINGCHANGE})
        run.Send(WM_POWERBROADCAST, event);
    EXPECT_EQ(fakes.clock.Reads(), reads);
    EXPECT_EQ(dlg.m_nArmedDelay, 450000u);
}

TEST_F(Timing, AClockSetForwardOrBackRingsTheNewBoundaryOnTime) {
    struct Row {
        long long moved; // from 10:07:30
        unsigned delay;
        std::vector<std::string> next;
    } rows[] = {
        {+5 * 60, 150000, {"QA.WAV"}},                  // 10:12:30
        {-5 * 60, 750000, {"QA.WAV"}},                  // 10:02:30
        {+3 * 3600, 450000, {"QA.WAV"}},                // 13:07:30
        {-3 * 3600, 450000, {"QA.WAV"}},                // 07:07:30
        {+52 * 60 + 30, 0, Times("H.WAV", 11)},         // 11:00:00 exactly
        {-(7 * 60 + 30) - 1, 1000, Times("H.WAV", 10)}, // 09:59:59
    };
    for (const Row& row : rows) {
        CChimeDlg dialog;
        fakes.clock.Set(10, 7, 30);
        ModalSession run(dialog);
        SetSlots(run);
        fakes.clock.Advance(row.moved);
        fakes.sound.Clear();
        run.Send(WM_TIMECHANGE);
        std::string at = LocalNow();
        EXPECT_EQ(dialog.m_nArmedDelay, row.delay) << at;
        EXPECT_TRUE(fakes.sound.Calls().empty()) << at;
        fakes.clock.Advance(row.delay / 1000);
        fakes.sound.Clear();
        run.Send(WM_TIMER, ID_CHIME_TIMER);
        EXPECT_EQ(Played(), row.next) << at;
    }
}

TEST_F(Timing, RepeatedTimeChangeNoticesAreHarmless) {
    ModalSession run(dlg);
    SetSlots(run);
    fakes.clock.Advance(120); // 10:09:30
    fakes.tray.Clear();
    for (int i = 0; i < 5; ++i) {
        run.Send(WM_TIMECHANGE);
        EXPECT_EQ(dlg.m_nArmedDelay, 330000u);
    }
    EXPECT_TRUE(fakes.sound.Calls().empty());
    EXPECT_EQ(fakes.tray.Calls().size(), 5u);
    EXPECT_EQ(WaitForTick(run), std::vector<std::string>{"QA.WAV"});
}

TEST_F(Timing, ALateTickRingsOnlyWithinAMinuteOfItsBoundary) {
    struct Row {
        long long late; // seconds after 10:15:00
        bool resumeFirst;
        std::vector<std::string> played;
        unsigned delay; // armed afterwards
    } rows[] = {
        {0, false, {"QA.WAV"}, 900000},
        {45, false, {"QA.WAV"}, 855000},
        {60, false, {"QA.WAV"}, 840000},
        {120, false, {}, 780000},         // 10:17: no burst of hour strikes
        {25 * 60 + 5, false, {}, 295000}, // woke at 10:40:05, the stale timer first
        {25 * 60 + 5, true, {}, 295000},  // the same with the resume notice first
        {45 * 60, false, {}, 900000},     // 11:00:00, but the timer was for 10:15
    };
    for (const Row& row : rows) {
        CChimeDlg dialog;
        fakes.clock.Set(10, 7, 30);
        ModalSession run(dialog);
        SetSlots(run);
        fakes.clock.Advance(450 + row.late);
        if (row.resumeFirst)
            run.Send(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
        std::string at = LocalNow();
        fakes.tray.Clear();
        EXPECT_EQ(Tick(run), row.played) << at;
        EXPECT_EQ(dialog.m_nArmedDelay, row.delay) << at;
        if (row.played.empty()) {
            ASSERT_EQ(fakes.tray.Calls().size(), 1u) << "the status is still refreshed, " << at;
            EXPECT_EQ(fakes.tray.Calls()[0].tip(), "CHIMO!: Active");
        }
        EXPECT_EQ(AfxGetApp()->GetWaitCursorCount(), 0);
    }
}

// The timer is armed to the millisecond; a tick that comes a little before its boundary rings
// it, once: the next one waits for the following boundary.
TEST_F(Timing, ArmedToTheMillisecondAndAnEarlyTickRingsItsBoundaryOnce) {
    struct Row {
        int second, millisecond; // of the tick, at 10:14 (59) or 10:15 (0)
        unsigned delay;          // armed afterwards
    } rows[] = {
        {0, 0, 900000},
        {0, 20, 899980},
        {59, 950, 900050}, // 50 ms early: not 50 ms to "the next" boundary, 10:15 again
        {59, 1, 900999},
    };
    for (const Row& row : rows) {
        CChimeDlg dialog;
        fakes.clock.Set(10, 7, 30);
        fakes.clock.SetMillisecond(700);
        ModalSession run(dialog);
        EXPECT_EQ(dialog.m_nArmedDelay, 449300u);
        SetSlots(run);
        fakes.clock.Set(10, row.second ? 14 : 15, row.second);
        fakes.clock.SetMillisecond(row.millisecond);
        std::string at = LocalNow() + "." + std::to_string(row.millisecond);
        EXPECT_EQ(Tick(run), Times("QA.WAV", 1)) << at;
        EXPECT_EQ(dialog.m_nArmedDelay, row.delay) << at;
        fakes.clock.Advance(dialog.m_nArmedDelay / 1000);
        EXPECT_EQ(Tick(run), Times("HP.WAV", 1)) << "the next tick is the half hour, " << at;
    }
    fakes.clock.SetMillisecond(0);
}

// A simulated day in zones with whole-hour, half-hour and 45-minute offsets, across their
// daylight-saving changes: every tick lands on a local quarter hour and rings it, and the hour
// count follows the local clock.
TEST_F(Timing, EveryTickOfADayAcrossAnOffsetChangeLandsOnALocalQuarter) {
    const long long day = FakeClock::DaysFromCivil(2026, 3, 29) * 86400;
    struct Zone {
        const char* name;
        int before, after;   // offsets from UTC, seconds
        long long changeUtc; // the moment of the change, a local quarter hour
    } zones[] = {
        {"Europe, spring forward at 02:00", 3600, 7200, day + 1 * 3600},
        {"Europe, fall back at 03:00", 7200, 3600, day + 1 * 3600},
        {"Lord Howe, +30 min at 02:00", 37800, 39600, day - 8 * 3600 - 1800},
        {"Lord Howe, -30 min at 02:00", 39600, 37800, day - 9 * 3600},
        {"Chatham, +1 h at 02:45", 45900, 49500, day - 10 * 3600},
        {"Nepal, no change", 20700, 20700, day},
        {"Newfoundland, +1 h at 02:00", -12600, -9000, day + 5 * 3600 + 1800},
    };
    for (const Zone& zone : zones) {
        SCOPED_TRACE(zone.name);
        FakeClock clock; // in the zone, from 6 h 7 min 30 s before its change
        clock.ChangeOffsetAt(LLONG_MIN / 2, zone.before);
        clock.ChangeOffsetAt(zone.changeUtc, zone.after);
        clock.Advance(zone.changeUtc - clock.Utc() - 6 * 3600 - 450);
        AfxGetApp()->SetClock(&clock);
        CChimeDlg dialog;
        ModalSession run(dialog);
        SetSlots(run);
        const long long first = clock.Utc();
        int changed = 0;
        for (int i = 0; i < 24 * 4; ++i) {
            clock.Advance(dialog.m_nArmedDelay / 1000);
            LocalTime at = clock.Now();
            changed += at.utc >= zone.changeUtc;
            fakes.sound.Clear();
            run.Send(WM_TIMER, ID_CHIME_TIMER);
            char when[16];
            std::snprintf(when, sizeof when, "%02d:%02d:%02d", at.hour, at.minute, at.second);
            ASSERT_EQ(at.second, 0) << when;
            ASSERT_EQ(at.minute % 15, 0) << when;
            size_t expected =
                at.minute == 0 ? static_cast<size_t>(at.hour % 12 ? at.hour % 12 : 12) : 1u;
            ASSERT_EQ(fakes.sound.Calls().size(), expected) << when;
        }
        // The first quarter 7 min 30 s on, then 95 more a quarter hour apart: no tick skipped
        // a quarter, none rang one twice.
        EXPECT_EQ(clock.Utc() - first, 450 + 95 * 15 * 60);
        EXPECT_GT(changed, 0) << "the day crossed the change";
    }
    AfxGetApp()->SetClock(&fakes.clock);
}
