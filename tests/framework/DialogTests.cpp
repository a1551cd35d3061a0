#include "Afx.h"
#include "FrameworkTestIds.h"
#include "MessageBoxAnswerer.h"
#include "ModalSession.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

namespace {

constexpr UINT WM_TEST_PROBE = WM_APP + 10;
constexpr UINT WM_TEST_BOX = WM_APP + 11;

class TrackedEdit : public CEdit {
public:
    std::vector<std::string>* log = nullptr;
    void PreSubclassWindow() override {
        // Attached, but the window procedure is still the control's own.
        log->push_back(
            "presubclass " + std::string(GetWindowText()) +
            (::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(AfxWndProc)
                 ? " subclassed"
                 : " not yet"));
    }
};

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(IDD_TEST) { m_edit.log = &log; }
    std::vector<std::string> log;
    TrackedEdit m_edit;
    CButton m_check;
    int m_checkValue = 2;
    std::atomic<int> okCount{0}, cancelCount{0};
    bool visibleAtProbe = false;
    bool endOnOk = true;

    const MessageMap& GetMessageMap() const override {
        static const MessageMap map{&CDialog::GetMessageMap(),
                                    {
                                        on::Message<WM_CREATE>(&TestDialog::OnCreate),
                                        on::Raw(WM_TEST_PROBE, &TestDialog::OnProbe),
                                        on::Raw(WM_TEST_BOX, &TestDialog::OnBox),
                                    }};
        return map;
    }
    int OnCreate(LPCREATESTRUCTA) {
        log.push_back(::GetWindow(m_hWnd, GW_CHILD) ? "create: controls exist"
                                                    : "create: no controls yet");
        return static_cast<int>(Default());
    }
    LRESULT OnBox(WPARAM, LPARAM) { return AfxMessageBox("A question", MB_OK); }
    LRESULT OnProbe(WPARAM, LPARAM) {
        visibleAtProbe = IsWindowVisible() != 0;
        return 1;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_TEST_EDIT, m_edit);
        DDX_Control(pDX, IDC_TEST_CHECK, m_check);
        DDX_Check(pDX, IDC_TEST_CHECK, m_checkValue);
        log.push_back(pDX->m_bSaveAndValidate ? "ddx save" : "ddx load");
    }
    BOOL OnInitDialog() override {
        log.push_back("init");
        return CDialog::OnInitDialog();
    }
    void OnOK() override {
        ++okCount;
        if (endOnOk)
            CDialog::OnOK();
    }
    void OnCancel() override {
        ++cancelCount;
        CDialog::OnCancel();
    }
};

} // namespace

TEST(ModalDialog, CreationOrderAndDataExchange) {
    TestDialog dlg;
    {
        ModalSession run(dlg, false);
        ASSERT_NE(run.hwnd(), nullptr);
        const std::vector<std::string> expected = {"create: no controls yet", "init",
                                                   "presubclass start text not yet", "ddx load"};
        EXPECT_EQ(dlg.log, expected);
        EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_edit.m_hWnd), &dlg.m_edit);
        EXPECT_EQ(dlg.m_check.GetCheck(), BST_INDETERMINATE) << "DDX_Check loads the member";
        dlg.m_check.SendMessage(BM_SETCHECK, BST_CHECKED);
        run.Command(IDOK); // OnOK saves through DDX and ends the run
        ASSERT_TRUE(run.WaitForEnd());
        EXPECT_EQ(run.Result(), IDOK);
    }
    EXPECT_EQ(dlg.m_checkValue, BST_CHECKED);
    EXPECT_EQ(dlg.log.back(), "ddx save");
    EXPECT_EQ(dlg.m_hWnd, nullptr) << "the window is destroyed when the run ends";
}

