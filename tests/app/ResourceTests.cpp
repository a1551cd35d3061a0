// The embedded resources, read back from the module as Windows sees them.
#include "res/resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

const BYTE* Resource(LPCSTR type, UINT id, DWORD* size = nullptr, WORD lang = 0x0409) {
    HMODULE module = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceExA(module, type, MAKEINTRESOURCEA(id), lang);
    if (!found)
        return nullptr;
    if (size)
        *size = ::SizeofResource(module, found);
    return static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
}

// Reads the parts of a dialog template, extended or classic.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* p) : m_p(p) {}
    WORD Word() {
        WORD w;
        std::memcpy(&w, m_p, 2);
        m_p += 2;
        return w;
    }
    DWORD Dword() {
        DWORD d;
        std::memcpy(&d, m_p, 4);
        m_p += 4;
        return d;
    }
    void Align() {
        m_p = reinterpret_cast<const BYTE*>((reinterpret_cast<UINT_PTR>(m_p) + 3) & ~UINT_PTR(3));
    }
    // A string or an ordinal ("#n").
    std::string SzOrOrd() {
        WORD first = Word();
        if (first == 0xFFFF)
            return "#" + std::to_string(Word());
        std::string s;
        for (WORD c = first; c; c = Word())
            s += static_cast<char>(c);
        return s;
    }
    void Skip(size_t n) { m_p += n; }

private:
    const BYTE* m_p;
};

struct Control {
    int id;
    std::string cls;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    std::string text;
};

struct Dialog {
    DWORD style = 0, exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string caption, font;
    WORD pointSize = 0, weight = 0;
    BYTE italic = 0, charset = 0;
    bool extended = false;
    std::vector<Control> controls;
};

std::string ClassName(std::string cls);

Dialog ReadDialog(UINT id) {
    Dialog d;
    const BYTE* data = Resource(RT_DIALOG, id);
    if (!data)
        return d;
    TemplateReader r(data);
    WORD w0 = r.Word(), w1 = r.Word();
    WORD count;
    d.extended = (w0 == 1 && w1 == 0xFFFF);
    if (d.extended) {
        r.Dword(); // help id
        d.exStyle = r.Dword();
        d.style = r.Dword();
    } else {
        d.style = MAKELONG(w0, w1);
        d.exStyle = r.Dword();
    }
    count = r.Word();
    d.x = static_cast<short>(r.Word()), d.y = static_cast<short>(r.Word());
    d.cx = static_cast<short>(r.Word()), d.cy = static_cast<short>(r.Word());
    r.SzOrOrd(); // menu
    r.SzOrOrd(); // class
    d.caption = r.SzOrOrd();
    if (d.style & DS_SETFONT) {
        d.pointSize = r.Word();
        if (d.extended) {
            d.weight = r.Word();
            WORD italicCharset = r.Word();
            d.italic = LOBYTE(italicCharset);
            d.charset = HIBYTE(italicCharset);
        }
        d.font = r.SzOrOrd();
    }
    for (WORD i = 0; i < count; ++i) {
        r.Align();
        Control c;
        if (d.extended) {
            r.Dword(); // help id
            c.exStyle = r.Dword();
            c.style = r.Dword();
        } else {
            c.style = r.Dword();
            c.exStyle = r.Dword();
        }
        c.x = static_cast<short>(r.Word()), c.y = static_cast<short>(r.Word());
        c.cx = static_cast<short>(r.Word()), c.cy = static_cast<short>(r.Word());
        c.id = d.extended ? static_cast<int>(r.Dword()) : static_cast<short>(r.Word());
        c.cls = ClassName(r.SzOrOrd());
        c.text = r.SzOrOrd();
        r.Skip(r.Word());
        d.controls.push_back(c);
    }
    return d;
}

const char* kButton = "BUTTON";
const char* kEdit = "EDIT";
const char* kStatic = "STATIC";

