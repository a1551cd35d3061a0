// The About box and its link labels, from the real dialog: controls, links, tooltips, the
// About sound, the commands that open it and the .htm fallback of a link.
#include "FakeServices.h"
#include "LinkRules.h"
#include "ModalSession.h"
#include "StoredSettings.h"
#include "about/AboutBox.h"
#include "main/ChimeDlg.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string TextOf(HWND hwnd) {
    char buffer[256] = "";
    ::GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

RECT RectIn(HWND dialog, HWND control) {
    RECT r;
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

BOOL CALLBACK MatchAboutBox(HWND hwnd, LPARAM out) {
    if (TextOf(hwnd) != "About CHIMO!")
        return TRUE;
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
}

// The About box a thread has open, or nullptr after `ms`.
HWND FindAboutBox(DWORD thread, DWORD ms) {
    for (DWORD waited = 0;; waited += 20) {
        HWND found = nullptr;
        ::EnumThreadWindows(thread, MatchAboutBox, reinterpret_cast<LPARAM>(&found));
        if (found || waited >= ms)
            return found;
        ::Sleep(20);
    }
}

bool WaitGone(HWND hwnd, DWORD ms = 3000) {
    for (DWORD waited = 0; waited < ms; waited += 20) {
        if (!::IsWindow(hwnd))
            return true;
        ::Sleep(20);
    }
    return !::IsWindow(hwnd);
}

struct About : ::testing::Test {
    InstalledFakes fakes;
    void SetUp() override { ForgetStoredSettings(); }
    // OK ends the box's run (the session's own ending is for the main window).
    static void Close(ModalSession& run) {
        ::PostMessageA(run.hwnd(), WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(run.WaitForEnd());
    }
};

// Points HKEY_CLASSES_ROOT\.htm at a class whose open command is `command` for one scope
// (no command at all when empty), and puts the old association back afterwards.
class HtmAssociation {
public:
    explicit HtmAssociation(const std::string& command) {
        LONG size = sizeof m_oldClass;
        m_hadClass =
            ::RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", m_oldClass, &size) == ERROR_SUCCESS;
        ::RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, "ChimoTest.htm", 13);
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "ChimoTest.htm");
        if (!command.empty())
            ::RegSetValueA(HKEY_CLASSES_ROOT, "ChimoTest.htm\\shell\\open\\command", REG_SZ,
                           command.c_str(), static_cast<DWORD>(command.size()));
    }
    ~HtmAssociation() {
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "ChimoTest.htm");
        if (m_hadClass)
            ::RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, m_oldClass,
                           static_cast<DWORD>(lstrlenA(m_oldClass)));
        else
            ::RegDeleteTreeA(HKEY_CLASSES_ROOT, ".htm");
    }

private:
    char m_oldClass[MAX_PATH] = "";
    bool m_hadClass = false;
};

std::string TestProgram(const char* name) {
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

std::string ReadFile(const std::string& path, DWORD ms) {
    for (DWORD waited = 0;; waited += 50) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        if (!text.str().empty() || waited >= ms)
            return text.str();
        ::Sleep(50);
    }
}

const char kUnknownScheme[] = "chimo-test-nothing:abc";

} // namespace

