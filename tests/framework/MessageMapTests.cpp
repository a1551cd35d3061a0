#include "Afx.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr UINT WM_TEST_RAW = WM_APP + 1;
constexpr UINT WM_TEST_THROW = WM_APP + 2;

const char* RegisterTestClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "FrameworkTestWindow";
        ::RegisterClassA(&wc);
        return "FrameworkTestWindow";
    }();
    return name;
}

class BaseWindow : public CWnd {
public:
    std::vector<std::string> log;
    const MessageMap& GetMessageMap() const override {
        static const MessageMap map{&CWnd::GetMessageMap(),
                                    {
                                        on::Message<WM_TIMER>(&BaseWindow::OnBaseTimer),
                                        on::Command(300, &BaseWindow::OnBase300),
                                        on::Command(301, &BaseWindow::OnBase301),
                                        on::Message<WM_CREATE>(&BaseWindow::OnCreate),
                                    }};
        return map;
    }
    void OnBaseTimer(UINT_PTR id) { log.push_back("base timer " + std::to_string(id)); }
    void OnBase300() { log.push_back("base 300"); }
    void OnBase301() { log.push_back("base 301"); }
    int OnCreate(LPCREATESTRUCTA cs) {
        log.push_back(std::string("create ") + (cs->lpszName ? cs->lpszName : ""));
        return static_cast<int>(Default());
    }
};

class DerivedWindow : public BaseWindow {
public:
    const MessageMap& GetMessageMap() const override {
        static const MessageMap map{
            &BaseWindow::GetMessageMap(),
            {
                on::Command(300, &DerivedWindow::OnDerived300),
                on::CommandRange(400, 409, &DerivedWindow::OnRange),
                on::Control(EN_KILLFOCUS, 500, &DerivedWindow::OnKillFocus500),
                on::Registered("FrameworkTest.Registered", &DerivedWindow::OnRegistered),
                on::Raw(WM_TEST_RAW, &DerivedWindow::OnRaw),
                on::Raw(WM_TEST_THROW, &DerivedWindow::OnThrow),
            }};
        return map;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (wParam == 129) { // seen before the map, whatever the map says
            log.push_back("virtual 129/" + std::to_string(lParam));
            return TRUE;
        }
        return BaseWindow::OnCommand(wParam, lParam);
    }
    void OnDerived300() { log.push_back("derived 300"); }
    void OnRange(UINT id) { log.push_back("range " + std::to_string(id)); }
    void OnKillFocus500() { log.push_back("killfocus 500"); }
    void OnRegistered() { log.push_back("registered"); }
    LRESULT OnRaw(WPARAM w, LPARAM l) {
        log.push_back("raw");
        return static_cast<LRESULT>(w + l);
    }
    LRESULT OnThrow(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }
};

class ReflectingButton : public CButton {
public:
    std::vector<std::string> log;
    HBRUSH brush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    const MessageMap& GetMessageMap() const override {
        static const MessageMap map{
            &CButton::GetMessageMap(),
            {
                on::ReflectCommand(BN_CLICKED, &ReflectingButton::OnClicked),
                on::ReflectCtlColor(&ReflectingButton::CtlColor),
            }};
        return map;
    }
    void OnClicked() { log.push_back("clicked"); }
    HBRUSH CtlColor(CDC* dc, UINT kind) {
        log.push_back("ctlcolor " + std::to_string(kind));
        dc->SetBkMode(TRANSPARENT);
        return brush;
    }
};

std::vector<std::string> g_reported;
void RecordReport(const char* what) { g_reported.push_back(what); }

struct Window : ::testing::Test {
    DerivedWindow wnd;
    void SetUp() override {
        RECT r{0, 0, 100, 100};
        ASSERT_TRUE(wnd.CreateEx(0, RegisterTestClass(), "test window", WS_OVERLAPPEDWINDOW, r,
                                 nullptr, 0));
        wnd.log.clear();
    }
};

} // namespace

TEST_F(Window, CreationIsSeenByTheObjectFromTheFirstMessage) {
    DerivedWindow other;
    RECT r{0, 0, 10, 10};
    ASSERT_TRUE(other.CreateEx(0, RegisterTestClass(), "second", WS_POPUP, r, nullptr, 0));
    ASSERT_EQ(other.log.size(), 1u);
    EXPECT_EQ(other.log[0], "create second");
    EXPECT_EQ(CWnd::FromHandlePermanent(other.m_hWnd), &other);
}

