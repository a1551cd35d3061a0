// The settings store against the real registry and INI file of the throwaway prefix.
#include "FakeServices.h"
#include "ModalSession.h"
#include "StoredSettings.h"
#include "main/ChimeDlg.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

const char kAppKey[] = "AppEvents\\Schemes\\Apps\\CHIMO!";
const char* const kSlotKeys[] = {
    "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:00) Hourly",
    "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:15) Quarter After",
    "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:30) Half Past",
    "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:45) Quarter Til",
};
const int kSlotEdits[] = {IDC_SOUND_HOUR, IDC_SOUND_QUARTER_AFTER, IDC_SOUND_HALF_PAST,
                          IDC_SOUND_QUARTER_TIL};
const char kLegacyHourly[] = "AppEvents\\Schemes\\Apps\\.Default\\Hourly CHIMO!";
const char kLegacyQuarter[] = "AppEvents\\Schemes\\Apps\\.Default\\Quarter Hourly CHIMO!";
const char kLegacyLabelHourly[] = "AppEvents\\EventLabels\\Hourly CHIMO!";
const char kLegacyLabelQuarter[] = "AppEvents\\EventLabels\\Quarter Hourly CHIMO!";

std::string IniText() {
    std::ifstream in(ProfilePath(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteIni(const std::string& text) {
    std::ofstream out(ProfilePath(), std::ios::binary | std::ios::trunc);
    out << text;
}

bool KeyExists(const char* path) {
    HKEY key;
    if (::RegOpenKeyA(HKEY_CURRENT_USER, path, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

// The default value of path\.current, whole, read straight from the registry; "<none>" if
// absent.
std::string Current(const char* path) {
    std::string sub = std::string(path) + "\\.current";
    LONG size = 0;
    if (::RegQueryValueA(HKEY_CURRENT_USER, sub.c_str(), nullptr, &size) != ERROR_SUCCESS)
        return "<none>";
    std::string text(static_cast<size_t>(size) + 1, '\0');
    if (::RegQueryValueA(HKEY_CURRENT_USER, sub.c_str(), &text[0], &size) != ERROR_SUCCESS)
        return "<unreadable>";
    return text.c_str();
}

void SetCurrent(const char* path, const std::string& text) {
    HKEY key;
    ::RegCreateKeyA(HKEY_CURRENT_USER, path, &key);
    ::RegSetValueA(key, ".current", REG_SZ, text.c_str(), static_cast<DWORD>(text.size()));
    ::RegCloseKey(key);
}

void MakeLegacyEvent(const char* path) {
    for (const char* sub : {".current", ".Default", "Extra"}) {
        HKEY key;
        ::RegCreateKeyA(HKEY_CURRENT_USER, (std::string(path) + "\\" + sub).c_str(), &key);
        ::RegCloseKey(key);
    }
}

struct SettingsStore : ::testing::Test {
    InstalledFakes fakes;
    std::unique_ptr<CChimeDlg> dlg;
    std::unique_ptr<ModalSession> run;

    void SetUp() override {
        ForgetStoredSettings();
        for (const char* legacy :
             {kLegacyHourly, kLegacyQuarter, kLegacyLabelHourly, kLegacyLabelQuarter})
            ::RegDeleteTreeA(HKEY_CURRENT_USER, legacy);
    }
    void TearDown() override { Stop(); }

    ModalSession& Start(int legacyAnswer = 0) {
        Stop();
        fakes.sound.Clear();
        dlg = std::make_unique<CChimeDlg>();
        std::vector<int> answers;
        if (legacyAnswer)
            answers.push_back(legacyAnswer);
        run = std::make_unique<ModalSession>(*dlg, true, answers);
        return *run;
    }
    // Ends the program; it saves as it goes.
    void Stop() {
        run.reset();
        dlg.reset();
    }
    // The whole text of control `id`.
    std::string Text(int id) const {
        HWND item = ::GetDlgItem(run->hwnd(), id);
        std::string text(static_cast<size_t>(::GetWindowTextLengthA(item)) + 1, '\0');
        text.resize(
            static_cast<size_t>(::GetWindowTextA(item, &text[0], static_cast<int>(text.size()))));
        return text;
    }
    int Checked(int id) const {
        return static_cast<int>(::SendDlgItemMessageA(run->hwnd(), id, BM_GETCHECK, 0, 0));
    }
};

} // namespace

TEST_F(SettingsStore, FirstStartOnACleanAccount) {
    Start();
    EXPECT_EQ(IniText(), "[Special]\r\nDisable_Tray_Icon=0\r\nChime_When_Busy=0\r\n"
                         "[Options]\r\nMulti_Chimo=0\r\nUse_Same_Secondary=0\r\n"
                         "Disable_Secondary=0\r\nTimer=0\r\n");
    for (const char* key : kSlotKeys) {
        EXPECT_TRUE(KeyExists(key)) << key;
        EXPECT_FALSE(KeyExists((std::string(key) + "\\.current").c_str())) << "not before a save";
    }
    for (int id : kSlotEdits)
        EXPECT_EQ(Text(id), "");
    for (int id : {IDC_MULTI, IDC_USE_SAME, IDC_DISABLE_SECONDARY, IDC_SLEEP_TIMER})
        EXPECT_EQ(Checked(id), BST_UNCHECKED);
    EXPECT_TRUE(fakes.sound.Calls().empty()) << "no legacy question, no cue";
    EXPECT_EQ(run->boxes().Count(), 0u);

    // The first save writes ".current" for every slot, empty ones included, and the times.
    Stop();
    for (const char* key : kSlotKeys)
        EXPECT_EQ(Current(key), "") << key;
    EXPECT_NE(IniText().find("Timer_Start=\r\nTimer_Stop=\r\n"), std::string::npos) << IniText();
}

TEST_F(SettingsStore, EverySettingSurvivesARestart) {
    const std::string slot99(99, 'A'), slot300 = "C:\\" + std::string(296, 'B');
    ModalSession& first = Start();
    const char* texts[] = {"C:\\MEDIA\\HOUR.WAV", "QUARTER.WAV", slot99.c_str(), slot300.c_str()};
    for (int i = 0; i < 4; ++i)
        ::SetDlgItemTextA(first.hwnd(), kSlotEdits[i], texts[i]);
    ::SendDlgItemMessageA(first.hwnd(), IDC_MULTI, BM_SETCHECK, 1, 0);
    ::SendDlgItemMessageA(first.hwnd(), IDC_DISABLE_SECONDARY, BM_SETCHECK, 1, 0);
    ::SetDlgItemTextA(first.hwnd(), IDC_SLEEP_START, "10:00PM");
    ::SetDlgItemTextA(first.hwnd(), IDC_SLEEP_STOP, "06:30AM");
    Stop();

    EXPECT_EQ(Current(kSlotKeys[0]), "C:\\MEDIA\\HOUR.WAV");
    EXPECT_EQ(Current(kSlotKeys[3]), slot300);
    std::string ini = IniText();
    for (const char* line :
         {"Multi_Chimo=1\r\n", "Use_Same_Secondary=0\r\n", "Disable_Secondary=1\r\n",
          "Timer_Start=10:00PM\r\n", "Timer_Stop=06:30AM\r\n"})
        EXPECT_NE(ini.find(line), std::string::npos) << line << " in\n" << ini;

    Start();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Text(kSlotEdits[i]), texts[i]) << "slot " << i;
    EXPECT_EQ(Checked(IDC_MULTI), BST_CHECKED);
    EXPECT_EQ(Checked(IDC_USE_SAME), BST_UNCHECKED);
    EXPECT_EQ(Checked(IDC_DISABLE_SECONDARY), BST_CHECKED);
    EXPECT_EQ(Text(IDC_SLEEP_START), "10:00PM");
    EXPECT_EQ(Text(IDC_SLEEP_STOP), "06:30AM");
    // Nothing else is written under the application key.
    HKEY app;
    ASSERT_EQ(::RegOpenKeyA(HKEY_CURRENT_USER, kAppKey, &app), ERROR_SUCCESS);
    DWORD subkeys = 0, values = 0;
    ::RegQueryInfoKeyA(app, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                       nullptr, nullptr, nullptr);
    ::RegCloseKey(app);
    EXPECT_EQ(subkeys, 4u);
    EXPECT_EQ(values, 0u);
}

TEST_F(SettingsStore, EmptyTimeLinesAreRemovedOnLoadAndAbsentIntegersWrittenAsZero) {
    WriteIni("[Options]\r\nTimer_Start=\r\nTimer_Stop=07:00AM\r\nMulti_Chimo=-1\r\n");
    Start();
    std::string ini = IniText();
    EXPECT_EQ(ini.find("Timer_Start"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Timer_Stop=07:00AM"), std::string::npos);
    EXPECT_NE(ini.find("Multi_Chimo=0"), std::string::npos) << "a stored -1 counts as absent";
    EXPECT_EQ(Text(IDC_SLEEP_STOP), "07:00AM");
}

TEST_F(SettingsStore, AValueWrittenByAnotherProgramShowsAtTheNextLoad) {
    Start();
    Stop();
    SetCurrent(kSlotKeys[2], "C:\\WINDOWS\\MEDIA\\DING.WAV");
    ModalSession& again = Start();
    EXPECT_EQ(Text(IDC_SOUND_HALF_PAST), "C:\\WINDOWS\\MEDIA\\DING.WAV");
    ::SetDlgItemTextA(again.hwnd(), IDC_SOUND_HALF_PAST, "MINE.WAV");
    Stop();
    EXPECT_EQ(Current(kSlotKeys[2]), "MINE.WAV") << "the next save overwrites it";
}

// The installer puts the chimes it ships in each slot's ".Default"; they count until the user
// has a ".current" of their own, even an empty one.
TEST_F(SettingsStore, TheInstalledDefaultCountsUntilTheUserHasChosen) {
    for (const char* path : {kSlotKeys[0], kSlotKeys[2]}) {
        HKEY key;
        ::RegCreateKeyA(HKEY_CURRENT_USER, path, &key);
        ::RegSetValueA(key, ".Default", REG_SZ, "C:\\CHIMES\\DEFAULT.WAV", 22);
        ::RegCloseKey(key);
    }
    SetCurrent(kSlotKeys[2], ""); // the user chose silence for the half hour
    Start();
    EXPECT_EQ(Text(IDC_SOUND_HOUR), "C:\\CHIMES\\DEFAULT.WAV");
    EXPECT_EQ(Text(IDC_SOUND_HALF_PAST), "");
    EXPECT_EQ(Text(IDC_SOUND_QUARTER_AFTER), "") << "no default, no choice";
    Stop();
    EXPECT_EQ(Current(kSlotKeys[0]), "C:\\CHIMES\\DEFAULT.WAV") << "saved as the user's own";
    SetCurrent(kSlotKeys[0], "MINE.WAV");
    Start();
    EXPECT_EQ(Text(IDC_SOUND_HOUR), "MINE.WAV");
}

void MakeAllLegacyEntries() {
    MakeLegacyEvent(kLegacyHourly);
    MakeLegacyEvent(kLegacyQuarter);
    for (const char* label : {kLegacyLabelHourly, kLegacyLabelQuarter}) {
        HKEY key;
        ::RegCreateKeyA(HKEY_CURRENT_USER, label, &key);
        ::RegCloseKey(key);
    }
}

TEST_F(SettingsStore, LegacyEntriesAreRemovedOnYes) {
    MakeAllLegacyEntries();
    Start(IDYES);
    auto boxes = run->boxes().Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "CHIMO!: Previous Version Detected");
    EXPECT_EQ(boxes[0].text,
              "CHIMO! has detected outdated registry entries.  Would you care to remove them?");
    EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(fakes.sound.Cues(), std::vector<UINT>{IDW_CUE_YES});
    for (const char* key : {kLegacyHourly, kLegacyQuarter, kLegacyLabelHourly, kLegacyLabelQuarter})
        EXPECT_FALSE(KeyExists(key)) << key;
    Stop();
    Start();
    EXPECT_EQ(run->boxes().Count(), 0u) << "not asked again";
}

TEST_F(SettingsStore, LegacyEntriesStayOnNoAndTheQuestionComesBack) {
    MakeAllLegacyEntries();
    Start(IDNO);
    EXPECT_EQ(run->boxes().Count(), 1u);
    EXPECT_EQ(fakes.sound.Cues(), std::vector<UINT>{IDW_CUE_NO});
    for (const char* key : {kLegacyHourly, kLegacyQuarter, kLegacyLabelHourly, kLegacyLabelQuarter})
        EXPECT_TRUE(KeyExists(key)) << key;
    Stop();
    Start(IDNO);
    EXPECT_EQ(run->boxes().Count(), 1u) << "asked again at the next start";
}

TEST_F(SettingsStore, OnlyTheQuarterHourlyLegacyKeyAsksNothing) {
    MakeLegacyEvent(kLegacyQuarter);
    Start();
    EXPECT_EQ(run->boxes().Count(), 0u);
    EXPECT_TRUE(KeyExists(kLegacyQuarter));
    EXPECT_TRUE(fakes.sound.Calls().empty());
}

TEST_F(SettingsStore, TheTimerStateAsStored) {
    struct Row {
        const char* ini;
        int box;
        bool readOnly;
    } rows[] = {
        {"[Options]\r\nTimer=2\r\nTimer_Start=10:00PM\r\nTimer_Stop=06:30AM\r\n", BST_UNCHECKED,
         true},
        {"[Options]\r\nTimer=1\r\nTimer_Start=10:00pm\r\nTimer_Stop=6:30am\r\n", BST_CHECKED,
         false},
        {"[Options]\r\nTimer=1\r\nTimer_Start=25:00pm\r\nTimer_Stop=06:30AM\r\n", BST_INDETERMINATE,
         false},
        {"[Options]\r\nTimer=0\r\nTimer_Start=10:00PM\r\n", BST_UNCHECKED, true},
    };
    for (const Row& row : rows) {
        Stop();
        WriteIni(row.ini);
        Start();
        EXPECT_EQ(Checked(IDC_SLEEP_TIMER), row.box) << row.ini;
        LONG_PTR style = ::GetWindowLongPtrA(::GetDlgItem(run->hwnd(), IDC_SLEEP_START), GWL_STYLE);
        EXPECT_EQ((style & ES_READONLY) != 0, row.readOnly) << row.ini;
        EXPECT_EQ(run->boxes().Count(), 0u) << "no message while the window is hidden";
    }
    // A valid pair loaded on is not rewritten, and its values drive the quiet hours.
    Stop();
    WriteIni("[Options]\r\nTimer=1\r\nTimer_Start=10:00pm\r\nTimer_Stop=6:30am\r\n");
    Start();
    EXPECT_EQ(Text(IDC_SLEEP_START), "10:00pm");
    EXPECT_EQ(dlg->m_nSleepStart, 2200);
    EXPECT_EQ(dlg->m_nSleepStop, 630);
}

// Long and hostile stored values: each loads without harm and is kept as it was, except where
// the rules rewrite it.
TEST_F(SettingsStore, LongSlotValuesLoadWholeAndAreSavedUnchanged) {
    for (size_t length : {1000u, 32766u, 100000u}) {
        Stop();
        ForgetStoredSettings();
        const std::string value = "C:\\" + std::string(length - 7, 'A') + ".WAV";
        SetCurrent(kSlotKeys[0], value);
        SetCurrent(kSlotKeys[3], value);
        Start();
        EXPECT_EQ(Text(IDC_SOUND_HOUR).size(), length);
        EXPECT_EQ(run->boxes().Count(), 0u);
        Stop();
        EXPECT_EQ(Current(kSlotKeys[0]), value) << length;
        EXPECT_EQ(Current(kSlotKeys[3]), value) << length;
    }
}

TEST_F(SettingsStore, LongProfileValuesLoadAndAreSavedUnchanged) {
    // Up to the longest value the system's profile functions return whole.
    for (size_t length : {1000u, 10000u, 32000u}) {
        Stop();
        ForgetStoredSettings();
        const std::string value(length, '7');
        WriteIni("[Options]\r\nTimer=1\r\nTimer_Start=" + value + "\r\nTimer_Stop=06:30AM\r\n");
        Start();
        EXPECT_EQ(Text(IDC_SLEEP_START), value) << length;
        EXPECT_EQ(Checked(IDC_SLEEP_TIMER), BST_INDETERMINATE) << "an unparseable time";
        Stop();
        EXPECT_NE(IniText().find("Timer_Start=" + value + "\r\n"), std::string::npos) << length;
    }
}

TEST_F(SettingsStore, BinaryJunkWrongTypesAndAReadOnlyProfileDoNoHarm) {
    // Junk with NULs, high bytes and no line ends: nothing in it reads as a setting.
    std::string junk;
    for (int i = 0; i < 70000; ++i)
        junk += static_cast<char>((i * 7919) % 256);
    WriteIni(junk);
    Start();
    EXPECT_EQ(Checked(IDC_MULTI), BST_UNCHECKED);
    EXPECT_EQ(Text(IDC_SLEEP_START), "");
    Stop();
    EXPECT_NE(IniText().find("Multi_Chimo=0"), std::string::npos) << "the settings are written";

    // A slot value of the wrong type reads as empty; the next save stores the field's text.
    ForgetStoredSettings();
    HKEY key;
    ::RegCreateKeyA(HKEY_CURRENT_USER, (std::string(kSlotKeys[1]) + "\\.current").c_str(), &key);
    const DWORD number = 0x41414141;
    ::RegSetValueExA(key, nullptr, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                     sizeof number);
    ::RegCloseKey(key);
    Start();
    EXPECT_EQ(Text(IDC_SOUND_QUARTER_AFTER), "");
    Stop();
    EXPECT_EQ(Current(kSlotKeys[1]), "");

    // Bytes are not text either, and a string value keeps loading as before.
    ::RegCreateKeyA(HKEY_CURRENT_USER, (std::string(kSlotKeys[2]) + "\\.current").c_str(), &key);
    ::RegSetValueExA(key, nullptr, 0, REG_BINARY, reinterpret_cast<const BYTE*>("\x01\0junk"), 6);
    ::RegCloseKey(key);
    ::RegCreateKeyA(HKEY_CURRENT_USER, (std::string(kSlotKeys[3]) + "\\.current").c_str(), &key);
    ::RegSetValueExA(key, nullptr, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>("%X%\\A.WAV"),
                     9);
    ::RegCloseKey(key);
    Start();
    EXPECT_EQ(Text(IDC_SOUND_HALF_PAST), "");
    EXPECT_EQ(Text(IDC_SOUND_QUARTER_TIL), "%X%\\A.WAV") << "unterminated, kept as text";
    Stop();

    // A read-only profile: loading and saving go on, and the file stays as it was. (The test
    // user may be allowed to write it anyway, e.g. root under Wine; then only the first part
    // is checked.)
    ForgetStoredSettings();
    const std::string kept = "[Options]\r\nMulti_Chimo=1\r\nTimer_Stop=06:30AM\r\n";
    WriteIni(kept);
    ::SetFileAttributesA(ProfilePath().c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE probe =
        ::CreateFileA(ProfilePath().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const bool writable = probe != INVALID_HANDLE_VALUE;
    if (writable)
        ::CloseHandle(probe);
    ModalSession& session = Start();
    EXPECT_EQ(Checked(IDC_MULTI), BST_CHECKED);
    ::SendDlgItemMessageA(session.hwnd(), IDC_MULTI, BM_SETCHECK, BST_UNCHECKED, 0);
    Stop();
    if (!writable) {
        EXPECT_EQ(IniText(), kept);
    }
    ::SetFileAttributesA(ProfilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
}