// A control class may be stored by name or as its predefined ordinal; both mean the same.
std::string ClassName(std::string cls) {
    if (cls == "#128")
        return kButton;
    if (cls == "#129")
        return kEdit;
    if (cls == "#130")
        return kStatic;
    for (char& c : cls)
        c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    return cls;
}
// What other code relies on in a control: its id, class and text, in tab order, and the style
// bits that change behaviour (not where it sits).
struct Expected {
    int id;
    const char* cls;
    const char* text; // nullptr: our own wording, only not empty
    DWORD behaviour;  // these bits must be set...
    DWORD exStyle;    // ...and the extended style must be this
};
constexpr DWORD kTab = WS_TABSTOP;
constexpr DWORD kSlotEdit = ES_AUTOHSCROLL | ES_UPPERCASE | WS_TABSTOP;

void ExpectControls(const Dialog& d, const std::vector<Expected>& expected) {
    ASSERT_EQ(d.controls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Control& got = d.controls[i];
        const Expected& want = expected[i];
        SCOPED_TRACE("control #" + std::to_string(i + 1) + " " + got.text);
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(got.cls, want.cls);
        EXPECT_EQ(got.style & (WS_CHILD | WS_VISIBLE | WS_DISABLED), DWORD(WS_CHILD | WS_VISIBLE));
        EXPECT_EQ(got.style & want.behaviour, want.behaviour) << std::hex << got.style;
        if (want.cls == kButton) { // the button kind: push, default, check box, 3-state, group
            EXPECT_EQ(got.style & BS_TYPEMASK, want.behaviour & BS_TYPEMASK);
        }
        EXPECT_EQ(got.exStyle, want.exStyle);
        if (want.text) {
            EXPECT_EQ(got.text, want.text);
        } else {
            EXPECT_FALSE(got.text.empty());
        }
    }
}

} // namespace

