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
    WORD Word() { WORD w; std::memcpy(&w, m_p, 2); m_p += 2; return w; }
    DWORD Dword() { DWORD d; std::memcpy(&d, m_p, 4); m_p += 4; return d; }
    void Align() { m_p = reinterpret_cast<const BYTE*>((reinterpret_cast<UINT_PTR>(m_p) + 3) & ~UINT_PTR(3)); }
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

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
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
constexpr DWORD kSlotEdit = kChild | WS_BORDER | ES_AUTOHSCROLL | ES_UPPERCASE | WS_TABSTOP;
constexpr DWORD kTimeEdit = kChild | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kLabel = kChild | SS_LEFT | WS_GROUP;
constexpr DWORD kPush = kChild | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCheck = kChild | BS_AUTOCHECKBOX | WS_TABSTOP;

} // namespace

TEST(Resources, SettingsDialogTemplate) {
    Dialog d = ReadDialog(IDD_CHIME);
    EXPECT_TRUE(d.extended);
    EXPECT_EQ(d.style, 0x80C80AC4u);
    EXPECT_EQ(d.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_EQ(d.caption, "CHIMO!");
    EXPECT_EQ(d.cx, 338);
    EXPECT_EQ(d.cy, 191);
    EXPECT_EQ(d.font, "MS Sans Serif");
    EXPECT_EQ(d.pointSize, 8);
    EXPECT_EQ(d.weight, 0);
    EXPECT_EQ(d.italic, 0);
    EXPECT_EQ(d.charset, DEFAULT_CHARSET);

    const Control expected[] = {
        {IDOK, kButton, kPush, 0, 281, 7, 50, 14, "&OK"},
        {IDCANCEL, kButton, kPush, 0, 281, 23, 50, 14, "&Cancel"},
        {-1, kStatic, kLabel, 0, 23, 15, 52, 8, "Top of the hour:"},
        {-1, kStatic, kLabel, 0, 23, 74, 43, 8, "Quarter After:"},
        {-1, kStatic, kLabel, 0, 23, 100, 32, 8, "Half Past:"},
        {-1, kStatic, kLabel, 0, 23, 125, 37, 8, "Quarter 'Til:"},
        {IDC_SOUND_HOUR, kEdit, kSlotEdit, WS_EX_ACCEPTFILES, 25, 23, 152, 13, ""},
        {IDC_SOUND_QUARTER_AFTER, kEdit, kSlotEdit, WS_EX_ACCEPTFILES, 23, 82, 152, 13, ""},
        {IDC_SOUND_HALF_PAST, kEdit, kSlotEdit, WS_EX_ACCEPTFILES, 23, 108, 152, 13, ""},
        {IDC_SOUND_QUARTER_TIL, kEdit, kSlotEdit, WS_EX_ACCEPTFILES, 23, 134, 152, 13, ""},
        {IDC_USE_SAME, kButton, kCheck, 0, 21, 154, 131, 10, "Use same for all secondary CHIMO!s."},
        {-1, kButton, kChild | BS_GROUPBOX, 0, 7, 66, 263, 118, "Secondary CHIMO!s"},
        {IDC_DISABLE_SECONDARY, kButton, kCheck, 0, 21, 167, 106, 10, "Disable Secondary CHIMO!s."},
        {-1, kButton, kChild | BS_GROUPBOX, 0, 7, 7, 263, 49, "Primary CHIMO!"},
        {IDC_ABOUT, kButton, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 281, 70, 50, 14, "&About"},
        {IDC_BROWSE_HOUR, kButton, kPush, 0, 180, 23, 39, 13, "Browse..."},
        {IDC_BROWSE_QUARTER_AFTER, kButton, kPush, 0, 179, 82, 39, 13, "Browse..."},
        {IDC_BROWSE_HALF_PAST, kButton, kPush, 0, 179, 108, 39, 13, "Browse..."},
        {IDC_BROWSE_QUARTER_TIL, kButton, kPush, 0, 179, 134, 39, 13, "Browse..."},
        {IDC_PLAY_HOUR, kButton, kPush, 0, 224, 23, 39, 13, "Play"},
        {IDC_PLAY_QUARTER_AFTER, kButton, kPush, 0, 224, 82, 39, 13, "Play"},
        {IDC_PLAY_HALF_PAST, kButton, kPush, 0, 224, 108, 39, 13, "Play"},
        {IDC_PLAY_QUARTER_TIL, kButton, kPush, 0, 224, 134, 39, 13, "Play"},
        {IDC_MULTI, kButton, kCheck, 0, 25, 42, 56, 10, "Multi-CHIMO!"},
        {IDC_DISABLE, kButton, kCheck | BS_NOTIFY, 0, 273, 167, 39, 11, "Disable"},
        {-1, kButton, kChild | BS_GROUPBOX, 0, 277, 92, 54, 64, ""},
        {IDC_SLEEP_TIMER, kButton, kChild | BS_AUTO3STATE | WS_TABSTOP, 0, 274, 92, 50, 11, "Sleep Timer"},
        {-1, kStatic, kLabel, 0, 280, 105, 33, 8, "Start Time"},
        {-1, kStatic, kLabel, 0, 280, 129, 33, 8, "Stop Time"},
        {IDC_SLEEP_START, kEdit, kTimeEdit, 0, 284, 114, 40, 14, ""},
        {IDC_SLEEP_STOP, kEdit, kTimeEdit, 0, 284, 137, 40, 14, ""},
        {ID_QUIT, kButton, kPush, 0, 281, 54, 50, 14, "&Quit"},
    };
    ASSERT_EQ(d.controls.size(), std::size(expected));
    for (size_t i = 0; i < d.controls.size(); ++i) {
        const Control& got = d.controls[i];
        const Control& want = expected[i];
        SCOPED_TRACE("control #" + std::to_string(i + 1) + " " + want.text);
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(got.cls, want.cls);
        EXPECT_EQ(got.style, want.style) << std::hex << got.style << " vs " << want.style;
        EXPECT_EQ(got.exStyle, want.exStyle);
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
        EXPECT_EQ(got.cx, want.cx);
        EXPECT_EQ(got.cy, want.cy);
        EXPECT_EQ(got.text, want.text);
    }
}

TEST(Resources, AboutDialogTemplate) {
    Dialog d = ReadDialog(IDD_ABOUT_BOX);
    EXPECT_FALSE(d.extended);
    EXPECT_EQ(d.style, 0x80C800C0u);
    EXPECT_EQ(d.exStyle, 0u);
    EXPECT_EQ(d.caption, "About CHIMO!");
    EXPECT_EQ(d.cx, 288);
    EXPECT_EQ(d.cy, 135);
    EXPECT_EQ(d.font, "MS Sans Serif");
    EXPECT_EQ(d.pointSize, 8);
    struct Row {
        int id;
        const char* cls;
        DWORD style;
        short x, y, cx, cy;
        const char* text; // nullptr: our own wording, not checked here
    } rows[] = {
        {-1, kStatic, kChild | SS_ICON | SS_SUNKEN, 7, 15, 20, 20, "#128"},
        {IDC_VERSION, kStatic, kLabel | SS_NOPREFIX, 40, 10, 192, 8, "CHIMO! Version 1.60"},
        {-1, kStatic, kLabel, 40, 30, 191, 8, nullptr},
        {IDOK, kButton, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 249, 7, 32, 14, "OK"},
        {-1, kStatic, kLabel, 40, 20, 110, 8, nullptr},
        {IDC_WEB_LINK, kStatic, kChild | SS_LEFTNOWORDWRAP | WS_GROUP, 60, 105, 151, 8, nullptr},
        {-1, kStatic, kLabel, 39, 116, 20, 8, "Email:"},
        {-1, kStatic, kLabel, 40, 52, 197, 8, nullptr},
        {-1, kStatic, kLabel, 40, 62, 171, 8, nullptr},
        {-1, kStatic, kLabel, 40, 72, 157, 8, nullptr},
        {-1, kStatic, kLabel, 38, 94, 211, 8, nullptr},
        {-1, kStatic, kLabel, 38, 105, 21, 8, "Web:"},
        {IDC_MAIL_LINK_A, kStatic, kLabel, 60, 116, 73, 8, nullptr},
        {IDC_MAIL_LINK_B, kStatic, kLabel, 149, 116, 117, 8, nullptr},
        {-1, kStatic, kLabel, 138, 116, 10, 8, "or"},
    };
    ASSERT_EQ(d.controls.size(), std::size(rows));
    for (size_t i = 0; i < d.controls.size(); ++i) {
        const Control& got = d.controls[i];
        SCOPED_TRACE("about control #" + std::to_string(i + 1));
        EXPECT_EQ(got.id, rows[i].id);
        EXPECT_EQ(got.cls, rows[i].cls);
        EXPECT_EQ(got.style, rows[i].style) << std::hex << got.style;
        EXPECT_EQ(got.x, rows[i].x);
        EXPECT_EQ(got.y, rows[i].y);
        EXPECT_EQ(got.cx, rows[i].cx);
        EXPECT_EQ(got.cy, rows[i].cy);
        if (rows[i].text)
            EXPECT_EQ(got.text, rows[i].text);
        else
            EXPECT_FALSE(got.text.empty());
    }
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
        WORD images; // sizes in the group: 32x32, and 16x16 where there are two
    } icons[] = {{IDI_MAIN, 2},          {IDI_TRAY_ACTIVE, 2},   {IDI_TRAY_DISABLED, 1},
                 {IDI_TRAY_SLEEPING, 1}, {IDI_TRAY_RINGING, 1}};
    for (const Row& row : icons) {
        SCOPED_TRACE(row.id);
        const BYTE* group = Resource(RT_GROUP_ICON, row.id);
        ASSERT_NE(group, nullptr);
        WORD count;
        std::memcpy(&count, group + 4, 2);
        EXPECT_EQ(count, row.images);
        for (WORD i = 0; i < count; ++i) {
            const BYTE* entry = group + 6 + 14 * i;
            EXPECT_EQ(entry[0], i == 0 ? 32 : 16);
            WORD bitCount;
            std::memcpy(&bitCount, entry + 6, 2);
            EXPECT_EQ(bitCount, 4) << "16 colours";
        }
        EXPECT_NE(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(row.id)), nullptr);
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
    } items[] = {{IDC_ABOUT, "&About"}, {0, ""},           {ID_SETTINGS, "&Settings"},
                 {ID_SLEEP, "S&leep"},  {IDC_DISABLE, "&Disable"}, {ID_QUIT, "&Quit"}};
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

TEST(Resources, VersionBlock) {
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(60, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(60, 1));
    struct Row {
        const char* key;
        const char* value;
    } rows[] = {{"FileDescription", "CHIMO! v1.60"}, {"ProductName", "CHIMO! v1.60"},
                {"InternalName", "CHIMO"},          {"OriginalFilename", "CHIMO.EXE"},
                {"FileVersion", "1, 60, 0, 0"}};
    for (const Row& row : rows) {
        char* value = nullptr;
        std::string query = std::string("\\StringFileInfo\\040904b0\\") + row.key;
        ASSERT_TRUE(::VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value),
                                     &length))
            << row.key;
        EXPECT_STREQ(value, row.value);
    }
}
