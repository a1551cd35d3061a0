// The tray icon and the quarter-hour chime, with the clock, sound and tray faked.
#include "app/InstanceTakeover.h"
#include "core/Quiet.h"
#include "core/Texts.h"
#include "tests/support/English.h"
#include "sound/SoundPlayer.h"
#include "tests/support/ChimoTest.h"

#include <algorithm>
#include <functional>
#include <wtsapi32.h>
#include <cmath>
#include <atomic>
#include <cstring>
#include <fstream>
#include <string>

namespace {
// How long before its boundary a tick is armed when the chime has no lead-in.
constexpr unsigned kHeadStart = 100;
using Files = std::vector<std::string>;
Files Times(const char* name, size_t n) { return Files(n, name); }

// The 16-bit samples a device was given.
std::vector<int16_t> Samples(const FakePlatform::Sound& sound) {
    std::vector<int16_t> samples(sound.samples.size() / 2);
    std::memcpy(samples.data(), sound.samples.data(), samples.size() * 2);
    return samples;
}

} // namespace

TEST_F(ChimoTest, TheStartAddsTheIconArmsForTheNextQuarterAndStaysSilentAndHidden) {
    // What the user is typing in keeps the keyboard.
    const HWND typing = ::CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                          200, 100, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(typing);
    Start();
    auto added = fake.Tray(NIM_ADD);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].hWnd, run->hwnd());
    EXPECT_EQ(added[0].uID, ID_TRAY_ICON);
    EXPECT_EQ(added[0].uFlags, static_cast<UINT>(NIF_ICON | NIF_MESSAGE | NIF_TIP | NIF_SHOWTIP));
    EXPECT_EQ(added[0].uCallbackMessage, WM_TRAY_NOTIFY);
    EXPECT_GE(added[0].cbSize, offsetof(NOTIFYICONDATAW, uVersion) + sizeof(UINT));
    auto versions = fake.Tray(NIM_SETVERSION);
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions[0].uVersion, static_cast<UINT>(NOTIFYICON_VERSION_4));
    EXPECT_EQ(Utf8(added[0].szTip), kTipActive);
    EXPECT_EQ(added[0].hIcon, dlg->m_tray.Icon(IDI_TRAY_ACTIVE));
    EXPECT_EQ(Armed(), 450000u - kHeadStart) << "10:07:30 waits for 10:15:00";
    EXPECT_TRUE(fake.Sounds().empty());
    run->SettleUntil([&] { return !::IsWindowVisible(run->hwnd()); });
    EXPECT_FALSE(::IsWindowVisible(run->hwnd()));
    const auto events = run->Events();
    EXPECT_EQ(events.front(), "show") << "the loop asks once";
    EXPECT_EQ(std::count(events.begin(), events.end(), "visible"), 0) << "never shown, not once";
    EXPECT_EQ(std::count(events.begin(), events.end(), "active"), 0);
    EXPECT_EQ(::GetForegroundWindow(), typing);
    ::DestroyWindow(typing);

    // A new taskbar gets the icon back with the current status; not once the program ends.
    run->Command(IDC_DISABLE);
    fake.Clear();
    run->Send(::RegisterWindowMessageA("TaskbarCreated"));
    ASSERT_EQ(fake.Tray(NIM_ADD).size(), 1u);
    EXPECT_EQ(Utf8(fake.Tray(NIM_ADD)[0].szTip), kTipDisabled);
    EXPECT_EQ(fake.Tray(NIM_SETVERSION).size(), 1u) << "the new icon keeps the protocol";
    dlg->HideAndSave();
    fake.Clear();
    run->Send(::RegisterWindowMessageA("TaskbarCreated"));
    EXPECT_TRUE(fake.Tray(NIM_ADD).empty());
}

TEST_F(ChimoTest, TheProfileSwitchSuppressesTheIconButNotTheChime) {
    AfxGetApp()->WriteProfileInt("Special", "Disable_Tray_Icon", 1);
    Start();
    SetSlots();
    run->Send(::RegisterWindowMessageA("TaskbarCreated"));
    EXPECT_EQ(TickAt(10, 15), Files{"QA.WAV"});
    EXPECT_TRUE(fake.Tray(NIM_ADD).empty());
}

// Every status icon is exactly the small-icon size of the display scale, from the image drawn
// for that size. at-each-dpi.sh runs it again at 120, 144 and 192 DPI.
TEST_F(ChimoTest, TrayIconsAreDrawnForTheDisplayScale) {
    Start();
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    for (UINT id : {IDI_TRAY_ACTIVE, IDI_TRAY_DISABLED, IDI_TRAY_SLEEPING, IDI_TRAY_RINGING}) {
        SCOPED_TRACE(std::to_string(id) + " at " + std::to_string(size) + " pixels");
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(dlg->m_tray.Icon(id), &info));
        BITMAP bitmap{};
        ::GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmHeight, size);
        EXPECT_EQ(bitmap.bmBitsPixel, 32) << "the alpha image, not the 16-colour one";
    }
}

// A tick plays its quarter's slot (the full choice table is tested natively), under the
// ringing status and the busy cursor, and puts both back.
TEST_F(ChimoTest, TicksPlayTheSlotOfTheirQuarterWhileTheTrayShowsRinging) {
    struct Row {
        int hour, minute;
        bool multi, useSame;
        Files played;
    } rows[] = {
        {0, 0, true, false, Times("H.WAV", 12)}, {13, 0, true, false, Times("H.WAV", 1)},
        {10, 0, false, false, {"H.WAV"}},        {10, 15, false, false, {"QA.WAV"}},
        {10, 30, false, false, {"HP.WAV"}},      {10, 45, false, false, {"QT.WAV"}},
        {10, 45, false, true, {"QA.WAV"}},
    };
    Start();
    SetSlots();
    HCURSOR wait = ::LoadCursorA(nullptr, IDC_WAIT), during = nullptr;
    // The sound plays on a thread of its own: it reads the cursor of the window's input.
    const DWORD window = ::GetWindowThreadProcessId(run->hwnd(), nullptr);
    fake.onPlay = [&](const FakePlatform::Sound&) {
        ::AttachThreadInput(::GetCurrentThreadId(), window, TRUE);
        during = ::GetCursor();
        ::AttachThreadInput(::GetCurrentThreadId(), window, FALSE);
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.hour) + ":" + std::to_string(row.minute));
        run->SetCheck(IDC_MULTI, row.multi);
        run->SetCheck(IDC_USE_SAME, row.useSame);
        EXPECT_EQ(TickAt(row.hour, row.minute), row.played);
        for (const FakePlatform::Sound& sound : fake.Sounds())
            EXPECT_EQ(sound.flags, static_cast<DWORD>(SND_FILENAME | SND_NODEFAULT)) << "in turn";
        EXPECT_EQ(during, wait);
        EXPECT_EQ(Tips(), (Files{kTipActive, kTipRinging, kTipActive}));
        auto records = fake.Tray(NIM_MODIFY);
        EXPECT_EQ(records[1].hIcon, dlg->m_tray.Icon(IDI_TRAY_RINGING));
        EXPECT_EQ(records[2].hIcon, dlg->m_tray.Icon(IDI_TRAY_ACTIVE));
    }
    // The busy cursor ended with the tick: an async Play afterwards runs under the normal one.
    fake.Clear();
    during = wait;
    run->Command(IDC_PLAY_HOUR);
    EXPECT_EQ(fake.Files(), Files{"H.WAV"});
    EXPECT_NE(during, wait);
}

