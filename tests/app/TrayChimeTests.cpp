// The tray icon, its menu and the quarter-hour chime, with the clock, sound and tray faked.
#include "FakeServices.h"
#include "ModalSession.h"
#include "StoredSettings.h"
#include "main/ChimeDlg.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kChimeFlags = 0x00020002; // SND_FILENAME | SND_NODEFAULT, synchronous

struct TrayChime : ::testing::Test {
    InstalledFakes fakes;
    CChimeDlg dlg;
    void SetUp() override {
        ForgetStoredSettings();
        fakes.clock.Set(10, 7, 30);
    }
    void SetSlots(ModalSession& run) {
        ::SetDlgItemTextA(run.hwnd(), IDC_SOUND_HOUR, "H.WAV");
        ::SetDlgItemTextA(run.hwnd(), IDC_SOUND_QUARTER_AFTER, "QA.WAV");
        ::SetDlgItemTextA(run.hwnd(), IDC_SOUND_HALF_PAST, "HP.WAV");
        ::SetDlgItemTextA(run.hwnd(), IDC_SOUND_QUARTER_TIL, "QT.WAV");
    }
    // Sets the clock to hour:minute with the chime timer armed as a clock set a second before
    // would arm it, so a tick now is the timer's own (at most a minute off its boundary).
    void ArmFor(ModalSession& run, int hour, int minute) {
        fakes.clock.Set(hour, minute, 0);
        fakes.clock.Advance(-1);
        run.Send(WM_TIMECHANGE);
        fakes.clock.Advance(1);
    }
    static void Check(ModalSession& run, int id, bool on) {
        ::SendDlgItemMessageA(run.hwnd(), id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    std::vector<std::string> Played() const {
        std::vector<std::string> names;
        for (const auto& call : fakes.sound.Calls()) {
            EXPECT_EQ(call.flags, kChimeFlags) << call.name;
            EXPECT_EQ(call.module, nullptr);
            names.push_back(call.name);
        }
        return names;
    }
    std::vector<std::string> Tips() const {
        std::vector<std::string> tips;
        for (const auto& call : fakes.tray.Calls())
            tips.push_back(call.tip());
        return tips;
    }
};

HWND FindMenuWindow(DWORD ms = 3000) {
    for (DWORD waited = 0; waited < ms; waited += 10) {
        HWND menu = ::FindWindowA("#32768", nullptr);
        if (menu && ::IsWindowVisible(menu))
            return menu;
        ::Sleep(10);
    }
    return nullptr;
}

} // namespace

TEST_F(TrayChime, CreationAddsTheIconAndArmsForTheNextQuarter) {
    ModalSession run(dlg);
    auto calls = fakes.tray.Calls();
    ASSERT_FALSE(calls.empty());
    const NOTIFYICONDATAA& nid = calls[0].data;
    EXPECT_EQ(calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(nid.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_EQ(nid.hWnd, run.hwnd());
    EXPECT_EQ(nid.uID, 129u);
    EXPECT_EQ(nid.uFlags, 7u);
    EXPECT_EQ(nid.uCallbackMessage, static_cast<UINT>(WM_COMMAND));
    EXPECT_STREQ(nid.szTip, "CHIMO!: Active");
    EXPECT_EQ(nid.hIcon, dlg.TrayIcon(IDI_TRAY_ACTIVE));
    EXPECT_EQ(dlg.m_nArmedDelay, 450000u) << "10:07:30 waits for 10:15:00";
    EXPECT_EQ(AfxGetApp()->GetProfileInt("Special", "Disable_Tray_Icon", -1), 0)
        << "the absent switch is written as 0";
    EXPECT_TRUE(fakes.sound.Calls().empty()) << "nothing chimes at start-up";
}

TEST_F(TrayChime, TheProfileSwitchSuppressesTheIconButNotTheChime) {
    AfxGetApp()->WriteProfileInt("Special", "Disable_Tray_Icon", 1);
    ModalSession run(dlg);
    for (const auto& call : fakes.tray.Calls())
        EXPECT_NE(call.message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(dlg.m_nArmedDelay, 450000u);
    // A re-created taskbar does not bring it back either.
    run.Send(::RegisterWindowMessageA("TaskbarCreated"));
    for (const auto& call : fakes.tray.Calls())
        EXPECT_NE(call.message, static_cast<DWORD>(NIM_ADD));
}

// Every status icon handed to the tray is exactly the small-icon size of the display scale,
// and comes from the image drawn for that size (not another size scaled). Run at 96, 120, 144 and
// 192 DPI by at-each-dpi.sh.
TEST_F(TrayChime, TrayIconsAreDrawnForTheDisplayScale) {
    ModalSession run(dlg);
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    HMODULE module = ::GetModuleHandleA(nullptr);
    for (UINT id : {IDI_TRAY_ACTIVE, IDI_TRAY_DISABLED, IDI_TRAY_SLEEPING, IDI_TRAY_RINGING}) {
        SCOPED_TRACE(std::to_string(id) + " at " + std::to_string(size) + " pixels");
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(dlg.TrayIcon(id), &info));
        BITMAP bitmap{};
        ::GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmHeight, size);
        // The image the group has for this size: a PNG of exactly that size, with alpha.
        auto* group = static_cast<BYTE*>(::LockResource(
            ::LoadResource(module, ::FindResourceA(module, MAKEINTRESOURCEA(id), RT_GROUP_ICON))));
        int image = ::LookupIconIdFromDirectoryEx(group, TRUE, size, size, LR_DEFAULTCOLOR);
        auto* png = static_cast<const BYTE*>(::LockResource(
            ::LoadResource(module, ::FindResourceA(module, MAKEINTRESOURCEA(image), RT_ICON))));
        ASSERT_NE(png, nullptr);
        ASSERT_EQ(std::memcmp(png, "\x89PNG", 4), 0);
        const int width = png[16] << 24 | png[17] << 16 | png[18] << 8 | png[19];
        EXPECT_EQ(width, size) << "the group has an image of this size";
        EXPECT_EQ(png[25], 6) << "RGBA";
        EXPECT_EQ(bitmap.bmBitsPixel, 32) << "the alpha image, not the 16-colour one";
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
    }
}

TEST_F(TrayChime, ANewTaskbarGetsTheIconBackWithTheCurrentStatus) {
    ModalSession run(dlg);
    run.Command(IDC_DISABLE);
    fakes.tray.Clear();
    run.Send(::RegisterWindowMessageA("TaskbarCreated"));
    auto calls = fakes.tray.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_STREQ(calls[0].data.szTip, "CHIMO!: Disabled");

    // Once the program is on its way out, a new taskbar does not bring the icon back.
    dlg.HideAndSave();
    fakes.tray.Clear();
    run.Send(::RegisterWindowMessageA("TaskbarCreated"));
    EXPECT_TRUE(fakes.tray.Calls().empty());
}

TEST_F(TrayChime, TicksPlayTheSlotOfTheirQuarter) {
    struct Row {
        int hour, minute;
        bool multi, useSame, disableSecondary;
        const char* slot; // nullptr: nothing plays
        size_t strikes;
    } rows[] = {
        {0, 0, true, false, false, "H.WAV", 12},   {12, 0, true, false, false, "H.WAV", 12},
        {13, 0, true, false, false, "H.WAV", 1},   {23, 0, true, false, false, "H.WAV", 11},
        {10, 59, true, false, false, "H.WAV", 10}, {10, 0, false, false, false, "H.WAV", 1},
        {10, 15, true, false, false, "QA.WAV", 1}, {10, 30, false, false, false, "HP.WAV", 1},
        {10, 30, false, true, false, "QA.WAV", 1}, {10, 45, false, false, false, "QT.WAV", 1},
        {10, 45, false, true, false, "QA.WAV", 1}, {10, 15, false, false, true, nullptr, 0},
        {10, 30, false, true, true, nullptr, 0},   {10, 0, false, true, true, "H.WAV", 1},
    };
    ModalSession run(dlg);
    SetSlots(run);
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.hour) + ":" + std::to_string(row.minute));
        Check(run, IDC_MULTI, row.multi);
        Check(run, IDC_USE_SAME, row.useSame);
        Check(run, IDC_DISABLE_SECONDARY, row.disableSecondary);
        ArmFor(run, row.hour, row.minute);
        fakes.sound.Clear();
        fakes.tray.Clear();
        run.Send(WM_TIMER, ID_CHIME_TIMER);
        std::vector<std::string> played = Played();
        EXPECT_EQ(played.size(), row.strikes);
        for (const std::string& name : played)
            EXPECT_EQ(name, row.slot);
        // Status refresh, ringing, restored: also when nothing plays.
        std::vector<std::string> expected{"CHIMO!: Active", "CHIMO!!!!", "CHIMO!: Active"};
        EXPECT_EQ(Tips(), expected);
        auto calls = fakes.tray.Calls();
        ASSERT_EQ(calls.size(), 3u);
        EXPECT_EQ(calls[1].data.hIcon, dlg.TrayIcon(IDI_TRAY_RINGING));
        EXPECT_EQ(calls[2].data.hIcon, calls[0].data.hIcon);
        EXPECT_EQ(AfxGetApp()->GetWaitCursorCount(), 0);
    }
}

