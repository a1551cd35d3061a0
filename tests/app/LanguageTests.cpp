// CHIMO! in each of its languages: every text there and whole, every Alt key its own, and the
// language a user gets, chooses, and keeps.
#include "about/AboutBox.h"
#include "core/Languages.h"
#include "core/Texts.h"
#include "framework/Language.h"
#include "tests/support/ChimoTest.h"
#include "tests/support/Measure.h"

#include <map>
#include <set>

namespace {
// A translation that has one text only, kept in the tests' own resources.
constexpr LANGID kPartial = MAKELANGID(LANG_SWEDISH, SUBLANG_SWEDISH);

BOOL CALLBACK AddBlock(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR blocks) {
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<UINT>*>(blocks)->push_back(
            static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

// Every text that `language` itself has, by string id.
std::map<UINT, std::string> StringsOf(LANGID language) {
    std::vector<UINT> blocks;
    ::EnumResourceNamesW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(6), AddBlock,
                         reinterpret_cast<LONG_PTR>(&blocks));
    std::map<UINT, std::string> texts;
    for (UINT block : blocks)
        for (UINT id = (block - 1) * 16; id < block * 16; ++id) {
            int length = 0;
            if (const wchar_t* text = TextInLanguage(id, language, &length))
                texts[id] = Utf8(text, length).str();
        }
    return texts;
}

std::string WindowText(HWND window) {
    wchar_t text[512] = L"";
    ::GetWindowTextW(window, text, 512);
    return Utf8(text, -1).str();
}

// The texts of `dialog`'s labels, boxes and buttons by id, each that a translation gives.
std::map<int, std::string> ControlTexts(HWND dialog) {
    std::map<int, std::string> texts;
    for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(c);
        wchar_t kind[32] = L"";
        ::GetClassNameW(c, kind, 32);
        const bool kept = id == IDC_VERSION || id == IDC_WEB_LINK || id == IDC_MAIL_LINK_A ||
                          id == IDC_MAIL_LINK_B || (id >= IDC_DAY_FIRST && id <= IDC_DAY_LAST);
        const bool labelled = !lstrcmpiW(kind, L"Button") || !lstrcmpiW(kind, L"Static");
        if (id > 0 && id != 0xFFFF && !kept && labelled && !WindowText(c).empty())
            texts[id] = WindowText(c);
    }
    return texts;
}

// The items of the tray menu, translated as the program shows them.
std::map<int, std::string> MenuTexts() {
    std::map<int, std::string> texts;
    HMENU menu = ::LoadMenuW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_TRAY_MENU));
    HMENU popup = ::GetSubMenu(menu, 0);
    TranslateMenu(popup);
    for (int i = 0, n = ::GetMenuItemCount(popup); i < n; ++i) {
        wchar_t text[256] = L"";
        if (::GetMenuStringW(popup, static_cast<UINT>(i), text, 256, MF_BYPOSITION) > 0)
            texts[static_cast<int>(::GetMenuItemID(popup, i))] = Utf8(text, -1).str();
    }
    ::DestroyMenu(menu);
    return texts;
}

// Each mnemonic once among `texts` (letters of any case the same key).
void ExpectKeysUnique(const std::map<int, std::string>& texts, const char* where) {
    std::map<std::wstring, std::string> owners;
    for (const auto& [id, text] : texts) {
        const std::string key = ShortcutOf(text);
        if (key.empty())
            continue;
        WideText wide(key);
        std::wstring lower(wide.get());
        ::CharLowerBuffW(&lower[0], static_cast<DWORD>(lower.size()));
        const auto [at, fresh] = owners.emplace(lower, text);
        EXPECT_TRUE(fresh) << where << ": " << key << " in \"" << text << "\" and \"" << at->second
                           << '"';
    }
}