TEST_F(Window, MessagesReachTheMostDerivedEntry) {
    struct Row {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const char* handled; // nullptr: nothing in the map ran
    } rows[] = {
        {WM_COMMAND, 300, 0, "derived 300"}, // derived entry hides the base one
        {WM_COMMAND, 301, 0, "base 301"},    // base entry reached through the chain
        {WM_COMMAND, 400, 0, "range 400"},
        {WM_COMMAND, 409, 0, "range 409"},
        {WM_COMMAND, 410, 0, nullptr},
        {WM_COMMAND, 399, 0, nullptr},
        {WM_COMMAND, MAKEWPARAM(500, EN_KILLFOCUS), 0, "killfocus 500"},
        {WM_COMMAND, MAKEWPARAM(500, EN_SETFOCUS), 0, nullptr}, // other code: no entry
        {WM_COMMAND, MAKEWPARAM(300, 1), 0, nullptr},           // accelerator code 1
        {WM_COMMAND, 129, 515, "virtual 129/515"},              // the virtual comes first
        {WM_TIMER, 7, 0, "base timer 7"},
        {WM_TEST_RAW, 2, 3, "raw"},
    };
    for (const Row& row : rows) {
        wnd.log.clear();
        wnd.SendMessage(row.message, row.wParam, row.lParam);
        if (row.handled) {
            ASSERT_EQ(wnd.log.size(), 1u) << row.handled;
            EXPECT_EQ(wnd.log[0], row.handled);
        } else {
            EXPECT_TRUE(wnd.log.empty())
                << row.message << "/" << row.wParam << ": " << (wnd.log.empty() ? "" : wnd.log[0]);
        }
    }
    EXPECT_EQ(wnd.SendMessage(WM_TEST_RAW, 2, 3), 5);
}

TEST_F(Window, RegisteredMessagesMatchTheirRunTimeNumber) {
    UINT id = ::RegisterWindowMessageA("FrameworkTest.Registered");
    ASSERT_NE(id, 0u);
    wnd.SendMessage(id);
    wnd.SendMessage(::RegisterWindowMessageA("FrameworkTest.SomethingElse"));
    ASSERT_EQ(wnd.log, std::vector<std::string>{"registered"});
}

TEST_F(Window, ChildNotificationsAreReflectedToTheChild) {
    HWND child = ::CreateWindowExA(0, "BUTTON", "b", WS_CHILD | BS_PUSHBUTTON, 0, 0, 10, 10,
                                   wnd.m_hWnd, reinterpret_cast<HMENU>(300), nullptr, nullptr);
    ReflectingButton button;
    ASSERT_TRUE(button.SubclassWindow(child));

    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(300, BN_CLICKED), reinterpret_cast<LPARAM>(child));
    EXPECT_EQ(button.log, std::vector<std::string>{"clicked"});
    EXPECT_TRUE(wnd.log.empty()) << "the parent's entry for 300 must not run: " << wnd.log[0];

    HDC dc = ::GetDC(child);
    LRESULT brush = wnd.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(child));
    ::ReleaseDC(child, dc);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), button.brush);
    ASSERT_EQ(button.log.size(), 2u);
    EXPECT_EQ(button.log[1], "ctlcolor " + std::to_string(CTLCOLOR_STATIC));

    // A notification code the child has no entry for goes on to the parent's map.
    button.log.clear();
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(301, BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(child));
    EXPECT_TRUE(button.log.empty());
}

TEST_F(Window, AnExceptionStopsAtTheWindowProcedure) {
    g_reported.clear();
    ExceptionReporter previous = SetExceptionReporter(RecordReport);
    LRESULT result = wnd.SendMessage(WM_TEST_THROW);
    SetExceptionReporter(previous);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(g_reported.size(), 1u);
    EXPECT_EQ(g_reported[0], "handler failed");
    // The window still works afterwards.
    wnd.SendMessage(WM_COMMAND, 301, 0);
    EXPECT_EQ(wnd.log.back(), "base 301");
}

TEST_F(Window, DestructionUnbindsTheObject) {
    HWND hwnd = wnd.m_hWnd;
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}