TEST_F(About, ShowsItsTextsAndLinksAndPlaysTheAboutSound) {
    CAboutBox box;
    ModalSession run(box, false);
    HWND dlg = run.hwnd();
    EXPECT_EQ(TextOf(dlg), "About CHIMO!");
    EXPECT_EQ(::GetDlgItem(dlg, IDC_VERSION) ? TextOf(::GetDlgItem(dlg, IDC_VERSION)) : "",
              "CHIMO! Version 1.60");

    auto calls = fakes.sound.Calls();
    ASSERT_EQ(calls.size(), 1u) << "the About sound, once";
    EXPECT_EQ(calls[0].resource, static_cast<UINT>(IDW_ABOUT_SOUND));
    EXPECT_EQ(calls[0].flags, 0x00040005u);
    EXPECT_EQ(calls[0].module, AfxGetInstanceHandle());

    struct Link {
        CLinkLabel& label;
        int id;
        const char* text;
        const char* target;
    } links[] = {
        {box.m_linkWeb, IDC_WEB_LINK, "http://www.example.org/chimo/",
         "http://www.example.org/chimo/"},
        {box.m_linkMailA, IDC_MAIL_LINK_A, "chimo@EXAMPLE.ORG", kMailTargetA},
        {box.m_linkMailB, IDC_MAIL_LINK_B, "developers@EXAMPLE.ORG", kMailTargetB},
    };
    for (const Link& link : links) {
        HWND hwnd = ::GetDlgItem(dlg, link.id);
        ASSERT_EQ(link.label.m_hWnd, hwnd);
        EXPECT_EQ(TextOf(hwnd), link.text);
        EXPECT_EQ(link.label.m_strTarget, link.target);
        EXPECT_TRUE(::GetWindowLongA(hwnd, GWL_STYLE) & SS_NOTIFY) << link.text;
        EXPECT_EQ(link.label.m_ToolTip.GetText(&link.label, 1), link.target) << link.text;
        EXPECT_EQ(::SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
                  TRUE);
        // Fitted to its text in its own font, left and top edges kept.
        HDC dc = ::GetDC(hwnd);
        HGDIOBJ old =
            ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(hwnd, WM_GETFONT, 0, 0)));
        SIZE extent;
        ::GetTextExtentPoint32A(dc, link.text, lstrlenA(link.text), &extent);
        ::SelectObject(dc, old);
        ::ReleaseDC(hwnd, dc);
        RECT r = RectIn(dlg, hwnd);
        EXPECT_EQ(r.right - r.left, extent.cx) << link.text;
        EXPECT_EQ(r.bottom - r.top, extent.cy) << link.text;
    }
    std::string mailA = TextOf(box.m_linkMailA), mailB = TextOf(box.m_linkMailB);
    std::transform(mailA.begin(), mailA.end(), mailA.begin(), ::tolower);
    std::transform(mailB.begin(), mailB.end(), mailB.begin(), ::tolower);
    EXPECT_EQ("mailto:" + mailA, kMailTargetA);
    EXPECT_EQ("mailto:" + mailB, kMailTargetB);

    // The template's fifteen controls in order, and the rows of the links do not overlap.
    std::vector<HWND> controls;
    for (HWND c = ::GetWindow(dlg, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        controls.push_back(c);
    ASSERT_EQ(controls.size(), 15u);
    EXPECT_EQ(TextOf(controls[6]), "Email:");
    EXPECT_EQ(TextOf(controls[11]), "Web:");
    EXPECT_EQ(TextOf(controls[14]), "or");
    auto inOrder = [&](std::vector<int> row) {
        for (size_t i = 0; i + 1 < row.size(); ++i) {
            RECT a = RectIn(dlg, controls[row[i]]), b = RectIn(dlg, controls[row[i + 1]]);
            EXPECT_LE(a.right, b.left)
                << TextOf(controls[row[i]]) << " runs into " << TextOf(controls[row[i + 1]]);
        }
    };
    inOrder({6, 12, 14, 13}); // Email: chimo@... or developers@...
    inOrder({11, 5});         // Web: http://...
    Close(run);
}

TEST_F(About, LinksAreDrawnInTheirColoursWithAnUnderline) {
    CAboutBox box;
    ModalSession run(box, false);
    HWND link = box.m_linkMailA.m_hWnd;
    HDC dc = ::CreateCompatibleDC(nullptr);
    auto paint = [&] {
        return reinterpret_cast<HBRUSH>(run.Send(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(link)));
    };
    EXPECT_EQ(paint(), ::GetStockObject(NULL_BRUSH));
    EXPECT_EQ(::GetTextColor(dc), RGB(0, 0, 238));
    EXPECT_EQ(::GetBkMode(dc), TRANSPARENT);
    LOGFONTA font{};
    ::GetObjectA(::GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
    EXPECT_EQ(font.lfUnderline, 1);
    HFONT first = static_cast<HFONT>(::GetCurrentObject(dc, OBJ_FONT));
    box.m_linkMailA.MarkVisited(TRUE);
    paint();
    EXPECT_EQ(::GetTextColor(dc), RGB(85, 26, 139));
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), first) << "one underline font, kept";
    ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
    ::DeleteDC(dc);
    Close(run);
}