struct Languages : ChimoTest {
    void SetUp() override {
        ChimoTest::SetUp();
        fake.displayLanguages = {"en-US"};
    }
    // A start with `stored` as the profile's choice.
    ModalSession& StartWith(const char* stored) {
        Stop(); // which saves the choice the window shows
        AfxGetApp()->WriteProfileString("Options", "Language", stored);
        return Start();
    }
    std::string Shown(int id) const { return WindowText(::GetDlgItem(run->hwnd(), id)); }
    static std::string Text(UINT id, LANGID language) {
        int length = 0;
        const wchar_t* text = TextInLanguage(id, language, &length);
        return text ? Utf8(text, length).str() : "<none>";
    }
    // The tray menu's items as it pops up, by command.
    std::map<int, std::string> TrayMenu() const {
        ::PostMessageW(run->hwnd(), WM_TRAY_NOTIFY, MAKEWPARAM(200, 150),
                       MAKELPARAM(WM_CONTEXTMENU, ID_TRAY_ICON));
        std::map<int, std::string> texts;
        const HWND shown = FindMenuWindow();
        if (!shown)
            return texts;
        auto menu = reinterpret_cast<HMENU>(::SendMessageW(shown, MN_GETHMENU, 0, 0));
        for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i) {
            wchar_t text[256] = L"";
            if (::GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION) > 0)
                texts[static_cast<int>(::GetMenuItemID(menu, i))] = Utf8(text, -1).str();
        }
        ::PostMessageW(shown, WM_KEYDOWN, VK_ESCAPE, 0);
        run->SettleUntil([&] { return !::IsWindowVisible(shown); });
        return texts;
    }
    std::string Tip() const {
        const auto records = fake.Tray(NIM_MODIFY);
        return records.empty() ? "<none>" : Utf8(records.back().szTip, -1).str();
    }
};
} // namespace

// Each translation has a text for every string of English and for every label, box, button
// and menu item that the English templates hold, and no text English does not have.
TEST_F(Languages, EachHasEveryTextOfEnglishAndNoOther) {
    StartWith("en-US");
    std::set<UINT> english;
    for (const auto& entry : StringsOf(kEnglish))
        english.insert(entry.first);
    for (const auto& entry : ControlTexts(run->hwnd()))
        english.insert(static_cast<UINT>(entry.first));
    {
        CAboutBox box;
        ModalSession about(box);
        english.insert(IDT_ABOUT_BOX);
        for (const auto& entry : ControlTexts(about.hwnd()))
            english.insert(IDT_ABOUT_BOX + static_cast<UINT>(entry.first));
    }
    for (const auto& entry : MenuTexts())
        english.insert(static_cast<UINT>(entry.first));
    ASSERT_GT(english.size(), 100u);
    for (int i = 1; i < kLanguageCount; ++i) {
        const std::map<UINT, std::string> texts = StringsOf(kLanguages[i].id);
        for (UINT id : english)
            EXPECT_EQ(texts.count(id), 1u) << kLanguages[i].tag << " has no text " << id;
        for (const auto& entry : texts)
            EXPECT_EQ(english.count(entry.first), 1u)
                << kLanguages[i].tag << " has text " << entry.first
                << " that English has not: " << entry.second;
    }
}

// In every language, at the display scale (at-each-dpi.sh runs it at each): every text of the
// window, of the About box and of the lists whole, with the notes' longest; each Alt key once
// in the window, once in the menu.
TEST_F(Languages, EveryTextIsWholeAndEachKeyItsOwnAtTheDisplayScale) {
    const int dpi = DisplayDpi();
    for (int i = 0; i < kLanguageCount; ++i) {
        SCOPED_TRACE(kLanguages[i].tag);
        StartWith(kLanguages[i].tag);
        ASSERT_EQ(TextLanguage(), kLanguages[i].id);
        run->SetText(IDC_TELL_KEY_NOTE, LoadText(IDS_KEY_NEEDS_MODIFIER).str());
        run->SetText(IDC_SPEAK_NOTE, LoadText(IDS_NO_VOICE).str());
        std::map<int, std::string> window = ControlTexts(run->hwnd());
        run->SetText(IDC_TELL_KEY_NOTE, LoadText(IDS_KEY_TAKEN).str());
        CAboutBox box;
        ModalSession about(box);
        EXPECT_GT(ExpectTextsWhole({run->hwnd(), about.hwnd()}, dpi), 30);
        ExpectEntriesWhole(run->hwnd(), {IDC_PATTERN, IDC_SLEEP_MODE, IDC_DEVICE, IDC_LANGUAGE},
                           dpi);
        window.erase(IDC_TELL_KEY_NOTE);
        window.erase(IDC_SPEAK_NOTE);
        ExpectKeysUnique(window, "window");
        ExpectKeysUnique(MenuTexts(), "menu");
    }
}