// Over a full-screen program, a full-screen game or a presentation the chime keeps quiet (no
// sound, no ringing status) unless the profile asks for it; any other answer of the shell, or
// none, rings. The timer is re-armed either way.
TEST_F(TrayChime, NoChimeOverAPresentationOrAFullScreenProgram) {
    struct Row {
        HRESULT result;
        QUERY_USER_NOTIFICATION_STATE state;
        bool quiet; // with "Chime_When_Busy" 0
    } rows[] = {
        {S_OK, QUNS_NOT_PRESENT, false},
        {S_OK, QUNS_BUSY, true},
        {S_OK, QUNS_RUNNING_D3D_FULL_SCREEN, true},
        {S_OK, QUNS_PRESENTATION_MODE, true},
        {S_OK, QUNS_ACCEPTS_NOTIFICATIONS, false},
        {S_OK, QUNS_QUIET_TIME, false},
        {S_OK, QUERY_USER_NOTIFICATION_STATE(7), false}, // a full-screen Store app
        {E_FAIL, QUNS_BUSY, false},
    };
    for (int whenBusy : {-1, 0, 1}) {
        if (whenBusy == -1)
            ::WritePrivateProfileStringA("Special", "Chime_When_Busy", nullptr,
                                         AfxGetApp()->m_pszProfileName);
        else
            AfxGetApp()->WriteProfileInt("Special", "Chime_When_Busy", whenBusy);
        CChimeDlg dialog;
        ModalSession run(dialog);
        SetSlots(run);
        for (const Row& row : rows) {
            SCOPED_TRACE(std::to_string(whenBusy) + ": state " + std::to_string(row.state));
            fakes.user.result = row.result;
            fakes.user.state = row.state;
            ArmFor(run, 10, 15);
            fakes.sound.Clear();
            fakes.tray.Clear();
            run.Send(WM_TIMER, ID_CHIME_TIMER);
            const bool quiet = row.quiet && whenBusy != 1;
            EXPECT_EQ(fakes.sound.Calls().size(), quiet ? 0u : 1u);
            const std::vector<std::string> ringing{"CHIMO!: Active", "CHIMO!!!!", "CHIMO!: Active"};
            EXPECT_EQ(Tips(), quiet ? std::vector<std::string>{"CHIMO!: Active"} : ringing);
            EXPECT_EQ(dialog.m_nArmedDelay, 900000u) << "re-armed all the same";
        }
    }
    fakes.user = ScriptedUserState();
}