// The status and the chime: Disabled over Sleeping over Active. Quiet hours 10:00pm to 06:30am.
TEST_F(ChimoTest, TheStatusIsDisabledOverSleepingOverActiveAndOnlyActiveRings) {
    struct Row {
        bool disabled;
        int hour, minute;
        const char* tip;
        UINT icon;
        size_t played;
    } rows[] = {
        {false, 21, 45, kTipActive, IDI_TRAY_ACTIVE, 1},
        {false, 22, 0, kTipSleeping, IDI_TRAY_SLEEPING, 0},
        {false, 6, 30, kTipSleeping, IDI_TRAY_SLEEPING, 0},
        {false, 6, 45, kTipActive, IDI_TRAY_ACTIVE, 1},
        {true, 23, 0, kTipDisabled, IDI_TRAY_DISABLED, 0},
        {true, 12, 0, kTipDisabled, IDI_TRAY_DISABLED, 0},
    };
    Start();
    SetSlots();
    run->SetText(IDC_SLEEP_START, "10:00pm");
    run->SetText(IDC_SLEEP_STOP, "6:30am");
    run->Command(ID_SLEEP); // from the tray menu, hidden: on at once
    for (const Row& row : rows) {
        SCOPED_TRACE(row.tip + std::string(" at ") + std::to_string(row.hour));
        if ((run->Check(IDC_DISABLE) == BST_CHECKED) != row.disabled)
            run->Command(IDC_DISABLE);
        EXPECT_EQ(TickAt(row.hour, row.minute).size(), row.played);
        auto records = fake.Tray(NIM_MODIFY);
        ASSERT_FALSE(row.disabled ? !records.empty() : records.empty())
            << "a disabled tick leaves the tray alone";
        run->Send(WM_TIMECHANGE);
        records = fake.Tray(NIM_MODIFY);
        EXPECT_EQ(Utf8(records.back().szTip), row.tip);
        EXPECT_EQ(records.back().hIcon, dlg->m_tray.Icon(row.icon));
        EXPECT_EQ(Armed(), 900000u - kHeadStart) << "re-armed all the same";
    }
}

// Over a presentation, a full-screen program or Windows' Do not disturb the due quarter keeps
// quiet, and until a quarter rings the tooltip says when and why; any other answer, and a
// failure to read one, rings. With the box off, every one rings. (Which records of Do not
// disturb say so is tested natively.)
TEST_F(ChimoTest, NoChimeOverAFullScreenProgramOrDoNotDisturbAndTheTooltipSaysWhy) {
    struct Row {
        HRESULT result;
        QUERY_USER_NOTIFICATION_STATE state;
        HRESULT dnd;
        ULONG size;
        DWORD value;
        const char* why; // nullptr: it rings
    } rows[] = {
        {S_OK, QUNS_BUSY, E_NOTIMPL, 4, 0, "a full-screen program"},
        {S_OK, QUNS_RUNNING_D3D_FULL_SCREEN, E_NOTIMPL, 4, 0, "a full-screen program"},
        {S_OK, QUNS_PRESENTATION_MODE, E_NOTIMPL, 4, 0, "a presentation"},
        {S_OK, QUNS_ACCEPTS_NOTIFICATIONS, E_NOTIMPL, 4, 0, nullptr},
        {S_OK, QUNS_QUIET_TIME, E_NOTIMPL, 4, 0, nullptr},
        {S_OK, QUNS_NOT_PRESENT, E_NOTIMPL, 4, 0, nullptr},
        {E_FAIL, QUNS_BUSY, E_NOTIMPL, 4, 0, nullptr},
        {S_OK, QUNS_ACCEPTS_NOTIFICATIONS, S_OK, 4, 1, "Do not disturb"},
        {S_OK, QUNS_ACCEPTS_NOTIFICATIONS, S_OK, 4, 0, nullptr},
        {S_OK, QUNS_ACCEPTS_NOTIFICATIONS, E_FAIL, 4, 1, nullptr},
    };
    for (int whenBusy : {-1, 1}) {
        Stop(); // which saves the profile
        if (whenBusy == 1)
            AfxGetApp()->WriteProfileInt("Special", "Chime_When_Busy", 1);
        Start();
        SetSlots();
        for (const Row& row : rows) {
            SCOPED_TRACE(std::to_string(whenBusy) + ": state " + std::to_string(row.state) +
                         ", Do not disturb " + std::to_string(row.value));
            fake.userResult = row.result;
            fake.userState = row.state;
            fake.dndResult = row.dnd;
            fake.dndSize = row.size;
            fake.dndValue = row.value;
            const bool quiet = row.why && whenBusy != 1;
            EXPECT_EQ(TickAt(10, 15).size(), quiet ? 0u : 1u);
            EXPECT_EQ(Tips().back(),
                      quiet ? std::string(kTipActive) + "; quiet at 10:15 AM (" + row.why + ")"
                            : kTipActive);
        }
    }
    EXPECT_EQ(AfxGetApp()->GetProfileInt("Special", "Chime_When_Busy", -1), 1);
}

