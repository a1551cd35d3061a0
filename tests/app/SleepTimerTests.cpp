// The Sleep Timer through the real controls: clicks, leaving the time fields, the tray command.
#include "FakeServices.h"
#include "ModalSession.h"
#include "StoredSettings.h"
#include "StoredSettings.h"
#include "main/ChimeDlg.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SleepTimer : ::testing::Test {
    InstalledFakes fakes;
    CChimeDlg dlg;
    void SetUp() override {
        ForgetStoredSettings();
        fakes.clock.Set(23, 0, 0);
    }
    static int State(ModalSession& run) {
        return static_cast<int>(
            ::SendDlgItemMessageA(run.hwnd(), IDC_SLEEP_TIMER, BM_GETCHECK, 0, 0));
    }
    static void Click(ModalSession& run) {
        ::SendMessageA(::GetDlgItem(run.hwnd(), IDC_SLEEP_TIMER), BM_CLICK, 0, 0);
    }
    static void Type(ModalSession& run, int id, const char* text) {
        ::SetDlgItemTextA(run.hwnd(), id, text);
    }
    static std::string Text(ModalSession& run, int id) {
        char buffer[64] = "";
        ::GetDlgItemTextA(run.hwnd(), id, buffer, sizeof buffer);
        return buffer;
    }
    // A real focus change from one control to another.
    static void Focus(ModalSession& run, int id) {
        run.Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(run.hwnd(), id)), TRUE);
    }
    void Show(ModalSession& run) { run.Send(WM_COMMAND, ID_TRAY_ICON, WM_LBUTTONDBLCLK); }
};

} // namespace

TEST_F(SleepTimer, ClicksSwitchItAndInvalidTimesAreReportedOnceWhileShown) {
    ModalSession run(dlg);
    Show(run);
    Type(run, IDC_SLEEP_START, " 10:00pm ");
    Type(run, IDC_SLEEP_STOP, "6:30am");
    Click(run); // 0 -> 1, texts valid, not rewritten
    EXPECT_EQ(State(run), BST_CHECKED);
    EXPECT_EQ(Text(run, IDC_SLEEP_START), " 10:00pm ");
    EXPECT_EQ(run.boxes().Count(), 0u);
    Click(run); // 1 -> (2) -> 0
    EXPECT_EQ(State(run), BST_UNCHECKED);
    Type(run, IDC_SLEEP_STOP, "6:30");
    Click(run); // 0 -> 1 with an invalid stop: indeterminate, reported, focus on the stop edit
    EXPECT_EQ(State(run), BST_INDETERMINATE);
    auto boxes = run.boxes().Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Invalid Time");
    EXPECT_EQ(boxes[0].text, "Please enter time in this fashion:\n06:30pm");
    EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK));
    EXPECT_EQ(Text(run, IDC_SLEEP_START), "10:00PM") << "written back normalised";
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ::GetGUIThreadInfo(run.threadId(), &gui);
    EXPECT_EQ(::GetDlgCtrlID(gui.hwndFocus), IDC_SLEEP_STOP) << "the offending edit has the focus";
}

TEST_F(SleepTimer, LeavingAFieldComplainsAboutItselfOnlyOnTheChangeFromOn) {
    ModalSession run(dlg);
    Show(run);
    Type(run, IDC_SLEEP_START, "10:00pm");
    Type(run, IDC_SLEEP_STOP, "6:30am");
    Click(run);
    ASSERT_EQ(State(run), BST_CHECKED);

    Focus(run, IDC_SLEEP_START);
    Type(run, IDC_SLEEP_START, "25:00pm");
    Focus(run, IDC_SLEEP_STOP); // leaving the invalid start: 1 -> 2, reported once
    EXPECT_EQ(State(run), BST_INDETERMINATE);
    EXPECT_EQ(run.boxes().Count(), 1u);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ::GetGUIThreadInfo(run.threadId(), &gui);
    EXPECT_EQ(::GetDlgCtrlID(gui.hwndFocus), IDC_SLEEP_START) << "back on the offending start";
    Focus(run, IDC_SLEEP_START); // leaving the stop while the start is bad: silent
    Focus(run, IDC_SLEEP_STOP);  // leaving the start again, still 2: silent
    EXPECT_EQ(run.boxes().Count(), 1u);
    EXPECT_EQ(State(run), BST_INDETERMINATE);

    Type(run, IDC_SLEEP_START, "9:05pm");
    Focus(run, IDC_SLEEP_START);
    Focus(run, IDC_SLEEP_STOP); // both valid: back to 1, both normalised
    EXPECT_EQ(State(run), BST_CHECKED);
    EXPECT_EQ(Text(run, IDC_SLEEP_START), "09:05PM");
    EXPECT_EQ(Text(run, IDC_SLEEP_STOP), "06:30AM");
    EXPECT_EQ(run.boxes().Count(), 1u);
}

TEST_F(SleepTimer, TheTrayCommandSavesAtOnceOnlyWhileHidden) {
    ModalSession run(dlg);
    Type(run, IDC_SLEEP_START, "10:00pm");
    Type(run, IDC_SLEEP_STOP, "6:30am");
    run.Command(ID_SLEEP); // hidden: on, saved, tray shows Sleeping at 23:00
    EXPECT_EQ(State(run), BST_CHECKED);
    EXPECT_EQ(AfxGetApp()->GetProfileInt("Options", "Timer", -1), 1);
    EXPECT_EQ(fakes.tray.Calls().back().tip(), "CHIMO!: Sleeping");
    Show(run);
    run.Command(ID_SLEEP); // shown: off, but the change waits for OK or Cancel
    EXPECT_EQ(State(run), BST_UNCHECKED);
    EXPECT_EQ(AfxGetApp()->GetProfileInt("Options", "Timer", -1), 1);
    EXPECT_EQ(fakes.tray.Calls().back().tip(), "CHIMO!: Active");
}