TEST_F(TrayChime, DisabledTicksAreSilentAndLeaveTheTrayAlone) {
    ModalSession run(dlg);
    SetSlots(run);
    fakes.tray.Clear();
    run.Command(IDC_DISABLE); // from the menu: the box follows
    EXPECT_EQ(::SendDlgItemMessageA(run.hwnd(), IDC_DISABLE, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Tips(), std::vector<std::string>{"CHIMO!: Disabled"});
    ArmFor(run, 11, 0);
    fakes.tray.Clear();
    run.Send(WM_TIMER, ID_CHIME_TIMER);
    EXPECT_TRUE(fakes.sound.Calls().empty());
    EXPECT_TRUE(fakes.tray.Calls().empty());
    EXPECT_EQ(dlg.m_nArmedDelay, 900000u) << "re-armed all the same";
    EXPECT_EQ(AfxGetApp()->GetWaitCursorCount(), 0);
    run.Command(IDC_DISABLE);
    EXPECT_EQ(Tips(), (std::vector<std::string>{"CHIMO!: Active", "CHIMO!: Active"}));
}

TEST_F(TrayChime, ALongChimeReArmsForTheBoundaryAfterItEnds) {
    ModalSession run(dlg);
    SetSlots(run);
    Check(run, IDC_MULTI, true);
    ArmFor(run, 12, 0);
    fakes.sound.onPlay = [this](const RecordingSound::Call&) { fakes.clock.Advance(80); };
    run.Send(WM_TIMER, ID_CHIME_TIMER);
    fakes.sound.onPlay = nullptr;
    EXPECT_EQ(fakes.sound.Calls().size(), 12u);
    // Twelve 80-second strikes end at 12:16:00: the 12:15 quarter is gone, next is 12:30.
    EXPECT_EQ(dlg.m_nArmedDelay, 14u * 60 * 1000);
}

TEST_F(TrayChime, DoubleClickAndSettingsOpenTheWindow) {
    ModalSession run(dlg);
    for (UINT how : {0u, 1u}) {
        dlg.m_bShown = FALSE;
        ::ShowWindow(run.hwnd(), SW_HIDE);
        fakes.sound.Clear();
        if (how == 0)
            run.Send(WM_COMMAND, ID_TRAY_ICON, WM_LBUTTONDBLCLK);
        else
            run.Command(ID_SETTINGS);
        EXPECT_TRUE(dlg.m_bShown);
        EXPECT_TRUE(::IsWindowVisible(run.hwnd()));
        std::vector<UINT> yes{IDW_CUE_YES};
        EXPECT_EQ(fakes.sound.Cues(), yes);
    }
}

TEST_F(TrayChime, OtherMouseEventsOnTheIconDoNothing) {
    ModalSession run(dlg);
    fakes.tray.Clear();
    for (LPARAM event : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN,
                         WM_RBUTTONDBLCLK, WM_MBUTTONUP}) {
        run.Send(WM_COMMAND, ID_TRAY_ICON, event);
    }
    run.Settle();
    EXPECT_TRUE(fakes.sound.Calls().empty());
    EXPECT_TRUE(fakes.tray.Calls().empty());
    EXPECT_FALSE(dlg.m_bShown);
}