// A quarter on a day that is not checked keeps quiet and the tray says Sleeping (Disabled
// still says Disabled); the day is the boundary's own, so 00:00 belongs to the day it begins.
// The boxes keep what OK saves.
TEST_F(ChimoTest, OnlyTheDaysCheckedRing) {
    constexpr int kSunday = 1 << 6; // the fake's date, 2026-03-29, is a Sunday
    AfxGetApp()->WriteProfileInt("Options", "Days", kEveryDay & ~kSunday);
    Start();
    SetSlots();
    EXPECT_TRUE(TickAt(10, 15).empty());
    EXPECT_EQ(Tips().back(), kTipSleeping);
    run->Command(IDC_DISABLE);
    EXPECT_EQ(Tips().back(), kTipDisabled);
    run->Command(IDC_DISABLE);
    EXPECT_TRUE(TickAt(0, 0).empty()) << "Sunday's midnight";
    fake.SetTime(23, 59, 59);
    run->Send(WM_TIMECHANGE);
    fake.Advance(1);
    EXPECT_EQ(Tick(), Files{"H.WAV"}) << "Monday's";
    EXPECT_EQ(Tips().back(), kTipActive);

    // Sunday alone, from its box.
    fake.Advance(-86400);
    Show();
    for (int id = IDC_DAY_FIRST; id <= IDC_DAY_LAST; ++id) {
        char day[32] = "";
        ::GetDlgItemTextA(run->hwnd(), id, day, sizeof day);
        run->SetCheck(id, std::string(day) == "Sun" ? BST_UNCHECKED : BST_CHECKED);
        Click(id); // and back: a click toggles it
    }
    run->Command(IDOK);
    EXPECT_EQ(AfxGetApp()->GetProfileInt("Options", "Days", -1), kSunday);
    SetSlots();
    EXPECT_EQ(TickAt(10, 30), Files{"HP.WAV"});
}

// A call silences the chime as a full-screen program does: the system's record of microphone
// use, read as it stands in the registry, for a program that is running. (Which records say
// "in use", and how a path is written as a key name, are tested natively.)
TEST_F(ChimoTest, NoChimeWhileAProgramIsUsingTheMicrophone) {
    const std::string store = "Software\\Microsoft\\Windows\\CurrentVersion\\"
                              "CapabilityAccessManager\\ConsentStore\\microphone";
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH); // a classic program that is running
    std::string running = self;
    std::replace(running.begin(), running.end(), '\\', '#');
    const unsigned long long hourAgo = (20541ull * 86400 + 11644473600ull + 9 * 3600) * 10000000;
    std::string cyrillic; // 150 characters
    for (int i = 0; i < 15; ++i)
        cyrillic += "Приложение";
    fake.packages = {"Microsoft.SkypeApp_kzf8qxf38zg5c", cyrillic};
    struct Row {
        const char* what;
        std::string key;
        DWORD type;
        bool quiet;
    } rows[] = {
        {"a Store app in use", "Microsoft.SkypeApp_kzf8qxf38zg5c", REG_QWORD, true},
        {"a Store app in use that crashed", "Crashed.App_x1", REG_QWORD, false},
        {"one named in 300 bytes of UTF-8", cyrillic, REG_QWORD, true},
        {"a program that has ended", "NonPackaged\\C:#Gone#Recorder.exe", REG_QWORD, false},
        {"values of another type", "Microsoft.SkypeApp_kzf8qxf38zg5c", REG_DWORD, false},
        {"this program in use", "NonPackaged\\" + running, REG_QWORD, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, store.c_str());
        CRegKey key;
        key.Create(HKEY_CURRENT_USER, (store + "\\" + row.key).c_str());
        const unsigned long long times[] = {hourAgo, 0};
        const DWORD size = row.type == REG_QWORD ? 8 : 4;
        ::RegSetValueExA(key, "LastUsedTimeStart", 0, row.type,
                         reinterpret_cast<const BYTE*>(times), size);
        ::RegSetValueExA(key, "LastUsedTimeStop", 0, row.type,
                         reinterpret_cast<const BYTE*>(times + 1), size);
        Start();
        SetSlots();
        EXPECT_EQ(TickAt(10, 15).size(), row.quiet ? 0u : 1u);
        if (row.quiet) {
            EXPECT_EQ(Tips().back(), std::string(kTipActive) + "; quiet at 10:15 AM (a call)");
        }
    }
    Click(IDC_QUIET_WHEN_BUSY); // the box rings through the last, as Chime_When_Busy=1 does
    EXPECT_EQ(TickAt(10, 30).size(), 1u);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, store.c_str());
}

// "Silence for an hour" chosen again, or Disable, ends the silence at once; the icon sleeps
// meanwhile. (Its hour is tested natively; the quarter it keeps quiet from outside.)
TEST_F(ChimoTest, SilenceForAnHourEndsWhenChosenAgainOrOnDisable) {
    Start();
    fake.Clear();
    for (UINT command : {ID_SNOOZE, ID_SNOOZE, ID_SNOOZE, IDC_DISABLE, IDC_DISABLE})
        run->Command(command);
    const Files tips = Tips();
    ASSERT_EQ(tips.size(), 5u);
    EXPECT_EQ(tips[0].rfind(kTipSilentUntil, 0), 0u) << tips[0];
    EXPECT_EQ(Files(tips.begin() + 1, tips.end()),
              (Files{kTipActive, tips[0], kTipDisabled, kTipActive}));
    EXPECT_EQ(fake.Tray(NIM_MODIFY)[0].hIcon, dlg->m_tray.Icon(IDI_TRAY_SLEEPING));
}

TEST_F(ChimoTest, ALongChimeReArmsForTheBoundaryAfterItEnds) {
    Start();
    SetSlots();
    run->SetCheck(IDC_MULTI, BST_CHECKED);
    fake.onPlay = [this](const FakePlatform::Sound&) { fake.Advance(80); };
    EXPECT_EQ(TickAt(12, 0).size(), 12u);
    // Twelve 80-second strikes end at 12:16:00: the 12:15 quarter is gone, next is 12:30.
    EXPECT_EQ(Armed(), 14u * 60 * 1000 - kHeadStart);
}

// Timers count elapsed time: after a resume or a clock change the timer aims at the next real
// boundary (a boundary that is now rings at once), rings nothing itself, and a tick long after
// its boundary rings nothing. The delays themselves are tested natively.
TEST_F(ChimoTest, ResumesClockChangesAndLateTicksAimAtTheRealBoundary) {
    struct Row {
        UINT message;
        WPARAM event;
        long long moved; // from 10:07:30
        unsigned delay;  // armed afterwards
        Files next;      // what the next tick rings
    } rows[] = {
        {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 440, 10000, {"QA.WAV"}},
        {WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 3 * 86400 + 3150, 0, Times("H.WAV", 11)},
        {WM_POWERBROADCAST, PBT_APMSUSPEND, 60, 450000, {}}, // not a resume: left alone
        {WM_TIMECHANGE, 0, -(7 * 60 + 30) - 1, 1000, Times("H.WAV", 10)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.message) + " after " + std::to_string(row.moved) + " s");
        fake.SetTime(10, 7, 30);
        Start();
        SetSlots();
        run->SetCheck(IDC_MULTI, BST_CHECKED);
        fake.Advance(row.moved);
        fake.Clear();
        run->Send(row.message, row.event);
        run->Send(row.message, row.event); // repeated notices are harmless
        EXPECT_EQ(Armed(), row.delay ? row.delay - kHeadStart : USER_TIMER_MINIMUM);
        EXPECT_TRUE(fake.Sounds().empty());
        if (row.next.empty())
            continue;
        fake.Advance(row.delay / 1000);
        EXPECT_EQ(Tick(), row.next);
    }
    // The timer of 10:15 falls due at 10:17 (a busy machine, an unannounced clock change): no
    // burst of strikes, only the status.
    fake.SetTime(10, 7, 30);
    Start();
    SetSlots();
    fake.Advance(450 + 120);
    EXPECT_EQ(Tick(), Files{});
    EXPECT_EQ(Tips(), Files{kTipActive});
    EXPECT_EQ(Armed(), 780000u - kHeadStart);
}

