// What the resources give that no test of behaviour sees: slot fields that take files dropped
// from the shell (the tests hand WM_DROPFILES over directly), a Sleep Timer box of three states
// (a two-state box shows the third as checked), and a text for every text id. And the one place
// text is converted for Windows.
#include "framework/CString.h"
#include "framework/Unicode.h"
#include "res/resource.h"

#include <cstring>
#include <string>

#include <windows.h>

#include <gtest/gtest.h>

namespace {
INT_PTR CALLBACK NoProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
} // namespace

TEST(Resources, TheSettingsWindow) {
    HWND dialog = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CHIME),
                                       nullptr, NoProc, 0);
    for (int id :
         {IDC_SOUND_HOUR, IDC_SOUND_QUARTER_AFTER, IDC_SOUND_HALF_PAST, IDC_SOUND_QUARTER_TIL}) {
        EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(dialog, id), GWL_EXSTYLE) & WS_EX_ACCEPTFILES)
            << id;
    }
    EXPECT_EQ(::GetWindowLongA(::GetDlgItem(dialog, IDC_SLEEP_TIMER), GWL_STYLE) & BS_TYPEMASK,
              BS_AUTO3STATE);
    ::DestroyWindow(dialog);
}

// Every IDS_ id res/resource.h names has a text: none shows as an empty message or label.
TEST(Resources, EveryTextIdHasItsText) {
    const struct {
        const char* name;
        int id;
    } ids[] = {
#include "ResourceNames.inc"
    };
    int texts = 0;
    for (const auto& id : ids) {
        if (std::strncmp(id.name, "IDS_", 4) != 0)
            continue;
        ++texts;
        EXPECT_FALSE(LoadText(static_cast<unsigned>(id.id)).IsEmpty()) << id.name;
    }
    EXPECT_GT(texts, 30);
    EXPECT_FALSE(LoadText(AFX_IDS_INTERNAL_ERROR).IsEmpty());
}

// Text goes to Windows and comes back whole in any script; a record's fixed field is cut on a
// whole character, never between the halves of one beyond the first plane.
TEST(Unicode, TextCrossesWholeAndIsCutOnAWholeCharacter) {
    const std::string bell = "\xF0\x9F\x94\x94"; // U+1F514, two UTF-16 units
    for (const std::string& text : {std::string("Ж.wav"), "钟声 " + bell, std::string()}) {
        const WideText wide(text);
        EXPECT_EQ(Utf8(wide).str(), text);
        EXPECT_EQ(Utf8(wide, static_cast<int>(wide.size())).str(), text);
    }
    EXPECT_EQ(WideText(nullptr).get(), nullptr) << "null stays null";
    EXPECT_EQ(Utf8(WideText("\xFF ok")).str(), "\xEF\xBF\xBD ok") << "not UTF-8: U+FFFD";

    const struct {
        size_t size;
        std::string kept;
    } rows[] = {{8, "abcde" + bell}, {7, "abcde"}, {6, "abcde"}, {1, ""}};
    for (const auto& row : rows) {
        wchar_t field[8];
        std::fill(field, field + 8, L'x');
        CopyWide(field, row.size, ("abcde" + bell + "z").c_str());
        EXPECT_EQ(Utf8(field).str(), row.kept) << row.size;
    }
}