TEST_F(About, AClickFallsBackToTheHtmProgram) {
    const std::string record = "C:\\chimo-link-args.txt";
    ::SetEnvironmentVariableA("CHIMO_RECORD_ARGS", record.c_str());
    HtmAssociation htm("\"" + TestProgram("record_args.exe") + "\" \"%1\"");
    ::DeleteFileA(record.c_str());

    CAboutBox box;
    box.m_linkWeb.SetLinkTarget(kUnknownScheme);
    ModalSession run(box, false);
    ASSERT_LE(static_cast<int>(reinterpret_cast<INT_PTR>(
                  ::ShellExecuteA(nullptr, "open", kUnknownScheme, nullptr, nullptr, SW_SHOW))),
              32)
        << "the shell must not open the test target itself";
    // A real click: the static control notifies, the box reflects it to the link.
    ::SendMessageA(box.m_linkWeb.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ::SendMessageA(box.m_linkWeb.m_hWnd, WM_LBUTTONUP, 0, 0);
    std::string args = ReadFile(record, 5000);
    EXPECT_NE(args.find("record_args.exe\"  chimo-test-nothing:abc"), std::string::npos) << args;
    EXPECT_TRUE(box.m_linkWeb.m_bVisited);
    EXPECT_EQ(run.boxes().Count(), 0u);
    ::SetEnvironmentVariableA("CHIMO_RECORD_ARGS", nullptr);
    Close(run);
}

TEST_F(About, AFailedClickReportsTheLastCodeAndClearsVisited) {
    CAboutBox box;
    box.m_linkWeb.SetLinkTarget(kUnknownScheme);
    ModalSession run(box, false);
    const int shellCode = static_cast<int>(reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, "open", kUnknownScheme, nullptr, nullptr, SW_SHOW)));
    auto click = [&] {
        run.Send(WM_COMMAND, MAKEWPARAM(IDC_WEB_LINK, STN_CLICKED),
                 reinterpret_cast<LPARAM>(box.m_linkWeb.m_hWnd));
    };
    struct Row {
        std::string command; // of the .htm class; "" for none
        int code;            // reported
    } rows[] = {
        {"\"C:\\no-such-folder\\browser.exe\" \"%1\"", 2},   // WinExec's code
        {"", shellCode},                                     // no command: the shell's code
        {"\"" + std::string(250, 'p') + "\" %1", shellCode}, // fits the value, not the command
    };
    for (const Row& row : rows) {
        box.m_linkWeb.m_bVisited = TRUE; // as after an earlier successful click
        run.boxes().Clear();
        {
            HtmAssociation htm(row.command);
            box.m_linkWeb.SetLinkTarget(row.command.size() > 200
                                            ? std::string(kUnknownScheme) + std::string(300, 'x')
                                            : std::string(kUnknownScheme));
            click();
        }
        EXPECT_FALSE(box.m_linkWeb.m_bVisited) << row.command;
        auto boxes = run.boxes().Boxes();
        ASSERT_EQ(boxes.size(), 1u) << row.command;
        EXPECT_EQ(boxes[0].text, OpenErrorText(row.code)) << row.command;
        EXPECT_EQ(boxes[0].caption, AfxGetApp()->m_pszAppName);
        EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    }
    Close(run);
}

TEST_F(About, RegistryDefaultsAreReadSafely) {
    const char key[] = "Software\\ChimoTest";
    HKEY k;
    ::RegCreateKeyA(HKEY_CURRENT_USER, key, &k);
    char out[MAX_PATH];
    struct Row {
        std::string value; // "<none>" for a key without a default value
        LONG result;
        std::string read;
    } rows[] = {
        {"short", ERROR_SUCCESS, "short"},
        {std::string(259, 'v'), ERROR_SUCCESS, std::string(259, 'v')},
        {std::string(260, 'v'), ERROR_MORE_DATA, ""},
        {std::string(5000, 'v'), ERROR_MORE_DATA, ""},
        {"<none>", ERROR_SUCCESS, ""},
    };
    for (const Row& row : rows) {
        ::RegDeleteValueA(k, nullptr);
        if (row.value != "<none>")
            ::RegSetValueA(HKEY_CURRENT_USER, key, REG_SZ, row.value.c_str(),
                           static_cast<DWORD>(row.value.size()));
        lstrcpyA(out, "stale");
        EXPECT_EQ(CLinkLabel::ReadRegDefault(HKEY_CURRENT_USER, key, out), row.result)
            << row.value.size();
        EXPECT_EQ(std::string(out), row.read) << row.value.size();
    }
    ::RegCloseKey(k);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, key);
    lstrcpyA(out, "untouched");
    EXPECT_EQ(CLinkLabel::ReadRegDefault(HKEY_CURRENT_USER, key, out), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(std::string(out), "untouched");
}

TEST_F(About, TheButtonTheTrayItemAndSystemCommands16To31OpenIt) {
    CChimeDlg dlg;
    ModalSession run(dlg);
    struct Row {
        UINT message;
        WPARAM wParam;
        bool opens;
    } rows[] = {
        {WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED), true},
        {WM_COMMAND, IDC_ABOUT, true}, // the tray menu's item
        {WM_SYSCOMMAND, 16, true},
        {WM_SYSCOMMAND, 17, true},
        {WM_SYSCOMMAND, 31, true},
        {WM_SYSCOMMAND, 32, false},
        {WM_SYSCOMMAND, SC_CLOSE, false},
    };
    for (const Row& row : rows) {
        fakes.sound.Clear();
        ::PostMessageA(run.hwnd(), row.message, row.wParam, 0);
        HWND about = FindAboutBox(run.threadId(), row.opens ? 3000 : 500);
        EXPECT_EQ(about != nullptr, row.opens) << row.message << " " << row.wParam;
        if (!about)
            continue;
        EXPECT_EQ(::GetWindow(about, GW_OWNER), run.hwnd()) << "the hidden main window owns it";
        EXPECT_FALSE(::IsWindowEnabled(run.hwnd()));
        EXPECT_EQ(fakes.sound.Cues(), std::vector<UINT>{IDW_ABOUT_SOUND});
        ::PostMessageA(about, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitGone(about));
        run.Settle(100);
        EXPECT_FALSE(::IsWindowVisible(run.hwnd())) << "the settings window stays hidden";
        EXPECT_TRUE(::IsWindowEnabled(run.hwnd()));
    }
    EXPECT_FALSE(run.Ended());
}