// The settings window: hidden until shown (no WS_VISIBLE), titled "CHIMO!" (the mark other
// instances look for), and its controls in tab order with the styles the program relies on.
TEST(Resources, SettingsDialogTemplate) {
    Dialog d = ReadDialog(IDD_CHIME);
    EXPECT_TRUE(d.extended);
    EXPECT_EQ(d.style, 0x80C80AC4u);
    EXPECT_EQ(d.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_EQ(d.caption, "CHIMO!");
    EXPECT_EQ(d.font, "MS Sans Serif");
    EXPECT_EQ(d.pointSize, 8);
    const DWORD drop = WS_EX_ACCEPTFILES;
    ExpectControls(d, {
                          {IDOK, kButton, "&OK", BS_PUSHBUTTON | kTab, 0},
                          {IDCANCEL, kButton, "&Cancel", BS_PUSHBUTTON | kTab, 0},
                          {-1, kStatic, "Top of the hour:", 0, 0},
                          {-1, kStatic, "Quarter After:", 0, 0},
                          {-1, kStatic, "Half Past:", 0, 0},
                          {-1, kStatic, "Quarter 'Til:", 0, 0},
                          {IDC_SOUND_HOUR, kEdit, "", kSlotEdit, drop},
                          {IDC_SOUND_QUARTER_AFTER, kEdit, "", kSlotEdit, drop},
                          {IDC_SOUND_HALF_PAST, kEdit, "", kSlotEdit, drop},
                          {IDC_SOUND_QUARTER_TIL, kEdit, "", kSlotEdit, drop},
                          {IDC_USE_SAME, kButton, "Use same for all secondary CHIMO!s.",
                           BS_AUTOCHECKBOX | kTab, 0},
                          {-1, kButton, "Secondary CHIMO!s", BS_GROUPBOX, 0},
                          {IDC_DISABLE_SECONDARY, kButton, "Disable Secondary CHIMO!s.",
                           BS_AUTOCHECKBOX | kTab, 0},
                          {-1, kButton, "Primary CHIMO!", BS_GROUPBOX, 0},
                          {IDC_ABOUT, kButton, "&About", BS_DEFPUSHBUTTON | kTab, 0},
                          {IDC_BROWSE_HOUR, kButton, "Browse...", BS_PUSHBUTTON | kTab, 0},
                          {IDC_BROWSE_QUARTER_AFTER, kButton, "Browse...", BS_PUSHBUTTON | kTab, 0},
                          {IDC_BROWSE_HALF_PAST, kButton, "Browse...", BS_PUSHBUTTON | kTab, 0},
                          {IDC_BROWSE_QUARTER_TIL, kButton, "Browse...", BS_PUSHBUTTON | kTab, 0},
                          {IDC_PLAY_HOUR, kButton, "Play", BS_PUSHBUTTON | kTab, 0},
                          {IDC_PLAY_QUARTER_AFTER, kButton, "Play", BS_PUSHBUTTON | kTab, 0},
                          {IDC_PLAY_HALF_PAST, kButton, "Play", BS_PUSHBUTTON | kTab, 0},
                          {IDC_PLAY_QUARTER_TIL, kButton, "Play", BS_PUSHBUTTON | kTab, 0},
                          {IDC_MULTI, kButton, "Multi-CHIMO!", BS_AUTOCHECKBOX | kTab, 0},
                          {IDC_DISABLE, kButton, "Disable", BS_AUTOCHECKBOX | BS_NOTIFY | kTab, 0},
                          {-1, kButton, "", BS_GROUPBOX, 0},
                          {IDC_SLEEP_TIMER, kButton, "Sleep Timer", BS_AUTO3STATE | kTab, 0},
                          {-1, kStatic, "Start Time", 0, 0},
                          {-1, kStatic, "Stop Time", 0, 0},
                          {IDC_SLEEP_START, kEdit, "", ES_AUTOHSCROLL | kTab, 0},
                          {IDC_SLEEP_STOP, kEdit, "", ES_AUTOHSCROLL | kTab, 0},
                          {ID_QUIT, kButton, "&Quit", BS_PUSHBUTTON | kTab, 0},
                      });
}

// The About box: its texts, the three links (notifying statics, the web link on one line) and
// the icon.
TEST(Resources, AboutDialogTemplate) {
    Dialog d = ReadDialog(IDD_ABOUT_BOX);
    EXPECT_EQ(d.caption, "About CHIMO!");
    EXPECT_EQ(d.font, "MS Sans Serif");
    EXPECT_EQ(d.pointSize, 8);
    ExpectControls(d, {
                          {-1, kStatic, "#128", SS_ICON, 0},
                          {IDC_VERSION, kStatic, "CHIMO! Version 1.60", SS_NOPREFIX, 0},
                          {-1, kStatic, nullptr, 0, 0},
                          {IDOK, kButton, "OK", BS_DEFPUSHBUTTON | kTab, 0},
                          {-1, kStatic, nullptr, 0, 0},
                          {IDC_WEB_LINK, kStatic, nullptr, SS_LEFTNOWORDWRAP, 0},
                          {-1, kStatic, "Email:", 0, 0},
                          {-1, kStatic, nullptr, 0, 0},
                          {-1, kStatic, nullptr, 0, 0},
                          {-1, kStatic, nullptr, 0, 0},
                          {-1, kStatic, nullptr, 0, 0},
                          {-1, kStatic, "Web:", 0, 0},
                          {IDC_MAIL_LINK_A, kStatic, nullptr, 0, 0},
                          {IDC_MAIL_LINK_B, kStatic, nullptr, 0, 0},
                          {-1, kStatic, "or", 0, 0},
                      });
}

TEST(Resources, SoundsAreWaveFilesInTheirFormats) {
    struct Row {
        UINT id;
        WORD channels;
        DWORD rate;
        WORD bits;
        double seconds;
    } rows[] = {{IDW_ABOUT_SOUND, 1, 8000, 16, 5.25},
                {IDW_CUE_NO, 1, 12800, 8, 0.47},
                {IDW_CUE_YES, 1, 12800, 8, 1.06}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        DWORD size = 0;
        const BYTE* p = Resource("WAVE", row.id, &size);
        ASSERT_NE(p, nullptr);
        ASSERT_GT(size, 44u);
        EXPECT_EQ(std::memcmp(p, "RIFF", 4), 0);
        EXPECT_EQ(std::memcmp(p + 8, "WAVE", 4), 0);
        // Walk the chunks for "fmt " and "data".
        WORD format = 0, channels = 0, bits = 0;
        DWORD rate = 0, dataSize = 0;
        for (DWORD at = 12; at + 8 <= size;) {
            DWORD chunk;
            std::memcpy(&chunk, p + at + 4, 4);
            if (std::memcmp(p + at, "fmt ", 4) == 0) {
                std::memcpy(&format, p + at + 8, 2);
                std::memcpy(&channels, p + at + 10, 2);
                std::memcpy(&rate, p + at + 12, 4);
                std::memcpy(&bits, p + at + 22, 2);
            } else if (std::memcmp(p + at, "data", 4) == 0) {
                dataSize = chunk;
            }
            at += 8 + chunk + (chunk & 1);
        }
        EXPECT_EQ(format, WAVE_FORMAT_PCM);
        EXPECT_EQ(channels, row.channels);
        EXPECT_EQ(rate, row.rate);
        EXPECT_EQ(bits, row.bits);
        double seconds = static_cast<double>(dataSize) / (rate * channels * (bits / 8));
        EXPECT_NEAR(seconds, row.seconds, 0.02);
    }
}

TEST(Resources, IconsCursorMenuAndString) {
    struct Row {
        UINT id;
        WORD classic; // 16-colour images first: 32x32, and 16x16 where there are two
    } icons[] = {{IDI_MAIN, 2},
                 {IDI_TRAY_ACTIVE, 2},
                 {IDI_TRAY_DISABLED, 1},
                 {IDI_TRAY_SLEEPING, 1},
                 {IDI_TRAY_RINGING, 1}};
    const BYTE sharp[] = {16, 20, 24, 32, 40, 48}; // then 32-bit ones, for every display scale
    for (const Row& row : icons) {
        SCOPED_TRACE(row.id);
        const BYTE* group = Resource(RT_GROUP_ICON, row.id);
        ASSERT_NE(group, nullptr);
        WORD count;
        std::memcpy(&count, group + 4, 2);
        ASSERT_EQ(count, row.classic + std::size(sharp));
        for (WORD i = 0; i < count; ++i) {
            const BYTE* entry = group + 6 + 14 * i;
            WORD bitCount;
            std::memcpy(&bitCount, entry + 6, 2);
            EXPECT_EQ(entry[0], i < row.classic ? (i == 0 ? 32 : 16) : sharp[i - row.classic]);
            EXPECT_EQ(bitCount, i < row.classic ? 4 : 32);
        }
    }
    EXPECT_NE(Resource(RT_GROUP_CURSOR, IDC_LINK_CURSOR), nullptr);
    EXPECT_NE(::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_LINK_CURSOR)),
              nullptr);
    EXPECT_NE(Resource(RT_VERSION, 1), nullptr);

    HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU));
    ASSERT_NE(menu, nullptr);
    HMENU popup = ::GetSubMenu(menu, 0);
    struct Item {
        UINT id;
        const char* text;
    } items[] = {{IDC_ABOUT, "&About"},      {0, ""},
                 {ID_SETTINGS, "&Settings"}, {ID_SLEEP, "S&leep"},
                 {IDC_DISABLE, "&Disable"},  {ID_QUIT, "&Quit"}};
    ASSERT_EQ(::GetMenuItemCount(popup), 6);
    for (int i = 0; i < 6; ++i) {
        char text[64] = "";
        ::GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_EQ(::GetMenuItemID(popup, i), items[i].id);
        EXPECT_STREQ(text, items[i].text);
    }
    ::DestroyMenu(menu);

    char item[64] = "";
    ::LoadStringA(::GetModuleHandleA(nullptr), IDS_ABOUT_ITEM, item, sizeof item);
    EXPECT_STREQ(item, "&About CHIMO...");
}