TEST_F(ChimoTest, ArmedToTheMillisecondAndAnEarlyTickRingsItsBoundaryOnce) {
    fake.SetTime(10, 7, 30, 700);
    Start();
    SetSlots();
    EXPECT_EQ(Armed(), 449300u - kHeadStart);
    fake.SetTime(10, 14, 59, 950); // 50 ms early
    EXPECT_EQ(Tick(), Files{"QA.WAV"});
    EXPECT_EQ(Armed(), 900050u - kHeadStart) << "10:30, not 10:15 again";
    fake.Advance(Armed() / 1000);
    EXPECT_EQ(Tick(), Files{"HP.WAV"});
    // Another timer of the window is no chime tick.
    fake.Clear();
    run->Send(WM_TIMER, ID_CHIME_TIMER + 7);
    EXPECT_TRUE(fake.Sounds().empty());
}

// With the box on, a quarter keeps quiet while nobody is there: the session locked or
// disconnected (from the system's notices), the display off (its power setting), or no input
// for the minutes asked (read at the quarter); the tooltip says which. Tell the time on its
// key still strikes. With the box off, all of it rings.
TEST_F(ChimoTest, QuietWhileNobodyIsThere) {
    AfxGetApp()->WriteProfileInt("Options", "Quiet_When_Away", 1);
    AfxGetApp()->WriteProfileInt("Options", "Away_Minutes", 5);
    Start();
    SetSlots();
    EXPECT_EQ(fake.watching, run->hwnd()) << "asked to be told of the session and the display";
    const auto display = [&](DWORD state, const GUID& setting) {
        struct {
            POWERBROADCAST_SETTING head;
            BYTE rest[3];
        } record{};
        record.head.PowerSetting = setting;
        record.head.DataLength = sizeof(DWORD);
        std::memcpy(record.head.Data, &state, sizeof state);
        run->Send(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&record));
    };
    const struct Row {
        std::function<void()> change;
        const char* why; // nullptr: it rings
    } rows[] = {
        {[&] { run->Send(WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1); }, "locked"},
        {[&] { run->Send(WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 1); }, nullptr},
        {[&] { run->Send(WM_WTSSESSION_CHANGE, WTS_REMOTE_DISCONNECT, 1); }, "locked"},
        {[&] { run->Send(WM_WTSSESSION_CHANGE, WTS_REMOTE_CONNECT, 1); }, nullptr},
        {[&] { display(0, kDisplayStateSettings[0]); }, "display off"},
        {[&] { display(2, kDisplayStateSettings[0]); }, nullptr}, // dimmed is on
        {[&] { display(0, kDisplayStateSettings[2]); }, "display off"},
        {[&] { display(1, kDisplayStateSettings[2]); }, nullptr},
        {[&] { fake.idleMs = 5 * 60000 - 1; }, nullptr},
        {[&] { fake.idleMs = 5 * 60000; }, "away"},
        {[&] { fake.idleMs = 0; }, nullptr},
    };
    for (const Row& row : rows) {
        row.change();
        SCOPED_TRACE(row.why ? row.why : "there");
        EXPECT_EQ(TickAt(10, 15).size(), row.why ? 0u : 1u);
        EXPECT_EQ(Tips().back(),
                  row.why ? std::string(kTipActive) + "; quiet at 10:15 AM (" + row.why + ")"
                          : kTipActive);
    }
    run->Send(WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1);
    fake.Clear();
    run->Send(WM_HOTKEY, 1);
    AfterChime();
    EXPECT_FALSE(fake.Sounds().empty()) << "the key tells the time all the same";
    ::CheckDlgButton(run->hwnd(), IDC_QUIET_WHEN_AWAY, BST_UNCHECKED);
    EXPECT_EQ(TickAt(10, 15).size(), 1u) << "the box off: locked or not, it rings";
}

// Quieter quiet hours ring every quarter at the night volume, and the tray says until when;
// silent ones (the stored -1) keep quiet as Sleeping; a day not checked stays silent.
TEST_F(ChimoTest, QuieterQuietHoursRingAtTheNightVolume) {
    const std::string tone = "C:\\CHIMO-NIGHT.WAV";
    WriteWav(tone, {20000, -20000});
    AfxGetApp()->WriteProfileInt("Options", "Sleep_Volume", 25);
    Start();
    run->SetText(IDC_SOUND_HOUR, tone);
    run->SetText(IDC_SLEEP_START, "10:00pm");
    run->SetText(IDC_SLEEP_STOP, "7:00am");
    run->Command(ID_SLEEP);
    // The first sample each quarter played, or 0 for none.
    const auto first = [&](int hour) {
        TickAt(hour, 0);
        const auto sounds = fake.Sounds();
        return sounds.empty() || sounds.back().samples.size() < 2
                   ? 0
                   : static_cast<int16_t>(sounds.back().samples[0] | sounds.back().samples[1] << 8);
    };
    EXPECT_EQ(first(23), 5000) << "a quarter of the volume";
    run->Send(WM_TIMECHANGE);
    EXPECT_EQ(Tips().back(), "CHIMO!: Active (quieter until 7:00 AM)");
    EXPECT_EQ(fake.Tray(NIM_MODIFY).back().hIcon, dlg->m_tray.Icon(IDI_TRAY_ACTIVE));
    EXPECT_EQ(first(12), 20000) << "the day's volume outside the quiet hours";
    EXPECT_EQ(first(3), 5000) << "past midnight";

    AfxGetApp()->WriteProfileInt("Options", "Sleep_Volume", -1);
    run->Command(IDCANCEL);
    run->SetText(IDC_SOUND_HOUR, tone);
    EXPECT_EQ(first(23), 0) << "silent quiet hours";
    run->Send(WM_TIMECHANGE);
    EXPECT_EQ(Tips().back(), kTipSleeping);
}

