// The settings window's life: hidden start, OK/Cancel that never end it, Quit, takeover.
#include "FakeServices.h"
#include "ModalSession.h"
#include "StoredSettings.h"
#include "main/ChimeDlg.h"

#include <gtest/gtest.h>

namespace {

struct Lifecycle : ::testing::Test {
    InstalledFakes fakes;
    CChimeDlg dlg;
    // Empty slots: OK asks nothing about their files.
    void SetUp() override { ForgetStoredSettings(); }
};

std::vector<UINT> Cues(UINT cue, size_t n) { return std::vector<UINT>(n, cue); }

int NimDeletes(const RecordingTray& tray) {
    int n = 0;
    for (const auto& call : tray.Calls())
        n += call.message == NIM_DELETE;
    return n;
}

} // namespace

TEST_F(Lifecycle, StaysHiddenAlthoughTheModalLoopShowsItOnce) {
    ModalSession run(dlg);
    run.Settle(500);
    EXPECT_FALSE(::IsWindowVisible(run.hwnd()));
    std::vector<bool> shows = run.ShowHistory();
    ASSERT_GE(shows.size(), 2u) << "the loop's show, then the hiding paint";
    EXPECT_TRUE(shows[0]);
    EXPECT_FALSE(shows.back());
    EXPECT_FALSE(run.Ended());
    EXPECT_TRUE(fakes.sound.Calls().empty()) << "the start is silent";
}

TEST_F(Lifecycle, OkAndCancelHideButNeverEndTheRun) {
    ModalSession run(dlg);
    struct Row {
        UINT command;
        UINT cue;
    } rows[] = {{IDOK, IDW_CUE_YES}, {IDCANCEL, IDW_CUE_NO}};
    for (const Row& row : rows) {
        dlg.m_bShown = TRUE;
        ::ShowWindow(run.hwnd(), SW_SHOW);
        fakes.sound.Clear();
        run.Command(row.command);
        run.Settle();
        EXPECT_FALSE(run.Ended()) << row.command;
        EXPECT_FALSE(dlg.m_bShown);
        EXPECT_FALSE(::IsWindowVisible(run.hwnd()));
        EXPECT_EQ(fakes.sound.Cues(), Cues(row.cue, 1));
        EXPECT_EQ(fakes.sound.Calls()[0].flags, static_cast<DWORD>(SND_RESOURCE | SND_ASYNC));
    }
}

TEST_F(Lifecycle, EscapeAndTheCloseBoxActAsCancel) {
    ModalSession run(dlg);
    dlg.m_bShown = TRUE;
    ::ShowWindow(run.hwnd(), SW_SHOW);
    // Esc reaches the dialog through the loop's dialog-message handling.
    ::PostMessageA(::GetDlgItem(run.hwnd(), IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
    run.Settle();
    EXPECT_EQ(fakes.sound.Cues(), Cues(IDW_CUE_NO, 1));
    run.Send(WM_SYSCOMMAND, SC_CLOSE, 0);
    run.Settle();
    EXPECT_EQ(fakes.sound.Cues(), Cues(IDW_CUE_NO, 2));
    EXPECT_FALSE(run.Ended());
    EXPECT_FALSE(::IsWindowVisible(run.hwnd()));
}

TEST_F(Lifecycle, QuitAnsweredNoChangesNothing) {
    ModalSession run(dlg);
    run.boxes().Answer(IDNO);
    run.Command(ID_QUIT);
    EXPECT_EQ(fakes.sound.Cues(), Cues(IDW_CUE_NO, 4)) << "three before the question, one after";
    auto boxes = run.boxes().Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "CHIMO!: Exit...");
    EXPECT_EQ(boxes[0].text,
              "CHIMO! sound events will not play if you exit.\nDo you wish to continue?");
    EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes[0].owner, run.hwnd());
    run.Settle();
    EXPECT_FALSE(run.Ended());
    EXPECT_EQ(NimDeletes(fakes.tray), 0);
}

TEST_F(Lifecycle, QuitAnsweredYesRemovesTheIconAndEndsTheRun) {
    ModalSession run(dlg);
    run.boxes().Answer(IDYES);
    run.Command(ID_QUIT);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_EQ(run.Result(), IDCANCEL);
    std::vector<UINT> cues = Cues(IDW_CUE_NO, 3);
    cues.push_back(IDW_CUE_YES);
    EXPECT_EQ(fakes.sound.Cues(), cues);
    auto calls = fakes.tray.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_GE(NimDeletes(fakes.tray), 2) << "removed by the quit, and again by the clean-up";
    EXPECT_EQ(calls.back().message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(calls.back().data.uFlags, 0u) << "the final clean-up clears the flags";
}

TEST_F(Lifecycle, SystemMenuHasTheAboutItem) {
    ModalSession run(dlg);
    HMENU sys = ::GetSystemMenu(run.hwnd(), FALSE);
    ASSERT_NE(sys, nullptr);
    int n = ::GetMenuItemCount(sys);
    ASSERT_GE(n, 2);
    MENUITEMINFOA separator{};
    separator.cbSize = sizeof separator;
    separator.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoA(sys, n - 2, TRUE, &separator);
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
    char text[64] = "";
    ::GetMenuStringA(sys, n - 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About CHIMO...");
    EXPECT_EQ(::GetMenuItemID(sys, n - 1), static_cast<UINT>(IDM_ABOUT_SYS));
}

TEST_F(Lifecycle, OkSwitchesOffASleepTimerWithoutBothTimes) {
    ModalSession run(dlg);
    dlg.m_chkSleepTimer.SendMessage(BM_SETCHECK, BST_CHECKED);
    dlg.m_nSleepStart = 2200; // the stop time is unset
    run.Command(IDOK);
    EXPECT_EQ(dlg.m_chkSleepTimer.GetCheck(), BST_UNCHECKED);
    dlg.m_chkSleepTimer.SendMessage(BM_SETCHECK, BST_CHECKED);
    dlg.m_nSleepStop = 630;
    run.Command(IDOK);
    EXPECT_EQ(dlg.m_chkSleepTimer.GetCheck(), BST_CHECKED) << "both times set: left alone";
}

TEST_F(Lifecycle, ControlsAreBoundAndTheWindowStartsEnabled) {
    ModalSession run(dlg);
    EXPECT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(run.hwnd(), IDC_SOUND_HOUR)), &dlg.m_editHour);
    EXPECT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(run.hwnd(), IDC_SLEEP_TIMER)),
              &dlg.m_chkSleepTimer);
    EXPECT_EQ(dlg.m_chkDisable.GetCheck(), BST_UNCHECKED);
    EXPECT_FALSE(dlg.m_bDisabled);
    EXPECT_EQ(reinterpret_cast<HICON>(run.Send(WM_GETICON, ICON_BIG)), dlg.m_hMainIcon);
    EXPECT_NE(dlg.m_hMainIcon, nullptr);
}