// Windows' languages in their order, a stored choice over them, one CHIMO! lacks read as
// Windows'; the list's choice taking effect on OK (window, tray, menu), not on Cancel.
TEST_F(Languages, TheChoiceOverWindowsListTakingEffectOnOk) {
    const LANGID german = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    const LANGID japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
    fake.displayLanguages = {"sv-SE", "de-AT", "de", "en-US"};
    const struct {
        const char* stored;
        LANGID speaks;
    } rows[] = {{"", german}, {"xx-YY", german}, {"ja", japanese}, {"en-US", kEnglish}};
    for (const auto& row : rows) {
        StartWith(row.stored);
        EXPECT_EQ(TextLanguage(), row.speaks) << row.stored;
        EXPECT_EQ(Shown(IDC_SOUND_GROUP),
                  row.speaks == kEnglish ? "Sound" : Text(IDC_SOUND_GROUP, row.speaks));
        EXPECT_EQ(Tip(), Text(IDS_TIP_ACTIVE, row.speaks == kEnglish ? kEnglish : row.speaks));
    }

    // From English: Deutsch chosen and Cancelled, then chosen and OKed.
    const HWND list = ::GetDlgItem(run->hwnd(), IDC_LANGUAGE);
    ASSERT_EQ(::SendMessageW(list, CB_GETCOUNT, 0, 0), kLanguageCount + 1);
    EXPECT_EQ(WindowText(list), "English");
    const auto choose = [&](int entry) {
        ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    };
    choose(1 + 1); // Deutsch
    run->Command(IDCANCEL);
    EXPECT_EQ(Shown(IDC_SOUND_GROUP), "Sound");
    EXPECT_EQ(WindowText(list), "English");
    fake.Clear();
    choose(1 + 1);
    run->Command(IDOK);
    EXPECT_EQ(TextLanguage(), german);
    EXPECT_EQ(Shown(IDC_SOUND_GROUP), Text(IDC_SOUND_GROUP, german));
    EXPECT_EQ(Shown(IDCANCEL), Text(IDCANCEL, german));
    EXPECT_EQ(Tip(), Text(IDS_TIP_ACTIVE, german));
    EXPECT_EQ(TrayMenu()[ID_SETTINGS], Text(ID_SETTINGS, german));
    EXPECT_EQ(AfxGetApp()->GetProfileString("Options", "Language").str(), "de-DE");
    wchar_t first[64] = L"";
    ::SendMessageW(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_EQ(Utf8(first, -1).str(), Text(IDS_WINDOWS_LANGUAGE, german));
    EXPECT_EQ(WindowText(list), "Deutsch");

    // Back to Windows' language: no entry stored, and German still (Windows' first it has);
    // then English by name, every text the template's again.
    choose(0);
    run->Command(IDOK);
    EXPECT_EQ(AfxGetApp()->GetProfileString("Options", "Language", "<none>").str(), "<none>");
    EXPECT_EQ(TextLanguage(), german);
    choose(1);
    run->Command(IDOK);
    EXPECT_EQ(TextLanguage(), kEnglish);
    EXPECT_EQ(Shown(IDC_SOUND_GROUP), "Sound");
    EXPECT_EQ(Shown(IDCANCEL), "&Cancel");
    EXPECT_EQ(Tip(), "CHIMO!: Active");
    EXPECT_EQ(TrayMenu()[ID_SETTINGS], "&Settings");
}

// A choice of a later CHIMO! stays stored through an OK; "de" stays "de".
TEST_F(Languages, AStoredChoiceIsKeptAsWritten) {
    for (const char* stored : {"sv-SE", "de"}) {
        StartWith(stored);
        run->Command(IDOK);
        EXPECT_EQ(AfxGetApp()->GetProfileString("Options", "Language").str(), stored);
    }
}

// A text a translation lacks is English's, whether its block of strings is there or not, and
// never another translation's (where English has none either, the template's stays); a
// language with no texts at all is English.
TEST_F(Languages, ATextATranslationLacksIsEnglish) {
    SetTextLanguage(kPartial);
    EXPECT_EQ(LoadText(IDS_TIP_ACTIVE).str(), "CHIMO!: Aktiv (sv)");
    EXPECT_EQ(LoadText(IDS_TIP_DISABLED).str(), "CHIMO!: Disabled");
    EXPECT_EQ(LoadText(IDS_EXIT_CAPTION).str(), "CHIMO!: Exit...");
    int length = 0;
    EXPECT_EQ(LanguageText(IDC_SOUND_GROUP, &length), nullptr);
    EXPECT_EQ(MenuTexts()[ID_SETTINGS], "&Settings");
    SetTextLanguage(MAKELANGID(LANG_FINNISH, SUBLANG_DEFAULT));
    EXPECT_EQ(LoadText(IDS_TIP_ACTIVE).str(), "CHIMO!: Active");
    SetTextLanguage(kEnglish);
}