// A spaced pattern's strikes are one sound, each strike on its moment whatever the sound's
// length: at 3:00 with Multi-CHIMO! four quarter strikes 0.6 s apart and three hours a second
// apart after them; ship's bells in pairs at 6:30, nothing at 6:15; and Tell the time as the
// ship's clock strikes.
TEST_F(ChimoTest, ASpacedPatternStrikesEachBellOnItsMoment) {
    const std::string quarter = "C:\\CHIMO-Q.WAV", hour = "C:\\CHIMO-H.WAV";
    std::vector<int16_t> q(30000, 0), h(30000, 0); // each longer than its spacing
    q[0] = 8000, h[0] = -8000;
    WriteWav(quarter, q);
    WriteWav(hour, h);
    AfxGetApp()->WriteProfileInt("Options", "Multi_Chimo", 1);
    AfxGetApp()->WriteProfileInt("Options", "Pattern", 1);
    Start();
    run->SetText(IDC_SOUND_HOUR, hour);
    run->SetText(IDC_SOUND_QUARTER_AFTER, quarter);
    // The moments where a strike starts, in ms, and which: +1 the quarter bell, -1 the hour's.
    const auto struck = [&]() {
        std::vector<std::pair<long, int>> strikes;
        const auto sounds = fake.Sounds();
        if (sounds.empty())
            return strikes;
        const std::vector<uint8_t>& bytes = sounds.back().samples;
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
            const int16_t v = static_cast<int16_t>(bytes[i] | bytes[i + 1] << 8);
            if (v > 4000 || v < -4000)
                strikes.push_back({std::lround(i / 2 * 1000.0 / 22050), v > 0 ? 1 : -1});
        }
        return strikes;
    };
    using Strikes = std::vector<std::pair<long, int>>;
    TickAt(3, 0);
    EXPECT_EQ(
        struck(),
        (Strikes{{0, 1}, {600, 1}, {1200, 1}, {1800, 1}, {2800, -1}, {3800, -1}, {4800, -1}}));
    TickAt(3, 30);
    EXPECT_EQ(struck(), (Strikes{{0, 1}, {600, 1}}));

    AfxGetApp()->WriteProfileInt("Options", "Pattern", 2);
    run->Command(IDCANCEL); // loads the profile again, and the slots as stored
    run->SetText(IDC_SOUND_HOUR, hour);
    TickAt(6, 30);
    EXPECT_EQ(struck(), (Strikes{{0, -1}, {500, -1}, {2000, -1}, {2500, -1}, {4000, -1}}));
    TickAt(6, 15);
    EXPECT_TRUE(struck().empty()) << "ship's bells keep the quarters quiet";
    fake.SetTime(6, 40, 0);
    fake.Clear();
    run->Command(ID_TELL_TIME);
    AfterChime();
    EXPECT_EQ(struck(), (Strikes{{0, -1}, {500, -1}, {2000, -1}, {2500, -1}, {4000, -1}}))
        << "the bells of the last half hour";
}

// The chime plays the file's samples at its own volume, from memory. With the lead-in on, the
// tick comes that much earlier and the first note starts on the boundary after the silence
// (the first strike only); a file that cannot be scaled plays at its own level, on the
// boundary.
TEST_F(ChimoTest, TheChimePlaysAtItsOwnVolumeAfterTheLeadIn) {
    const std::string tone = "C:\\CHIMO-TONE.WAV", packed = "C:\\CHIMO-ADPCM.WAV";
    WriteWav(tone, {1000, -1000, 333, -333});
    WriteWav(packed, {1000, -1000}, true);
    AfxGetApp()->WriteProfileInt("Options", "Volume", 50);
    AfxGetApp()->WriteProfileInt("Options", "Wake_Speakers", 1);
    AfxGetApp()->WriteProfileInt("Special", "Lead_In_Ms", 500);
    Start();
    run->SetText(IDC_SOUND_HOUR, tone);
    run->SetText(IDC_SOUND_QUARTER_AFTER, tone);
    run->SetText(IDC_SOUND_HALF_PAST, packed);
    run->SetCheck(IDC_MULTI, BST_CHECKED);
    const std::vector<int16_t> scaled = {500, -500, 166, -166};
    struct Row {
        int hour, minute; // the boundary
        unsigned early;   // how long before it the tick is armed
        unsigned late;    // and how much later it comes
        size_t strikes;
        size_t leadIn; // samples
    } rows[] = {
        {10, 15, 600, 0, 1, 22050 / 2}, // 500 ms
        {12, 0, 600, 0, 12, 22050 / 2},
        {12, 30, 100, 0, 1, 0},
        {13, 15, 600, 300, 1, 22050 * 3 / 10}, // what is left of it
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.hour) + ":" + std::to_string(row.minute));
        fake.SetTime(row.hour, row.minute, 0);
        fake.Advance(-60);
        run->Send(WM_TIMECHANGE);
        EXPECT_EQ(Armed(), 60000 - row.early);
        fake.SetTime(row.hour - (row.minute ? 0 : 1), (row.minute + 59) % 60, 59,
                     static_cast<int>(1000 - row.early + row.late));
        Tick();
        const auto sounds = fake.Sounds();
        ASSERT_EQ(sounds.size(), 1u);
        if (row.early == 100) {
            EXPECT_EQ(Samples(sounds[0]), (std::vector<int16_t>{1000, -1000}))
                << "its own level, no lead-in";
            continue;
        }
        // One sound: the lead-in and the first strike, then each strike after the one before.
        std::vector<int16_t> expected(row.leadIn, 0);
        for (size_t i = 0; i < row.strikes; ++i)
            expected.insert(expected.end(), scaled.begin(), scaled.end());
        EXPECT_EQ(sounds[0].blocks.size(), row.strikes);
        EXPECT_EQ(Samples(sounds[0]), expected);
    }
    ::DeleteFileA(tone.c_str());
    ::DeleteFileA(packed.c_str());
}

// The chime's sound is read when the timer is armed, and read again at the tick when the file
// has changed since; a file over 16 MB is never read into memory: it plays as named.
TEST_F(ChimoTest, AChangedFileIsReadAgainAndAHugeOnePlaysAsNamed) {
    const std::string tone = "C:\\CHIMO-CHANGING.WAV";
    WriteWav(tone, {1000, -1000});
    Start();
    run->SetText(IDC_SOUND_QUARTER_AFTER, tone);
    run->SetText(IDC_SOUND_HALF_PAST, tone);
    run->Send(WM_TIMECHANGE); // armed for 10:15, and its sound read
    WriteWav(tone, {2000, -2000, 2000});
    fake.SetTime(10, 15, 0);
    Tick();
    const auto sounds = fake.Sounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].samples.size(), 6u) << "the file as it is now";
    WriteWav(tone, std::vector<int16_t>((16 << 20) / 2, 100)); // 16 MB of samples and a header
    EXPECT_EQ(TickAt(10, 30), Files{tone});
    ::DeleteFileA(tone.c_str());
}