TEST_F(TrayChime, TheMenuShowsTheStateAndItsChoiceArrivesAsACommand) {
    ModalSession run(dlg);
    run.Command(IDC_DISABLE);
    ::SendDlgItemMessageA(run.hwnd(), IDC_SLEEP_TIMER, BM_SETCHECK, BST_INDETERMINATE, 0);
    ::PostMessageA(run.hwnd(), WM_COMMAND, ID_TRAY_ICON, WM_RBUTTONUP);
    HWND menuWindow = FindMenuWindow();
    ASSERT_NE(menuWindow, nullptr);
    auto menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(::GetMenuState(menu, IDC_DISABLE, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(::GetMenuState(menu, ID_SLEEP, MF_BYCOMMAND) & MF_CHECKED)
        << "the indeterminate Sleep Timer shows unchecked";
    // Choose "&Disable" by its mnemonic, as a user would with the keyboard.
    ::PostMessageA(menuWindow, WM_CHAR, 'd', 0);
    run.Settle(300);
    EXPECT_FALSE(dlg.m_bDisabled) << "the choice toggled Disable off again";
    EXPECT_EQ(::SendDlgItemMessageA(run.hwnd(), IDC_DISABLE, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(TrayChime, TheMenuSavesWhenItClosesEvenWithoutAChoice) {
    ModalSession run(dlg);
    ::SetDlgItemTextA(run.hwnd(), IDC_SOUND_HOUR, "UNCONFIRMED.WAV");
    ::SendDlgItemMessageA(run.hwnd(), IDC_MULTI, BM_SETCHECK, BST_CHECKED, 0);
    AfxGetApp()->WriteProfileInt("Options", "Multi_Chimo", 0);
    ::PostMessageA(run.hwnd(), WM_COMMAND, ID_TRAY_ICON, WM_RBUTTONUP);
    HWND menuWindow = FindMenuWindow();
    ASSERT_NE(menuWindow, nullptr);
    ::PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    run.Settle(300);
    EXPECT_EQ(AfxGetApp()->GetProfileInt("Options", "Multi_Chimo", -1), 1);
    char text[256] = "";
    LONG size = sizeof text;
    ::RegQueryValueA(HKEY_CURRENT_USER,
                     "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:00) Hourly\\.current", text, &size);
    EXPECT_STREQ(text, "UNCONFIRMED.WAV");
    EXPECT_TRUE(::IsWindow(run.hwnd()));
    EXPECT_FALSE(run.Ended());
}

TEST_F(TrayChime, SleepingTicksAreSilentAndShowSleeping) {
    ModalSession run(dlg);
    SetSlots(run);
    ::SendDlgItemMessageA(run.hwnd(), IDC_SLEEP_TIMER, BM_SETCHECK, BST_CHECKED, 0);
    dlg.m_nSleepStart = 2200;
    dlg.m_nSleepStop = 630;
    struct Row {
        int hour, minute;
        bool quiet;
    } rows[] = {{22, 0, true}, {6, 30, true}, {0, 0, true}, {6, 45, false}, {21, 45, false}};
    for (const Row& row : rows) {
        ArmFor(run, row.hour, row.minute);
        fakes.sound.Clear();
        fakes.tray.Clear();
        run.Send(WM_TIMER, ID_CHIME_TIMER);
        if (row.quiet) {
            EXPECT_TRUE(fakes.sound.Calls().empty()) << row.hour << ":" << row.minute;
            EXPECT_EQ(Tips(), std::vector<std::string>{"CHIMO!: Sleeping"});
        } else {
            EXPECT_EQ(fakes.sound.Calls().size(), 1u) << row.hour << ":" << row.minute;
        }
        EXPECT_EQ(AfxGetApp()->GetWaitCursorCount(), 0);
    }
    // Disabled wins over sleeping in the tray, switching back shows Sleeping at once.
    fakes.clock.Set(23, 0, 0);
    fakes.tray.Clear();
    run.Command(IDC_DISABLE);
    run.Command(IDC_DISABLE);
    EXPECT_EQ(Tips(), (std::vector<std::string>{"CHIMO!: Disabled", "CHIMO!: Sleeping",
                                                "CHIMO!: Sleeping"}));
    // The indeterminate state silences nothing.
    ::SendDlgItemMessageA(run.hwnd(), IDC_SLEEP_TIMER, BM_SETCHECK, BST_INDETERMINATE, 0);
    ArmFor(run, 23, 0);
    fakes.sound.Clear();
    run.Send(WM_TIMER, ID_CHIME_TIMER);
    EXPECT_EQ(fakes.sound.Calls().size(), 1u);
}