TEST(ModalDialog, ShownOnceIdleAndOwnerDisabledForTheRun) {
    CWnd main;
    RECT r{0, 0, 50, 50};
    ASSERT_TRUE(main.CreateEx(0, "STATIC", "owner", WS_POPUP, r, nullptr, 0));
    AfxGetApp()->m_pMainWnd = &main;
    TestDialog dlg;
    {
        ModalSession run(dlg, false);
        run.Settle();
        run.Send(WM_TEST_PROBE);
        EXPECT_TRUE(dlg.visibleAtProbe) << "the modal loop shows the dialog once idle";
        EXPECT_EQ(::GetWindow(run.hwnd(), GW_OWNER), main.m_hWnd) << "the main window owns it";
        EXPECT_FALSE(main.IsWindowEnabled()) << "the owner is disabled during the run";
        // A box of the application's is modal to the dialog the user is looking at.
        run.Send(WM_TEST_BOX);
        ASSERT_EQ(run.boxes().Count(), 1u);
        EXPECT_EQ(run.boxes().Boxes()[0].owner, run.hwnd());
        run.Command(IDCANCEL);
        ASSERT_TRUE(run.WaitForEnd());
        EXPECT_EQ(run.Result(), IDCANCEL);
    }
    EXPECT_TRUE(main.IsWindowEnabled()) << "and enabled again afterwards";
    AfxGetApp()->m_pMainWnd = nullptr;
}

TEST(ModalDialog, EscAndCloseArriveAsCancel) {
    TestDialog dlg;
    dlg.endOnOk = false;
    ModalSession run(dlg, false);
    run.Settle();
    // The caption's Close button.
    run.Send(WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_EQ(dlg.cancelCount, 1);
    EXPECT_EQ(dlg.okCount, 0);
}

TEST(ModalDialog, QuitMessageEndsTheRun) {
    TestDialog dlg;
    ModalSession run(dlg, false);
    ::PostThreadMessageA(run.threadId(), WM_QUIT, 0, 0);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_EQ(run.Result(), -1);
}

TEST(MessageBoxes, TheAnswererReadsAndAnswersThem) {
    MessageBoxAnswerer boxes;
    boxes.Answer(IDYES);
    EXPECT_EQ(AfxMessageBox("First line\nsecond", MB_YESNO | MB_ICONEXCLAMATION), IDYES);
    EXPECT_EQ(::MessageBoxA(nullptr, "Plain", "Caption", MB_OK), IDOK);
    EXPECT_EQ(::MessageBoxA(nullptr, "Unscripted", "Q", MB_YESNO | MB_ICONQUESTION), IDNO);
    auto seen = boxes.Boxes();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].caption, AfxGetApp()->m_pszAppName);
    EXPECT_EQ(seen[0].text, "First line\nsecond");
    EXPECT_EQ(seen[0].style, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(seen[1].caption, "Caption");
    EXPECT_EQ(seen[1].style, static_cast<UINT>(MB_OK));
    EXPECT_EQ(seen[2].style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
}

TEST(Framework, StringResourcesAndWaitCursor) {
    CString s;
    EXPECT_TRUE(s.LoadString(IDS_TEST_STRING));
    EXPECT_STREQ(s, "A string resource");
    EXPECT_FALSE(s.LoadString(9999));
    EXPECT_TRUE(s.IsEmpty());

    CWinApp* app = AfxGetApp();
    struct Step {
        int code;
        int count;
    } steps[] = {{-1, 0}, {1, 1}, {1, 2}, {-1, 1}, {-1, 0},
                 {-1, 0}, {0, 0}, {1, 1}, {0, 1},  {-1, 0}};
    for (const Step& step : steps) {
        app->DoWaitCursor(step.code);
        EXPECT_EQ(app->GetWaitCursorCount(), step.count) << "after " << step.code;
    }
}

TEST(Framework, MenusOwnOrBorrow) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 42, "&Item");
    CMenuHandle borrowed = menu.GetSafeHmenu();
    EXPECT_EQ(borrowed.GetMenuItemID(0), 42u);
    EXPECT_STREQ(borrowed.GetMenuString(0, MF_BYPOSITION), "&Item");
    borrowed.CheckMenuItem(42, MF_BYCOMMAND | MF_CHECKED);
    EXPECT_TRUE(menu.GetMenuState(42, MF_BYCOMMAND) & MF_CHECKED);
    HMENU handle = menu.GetSafeHmenu();
    CMenu moved(std::move(menu));
    EXPECT_EQ(menu.GetSafeHmenu(), nullptr);
    moved.DestroyMenu();
    EXPECT_FALSE(::IsMenu(handle));
}