// A device that stops taking samples holds the chime no longer than the sound's length and two
// seconds: it is closed with the rest dropped, and the next quarter rings.
TEST_F(ChimoTest, AStalledDeviceHoldsTheChimeNoLongerThanItsLengthAndTwoSeconds) {
    const std::string tone = "C:\\CHIMO-SECOND.WAV";
    WriteWav(tone, std::vector<int16_t>(22050, 1000)); // 1 s
    Start();
    run->SetText(IDC_SOUND_QUARTER_AFTER, tone);
    run->SetText(IDC_SOUND_HALF_PAST, tone);
    fake.stall = true;
    const ULONGLONG before = ::GetTickCount64();
    TickAt(10, 15);
    const ULONGLONG took = ::GetTickCount64() - before;
    EXPECT_GE(took, 3000u) << "it was waited for, up to its length and two seconds";
    EXPECT_LT(took, 4500u);
    ASSERT_EQ(fake.Sounds().size(), 1u);
    EXPECT_TRUE(fake.Sounds()[0].cut);
    fake.stall = false;
    EXPECT_EQ(TickAt(10, 30), Files{});
    ASSERT_EQ(fake.Sounds().size(), 1u) << "the next quarter rings";
    EXPECT_FALSE(fake.Sounds()[0].cut);
    EXPECT_EQ(fake.Sounds()[0].samples.size(), 44100u);
    ::DeleteFileA(tone.c_str());
}

// A device reads a sound's samples only as it plays them: Play's sound, which its thread alone
// holds, keeps them until its device has closed. (Two megabytes: a block the heap gives back
// to the system at once when it is freed.)
TEST_F(ChimoTest, ASoundsSamplesLastUntilItsDeviceCloses) {
    const std::string tone = "C:\\CHIMO-LONG.WAV";
    WriteWav(tone, std::vector<int16_t>(1 << 20, 1000));
    Start();
    run->SetText(IDC_SOUND_HOUR, tone);
    fake.Clear();
    fake.stall = true;
    std::atomic<bool> written{false};
    fake.onPlay = [&](const FakePlatform::Sound&) { written = true; };
    run->Command(IDC_PLAY_HOUR);
    ASSERT_TRUE(run->SettleUntil([&] { return written.load(); }));
    ::Sleep(200);
    run->SetText(IDC_SOUND_HOUR, "");
    Player().Stop();
    fake.stall = false;
    const auto sounds = fake.Sounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(Samples(sounds[0]), std::vector<int16_t>(1 << 20, 1000));
    ::DeleteFileA(tone.c_str());
}

// A tick that comes earlier than it was armed for waits out the difference and plays its
// lead-in before the boundary and its note on it; one that comes far too early waits on the
// timer again.
TEST_F(ChimoTest, AnEarlyTickKeepsTheLeadInAndTheNoteOnTheBoundary) {
    const std::string tone = "C:\\CHIMO-TONE.WAV";
    WriteWav(tone, {1000, -1000});
    AfxGetApp()->WriteProfileInt("Options", "Wake_Speakers", 1);
    AfxGetApp()->WriteProfileInt("Special", "Lead_In_Ms", 500);
    Start();
    run->SetText(IDC_SOUND_QUARTER_AFTER, tone);
    fake.SetTime(10, 14, 0);
    run->Send(WM_TIMECHANGE);
    ASSERT_EQ(Armed(), 60000u - 600);
    fake.SetTime(10, 14, 50);
    EXPECT_TRUE(Tick().empty());
    EXPECT_TRUE(fake.Sounds().empty());
    EXPECT_EQ(Armed(), 10000u - 600) << "armed again for the rest";
    fake.SetTime(10, 14, 58, 500); // 1.5 s before the quarter, 0.9 s earlier than armed for
    const ULONGLONG before = ::GetTickCount64();
    Tick();
    ASSERT_EQ(fake.Sounds().size(), 1u);
    EXPECT_GE(fake.Sounds()[0].written - before, 950u) << "the lead-in starts 0.5 s before";
    EXPECT_EQ(fake.Sounds()[0].samples.size(), 2u * (22050 / 2 + 2)) << "the whole lead-in";
    ::DeleteFileA(tone.c_str());
}

// "Play on:" lists the default device and every connected one. The choice is every sound's at
// once, OK keeps it and Cancel forgets it; a chosen device that is not connected stays chosen,
// by name, and is heard again once it is back. (The chime on the device chosen, and on the
// default one while it is away, are seen from outside.)
TEST_F(ChimoTest, EverySoundPlaysOnTheDeviceChosen) {
    const std::string tone = "C:\\CHIMO-TONE.WAV", a = "{0.0.0.00000000}.{a}",
                      b = "{0.0.0.00000000}.{b}";
    WriteWav(tone, {1000, -1000});
    fake.devices = {{a, "Speakers (A)"}, {b, "Headphones (B)"}};
    Start();
    const auto list = [&] { return ::GetDlgItem(run->hwnd(), IDC_DEVICE); };
    const auto entries = [&] {
        std::vector<std::string> texts;
        for (int i = 0; i < ::SendMessageA(list(), CB_GETCOUNT, 0, 0); ++i) {
            char text[256] = "";
            ::SendMessageA(list(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    };
    const auto choose = [&](int i) {
        ::SendMessageA(list(), CB_SETCURSEL, i, 0);
        run->Send(WM_COMMAND, MAKEWPARAM(IDC_DEVICE, CBN_SELCHANGE),
                  reinterpret_cast<LPARAM>(list()));
    };
    const auto playedOn = [&] {
        fake.Clear();
        run->Command(IDC_PLAY_QUARTER_AFTER);
        const auto sounds = fake.Sounds();
        return sounds.size() == 1 ? sounds[0].device : "<" + std::to_string(sounds.size()) + ">";
    };
    const auto stored = [](const char* entry) {
        return AfxGetApp()->GetProfileString("Options", entry).str();
    };
    Show();
    run->SetText(IDC_SOUND_QUARTER_AFTER, tone);
    EXPECT_EQ(entries(), (Files{"Default device", "Speakers (A)", "Headphones (B)"}));
    EXPECT_EQ(playedOn(), "");
    choose(2);
    EXPECT_EQ(playedOn(), b) << "before OK";
    run->Command(IDOK);
    EXPECT_EQ(stored("Output_Device"), b);
    EXPECT_EQ(stored("Output_Device_Name"), "Headphones (B)");
    Show();
    choose(1);
    run->Command(IDCANCEL);
    EXPECT_EQ(stored("Output_Device"), b);
    fake.Clear();
    Show();
    EXPECT_EQ(Cues(), std::vector<UINT>{IDW_CUE_YES});
    EXPECT_EQ(fake.Sounds().at(0).device, b) << "the cues too";
    EXPECT_EQ(::SendMessageA(list(), CB_GETCURSEL, 0, 0), 2) << "Cancel forgot the change";
    run->Command(IDCANCEL);

    // Unplugged, and CHIMO! started anew: still chosen, by its name (as the list shows it).
    fake.devices.pop_back();
    Start();
    Show();
    EXPECT_EQ(entries().at(2), "Headphones (B) (not connected)");
    EXPECT_TRUE(run->Boxes().empty()) << "no question about a missing device";
    run->Command(IDOK);
    EXPECT_EQ(stored("Output_Device"), b);
    EXPECT_EQ(stored("Output_Device_Name"), "Headphones (B)");
    // Plugged in again: it is heard there at once.
    fake.devices.push_back({b, "Headphones (B)"});
    EXPECT_EQ(playedOn(), b);
    ::DeleteFileA(tone.c_str());
}

// Letting go of the volume slider previews the level once, with the hour's sound or, with
// none, the Yes cue; moving it does not. Play plays at that level too.
TEST_F(ChimoTest, TheVolumeSliderPreviewsItsLevelWhenLetGo) {
    const std::string tone = "C:\\CHIMO-TONE.WAV";
    WriteWav(tone, {1000, -1000});
    Start();
    run->SetText(IDC_SOUND_HOUR, tone);
    HWND slider = ::GetDlgItem(run->hwnd(), IDC_VOLUME);
    const auto scroll = [&](WPARAM code) {
        run->Send(WM_HSCROLL, code, reinterpret_cast<LPARAM>(slider));
    };
    fake.Clear();
    SetVolume(20);
    scroll(TB_THUMBTRACK);
    EXPECT_TRUE(fake.Sounds().empty());
    scroll(TB_THUMBPOSITION);
    scroll(TB_ENDTRACK); // a drag ends with both
    ASSERT_EQ(fake.Sounds().size(), 1u);
    EXPECT_EQ(Samples(fake.Sounds()[0]), (std::vector<int16_t>{200, -200}));
    fake.Clear();
    run->Command(IDC_PLAY_HOUR);
    ASSERT_EQ(fake.Sounds().size(), 1u);
    EXPECT_EQ(Samples(fake.Sounds()[0]), (std::vector<int16_t>{200, -200}));

    run->SetText(IDC_SOUND_HOUR, "");
    fake.Clear();
    SetVolume(0);
    scroll(TB_ENDTRACK); // the keyboard's step ends with this alone
    ASSERT_EQ(fake.Sounds().size(), 1u);
    const std::vector<uint8_t> cue = fake.Sounds()[0].samples;
    EXPECT_GT(cue.size(), 1000u);
    EXPECT_EQ(std::count(cue.begin(), cue.end(), 128), static_cast<long>(cue.size()))
        << "the Yes cue (8-bit), silenced";
    ::DeleteFileA(tone.c_str());
}

// Each event of the icon, from the mouse and from the keyboard (Win+B, the arrows, then Enter,
// Space, Shift+F10 or the Menu key), and the Settings command.
TEST_F(ChimoTest, TheIconOpensTheWindowAndItsMenuShowsAndSavesTheState) {
    Start();
    const auto event = [&](UINT e) { return [&, e] { Tray(e); }; };
    const struct {
        const char* what;
        std::function<void()> act;
        bool opens;
    } rows[] = {
        {"double-click", event(WM_LBUTTONDBLCLK), true},
        {"Enter or Space", event(NIN_KEYSELECT), true},
        {"the Settings command", [&] { run->Command(ID_SETTINGS); }, true},
        {"Enter's second notice", [&] { Tray(NIN_KEYSELECT), Tray(NIN_KEYSELECT); }, true},
        {"single click", event(NIN_SELECT), false},
        {"pointer", event(WM_MOUSEMOVE), false},
        {"left press", event(WM_LBUTTONDOWN), false},
        {"left release", event(WM_LBUTTONUP), false},
        {"right press", event(WM_RBUTTONDOWN), false},
        {"right release", event(WM_RBUTTONUP), false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        run->Command(IDCANCEL); // hidden again
        fake.Clear();
        row.act();
        EXPECT_EQ(::IsWindowVisible(run->hwnd()) != FALSE, row.opens);
        EXPECT_EQ(Cues(), row.opens ? std::vector<UINT>{IDW_CUE_YES} : std::vector<UINT>{});
    }
    run->Command(IDCANCEL);

    // The menu opens at the anchor the shell gives: the pointer, or the icon for the keyboard.
    run->Command(IDC_DISABLE);
    run->SetCheck(IDC_SLEEP_TIMER, BST_INDETERMINATE);
    run->SetText(IDC_SOUND_HOUR, "UNCONFIRMED.WAV");
    ::PostMessageA(run->hwnd(), WM_TRAY_NOTIFY, MAKEWPARAM(200, 150),
                   MAKELPARAM(WM_CONTEXTMENU, ID_TRAY_ICON));
    HWND menuWindow = FindMenuWindow();
    ASSERT_NE(menuWindow, nullptr);
    RECT placed{};
    ::GetWindowRect(menuWindow, &placed);
    EXPECT_EQ(placed.left, 200);
    EXPECT_EQ(placed.top, 150);
    auto menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    EXPECT_TRUE(::GetMenuState(menu, IDC_DISABLE, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(::GetMenuState(menu, ID_SLEEP, MF_BYCOMMAND) & MF_CHECKED) << "indeterminate";
    ::PostMessageA(menuWindow, WM_CHAR, 'd', 0); // "&Disable", as a keyboard user chooses it
    run->SettleUntil([&] { return run->Check(IDC_DISABLE) == BST_UNCHECKED; });
    EXPECT_EQ(run->Check(IDC_DISABLE), BST_UNCHECKED);
    EXPECT_EQ(StoredSlot("AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:00) Hourly"), "UNCONFIRMED.WAV")
        << "the menu saves as it closes";
    EXPECT_FALSE(run->Ended());

    // Where menus drop to the left (right-to-left layouts), it ends at the anchor. With the
    // settings window open, what it shows stays unconfirmed: Cancel forgets it.
    ::SystemParametersInfoA(SPI_SETMENUDROPALIGNMENT, TRUE, nullptr, 0);
    run->Command(ID_SETTINGS);
    run->SetText(IDC_SOUND_HOUR, "OPEN.WAV");
    ::PostMessageA(run->hwnd(), WM_TRAY_NOTIFY, MAKEWPARAM(400, 150),
                   MAKELPARAM(WM_CONTEXTMENU, ID_TRAY_ICON));
    menuWindow = FindMenuWindow();
    ::SystemParametersInfoA(SPI_SETMENUDROPALIGNMENT, FALSE, nullptr, 0);
    ASSERT_NE(menuWindow, nullptr);
    ::GetWindowRect(menuWindow, &placed);
    EXPECT_EQ(placed.right, 400);
    ::PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    run->SettleUntil([&] { return !::IsWindowVisible(menuWindow); });
    run->Send(WM_NULL);
    EXPECT_EQ(StoredSlot("AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:00) Hourly"), "UNCONFIRMED.WAV");
    run->Command(IDCANCEL);
    EXPECT_EQ(run->Text(IDC_SOUND_HOUR), "UNCONFIRMED.WAV");
}

// An instance that never answers holds the new one for seconds, and is ended, its tray icon
// with it: the tray would keep it until the pointer passed over it. The hung instance is the
// remote control's stand-in, in a process of its own.
TEST_F(ChimoTest, AHungInstanceIsEndedAndItsTrayIconGoesWithIt) {
    char folder[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, folder, MAX_PATH);
    *std::strrchr(folder, '\\') = 0;
    std::string command = "\"" + std::string(folder) + "\\chimo_remote.exe\" hang";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION hung{};
    ASSERT_TRUE(::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &hung));
    std::vector<HWND> found;
    for (int waited = 0; found.empty() && waited < 10000; waited += 50, ::Sleep(50))
        found = FindOtherInstances();
    ASSERT_EQ(found.size(), 1u);
    const ULONGLONG before = ::GetTickCount64();
    CloseOtherInstances();
    EXPECT_LT(::GetTickCount64() - before, 2 * kTakeoverWaitMs) << "seconds, not minutes";
    EXPECT_EQ(::WaitForSingleObject(hung.hProcess, 0), WAIT_OBJECT_0);
    const auto deleted = fake.Tray(NIM_DELETE);
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_EQ(deleted[0].hWnd, found[0]);
    EXPECT_EQ(deleted[0].uID, ID_TRAY_ICON);
    ::TerminateProcess(hung.hProcess, 1);
    ::CloseHandle(hung.hThread);
    ::CloseHandle(hung.hProcess);
}

// The window takes its messages while the hour is struck: twelve strikes on a device that plays
// in real time, during which it answers within a second and shows that it rings; a newer
// instance taking over then ends the strikes at once and keeps the edit not yet confirmed.
TEST_F(ChimoTest, TheWindowAnswersWhileItStrikesAndATakeoverKeepsWhatItHolds) {
    const std::string tone = "C:\\CHIMO-STRIKE.WAV";
    WriteWav(tone, std::vector<int16_t>(11025, 1000)); // 0.5 s
    Start();
    run->SetText(IDC_SOUND_HOUR, tone);
    run->SetCheck(IDC_MULTI, BST_CHECKED);
    fake.realTime = true;
    fake.SetTime(12, 0, 0);
    fake.Advance(-1);
    run->Send(WM_TIMECHANGE);
    fake.Advance(1);
    fake.Clear();
    run->Send(WM_TIMER, ID_CHIME_TIMER);
    ::Sleep(1500);
    DWORD_PTR ignored = 0;
    const ULONGLONG asked = ::GetTickCount64();
    EXPECT_TRUE(
        ::SendMessageTimeoutA(run->hwnd(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored));
    EXPECT_LT(::GetTickCount64() - asked, 1000u);
    EXPECT_TRUE(Player().Playing()) << "still striking";
    ASSERT_FALSE(Tips().empty());
    EXPECT_EQ(Tips().back(), kTipRinging) << "until the strikes have sounded";

    run->SetText(IDC_SOUND_HALF_PAST, "C:\\UNCONFIRMED.WAV");
    const ULONGLONG taken = ::GetTickCount64();
    run->Send(WM_DESTROY); // from another thread, as a newer instance sends it
    EXPECT_LT(::GetTickCount64() - taken, 1000u);
    EXPECT_FALSE(Player().Playing()) << "the strikes end with the process";
    EXPECT_TRUE(fake.speechStopped);
    EXPECT_EQ(fake.endedWith, 0);
    EXPECT_EQ(StoredSlot("AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:30) Half Past"),
              "C:\\UNCONFIRMED.WAV");
    const auto sounds = fake.Sounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_TRUE(sounds[0].cut);
    ::DeleteFileA(tone.c_str());
}

// A device that takes seconds to open (a Bluetooth or HDMI one waking) plays the whole chime,
// late, and the next quarter is armed once it has; a device that will not let go of its
// blocks keeps them, and the next sound opens a device of its own.
TEST_F(ChimoTest, ASlowDeviceGetsTheWholeChimeAndAStuckOneKeepsItsBlocks) {
    const std::string tone = "C:\\CHIMO-SECOND.WAV";
    WriteWav(tone, std::vector<int16_t>(22050, 1000)); // 1 s
    Start();
    run->SetText(IDC_SOUND_QUARTER_AFTER, tone);
    fake.realTime = true;
    fake.openDelayMs = 2500;
    TickAt(10, 15);
    fake.openDelayMs = 0;
    ASSERT_EQ(fake.Sounds().size(), 1u);
    EXPECT_FALSE(fake.Sounds()[0].cut);
    EXPECT_EQ(fake.Sounds()[0].samples.size(), 44100u);
    EXPECT_EQ(Armed(), 15 * 60000u - kHeadStart) << "10:30, once it has sounded";

    // Two megabytes, which the heap gives back to the system as soon as they are freed.
    WriteWav(tone, std::vector<int16_t>(1 << 20, 1000));
    run->SetText(IDC_SOUND_HOUR, tone);
    fake.realTime = false;
    fake.closeFails = true;
    fake.Clear();
    run->Command(IDC_PLAY_HOUR);
    Player().Wait(5000);
    fake.closeFails = false;
    run->SetText(IDC_SOUND_HOUR, "");
    run->Command(IDC_PLAY_QUARTER_AFTER); // the Play sound before it is let go of
    const auto sounds = fake.Sounds();
    ASSERT_EQ(sounds.size(), 2u) << "a new device for the next sound";
    const auto stranded = fake.StrandedSamples();
    ASSERT_EQ(stranded.size(), 1u);
    EXPECT_EQ(stranded[0].size(), 2u << 20);
    EXPECT_TRUE(std::all_of(stranded[0].begin(), stranded[0].end(), [](uint8_t byte) {
        return byte == (1000 & 0xFF) || byte == (1000 >> 8);
    })) << "the stuck device's samples are still there";
    ::DeleteFileA(tone.c_str());
}
