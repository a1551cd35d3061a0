// The settings stores, the registry keys and the INI file of the throwaway prefix, read and
// written by the real window.
#include "core/Texts.h"
#include "tests/support/English.h"
#include "tests/support/ChimoTest.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {
const char* const kSlotKeys[] = {
    "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:00) Hourly",
    "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:15) Quarter After",
    "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:30) Half Past",
    "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:45) Quarter Til",
};
const int kSlotEdits[] = {IDC_SOUND_HOUR, IDC_SOUND_QUARTER_AFTER, IDC_SOUND_HALF_PAST,
                          IDC_SOUND_QUARTER_TIL};
const char* const kLegacy[] = {
    "AppEvents\\Schemes\\Apps\\.Default\\Hourly CHIMO!",
    "AppEvents\\Schemes\\Apps\\.Default\\Quarter Hourly CHIMO!",
    "AppEvents\\EventLabels\\Hourly CHIMO!",
    "AppEvents\\EventLabels\\Quarter Hourly CHIMO!",
};

std::string Ini() {
    std::stringstream text;
    text << std::ifstream(ProfilePath(), std::ios::binary).rdbuf();
    return text.str();
}
void WriteIni(const std::string& text) { std::ofstream(ProfilePath(), std::ios::binary) << text; }
void SetValue(const char* key, const char* sub, const std::string& text) {
    ::RegSetValueA(HKEY_CURRENT_USER, (std::string(key) + "\\" + sub).c_str(), REG_SZ, text.c_str(),
                   static_cast<DWORD>(text.size()));
}
bool KeyExists(const char* path) {
    return CRegKey().Open(HKEY_CURRENT_USER, path) == ERROR_SUCCESS;
}

struct Settings : ChimoTest {
    void SetUp() override {
        ChimoTest::SetUp();
        for (const char* key : kLegacy)
            ::RegDeleteTreeA(HKEY_CURRENT_USER, key);
    }
};
} // namespace

TEST_F(Settings, ACleanAccountAndEverySettingThroughARestart) {
    Start();
    EXPECT_EQ(
        Ini(),
        "[Special]\r\nDisable_Tray_Icon=0\r\nChime_When_Busy=0\r\n"
        "Lead_In_Ms=700\r\n[Options]\r\nMulti_Chimo=0\r\nPattern=0\r\nUse_Same_Secondary=0\r\n"
        "Disable_Secondary=0\r\nTimer=0\r\nWake_Speakers=0\r\nVolume=100\r\n"
        "Quiet_When_Away=0\r\nSpeak_Time=0\r\nTell_Time_Key=1876\r\nTell_Every=0\r\n"
        "Speak_Only=0\r\nSpeak_Words=0\r\nVoice_Rate=0\r\nAway_Minutes=10\r\n"
        "Days=127\r\n");
    for (const char* key : kSlotKeys) {
        EXPECT_TRUE(KeyExists(key)) << "shown in the system's sound settings: " << key;
        EXPECT_EQ(StoredSlot(key), "<none>") << "nothing chosen before a save";
    }
    EXPECT_TRUE(run->Boxes().empty());
    EXPECT_TRUE(fake.Sounds().empty());

    const std::string longest = "C:\\" + std::string(100000, 'A') + ".WAV";
    const std::string texts[] = {"C:\\MEDIA\\HOUR.WAV", "", "HALF.WAV", longest};
    for (int i = 0; i < 4; ++i)
        run->SetText(kSlotEdits[i], texts[i]);
    run->SetCheck(IDC_MULTI, BST_CHECKED);
    run->SetCheck(IDC_DISABLE_SECONDARY, BST_CHECKED);
    run->SetText(IDC_SLEEP_START, std::string(32000, '7'));
    run->SetText(IDC_SLEEP_STOP, "06:30AM");
    run->SetCheck(IDC_WAKE_SPEAKERS, BST_CHECKED);
    run->SetCheck(IDC_QUIET_WHEN_BUSY, BST_UNCHECKED);
    SetVolume(35);
    Stop();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(StoredSlot(kSlotKeys[i]), texts[i]) << i;
    for (const char* line : {"Multi_Chimo=1\r\n", "Use_Same_Secondary=0\r\n",
                             "Disable_Secondary=1\r\n", "Timer_Stop=06:30AM\r\n",
                             "Wake_Speakers=1\r\n", "Volume=35\r\n", "Chime_When_Busy=1\r\n"})
        EXPECT_NE(Ini().find(line), std::string::npos) << line << " in\n" << Ini().substr(0, 400);

    SetValue(kSlotKeys[2], ".current", "C:\\OTHER\\PROGRAM.WAV"); // changed meanwhile
    Start();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(run->Text(kSlotEdits[i]), i == 2 ? "C:\\OTHER\\PROGRAM.WAV" : texts[i]);
    EXPECT_EQ(run->Check(IDC_MULTI), BST_CHECKED);
    EXPECT_EQ(run->Check(IDC_USE_SAME), BST_UNCHECKED);
    EXPECT_EQ(run->Check(IDC_DISABLE_SECONDARY), BST_CHECKED);
    EXPECT_EQ(run->Text(IDC_SLEEP_START), std::string(32000, '7'));
    EXPECT_EQ(run->Text(IDC_SLEEP_STOP), "06:30AM");
    EXPECT_EQ(run->Check(IDC_WAKE_SPEAKERS), BST_CHECKED);
    EXPECT_EQ(run->Check(IDC_QUIET_WHEN_BUSY), BST_UNCHECKED);
    EXPECT_EQ(Volume(), 35);
}

// Hand-edited values outside what a control can show: a box takes any value but 0 as checked
// (the Sleep Timer box keeps its 2, which a load then turns off); the volume takes full
// volume, and writes it back; the lead-in is held to 0 to 3 000 ms (heard before a chime whose
// tick came half a second earlier than the lead-in needs).
TEST_F(Settings, HandEditedValuesAreReadAsTheControlsCanShowThem) {
    const std::string tone = "C:\\CHIMO-TONE.WAV";
    WriteWav(tone, {1000, -1000});
    struct Row {
        const char* options;
        const char* special;
        int multi, timer, volume;
        unsigned leadIn;
        const char* written;
    } rows[] = {
        {"Multi_Chimo=7\r\nTimer=2\r\nVolume=150", "Lead_In_Ms=5000", 1, 0, 100, 3000,
         "Volume=100"},
        {"Multi_Chimo=-3\r\nTimer=9\r\nVolume=-5", "Lead_In_Ms=-4", 1, 1, 100, 0, "Volume=100"},
        {"Multi_Chimo=1\r\nTimer=0\r\nVolume=0", "Lead_In_Ms=0", 1, 0, 0, 0, "Volume=0"},
        {"Volume=40", "", 0, 0, 40, 700, "Lead_In_Ms=700"},
    };
    for (const Row& row : rows) {
        WriteIni(std::string("[Options]\r\nTimer_Start=10:00PM\r\nTimer_Stop=06:30AM\r\n") +
                 "Wake_Speakers=1\r\n" + row.options + "\r\n[Special]\r\n" + row.special + "\r\n");
        Start();
        SCOPED_TRACE(row.options);
        EXPECT_EQ(run->Check(IDC_MULTI), row.multi);
        EXPECT_EQ(run->Check(IDC_SLEEP_TIMER), row.timer);
        EXPECT_EQ(Volume(), row.volume);
        EXPECT_NE(Ini().find(row.written), std::string::npos) << Ini();

        SetVolume(100);
        run->SetText(IDC_SOUND_QUARTER_AFTER, tone);
        fake.SetTime(10, 14, 0);
        run->Send(WM_TIMECHANGE);
        const int tick = 60000 - static_cast<int>(row.leadIn) - 500; // ms into 10:14
        fake.SetTime(10, 14, tick / 1000, tick % 1000);
        Tick();
        const auto sounds = fake.Sounds();
        ASSERT_EQ(sounds.size(), 1u);
        const std::vector<uint8_t>& bytes = sounds[0].samples;
        const auto note = std::find_if(bytes.begin(), bytes.end(), [](uint8_t b) { return b; });
        EXPECT_EQ((note - bytes.begin()) / 2, row.leadIn * 22050 / 1000) << "samples of lead-in";
        Stop();
    }
    ::DeleteFileA(tone.c_str());
}

// The installer's ".Default" counts until the user has a ".current" of their own, even an
// empty one. Values of the wrong type read as empty and are overwritten by the next save.
TEST_F(Settings, InstalledDefaultsAndValuesOfOtherProgramsAreReadSafely) {
    for (const char* key : {kSlotKeys[0], kSlotKeys[2]})
        SetValue(key, ".Default", "C:\\CHIMES\\DEFAULT.WAV");
    SetValue(kSlotKeys[2], ".current", "");
    const DWORD number = 0x41414141;
    CRegKey key;
    key.Create(HKEY_CURRENT_USER, (std::string(kSlotKeys[1]) + "\\.current").c_str());
    ::RegSetValueExA(key, nullptr, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                     sizeof number);
    key.Close();
    std::string junk;
    for (int i = 0; i < 70000; ++i)
        junk += static_cast<char>((i * 7919) % 256);
    WriteIni(junk + "\r\n[Options]\r\nTimer_Start=\r\nTimer_Stop=07:00AM\r\nMulti_Chimo=-1\r\n");
    Start();
    EXPECT_EQ(run->Text(IDC_SOUND_HOUR), "C:\\CHIMES\\DEFAULT.WAV");
    EXPECT_EQ(run->Text(IDC_SOUND_QUARTER_AFTER), "");
    EXPECT_EQ(run->Text(IDC_SOUND_HALF_PAST), "");
    EXPECT_EQ(run->Check(IDC_MULTI), BST_UNCHECKED);
    EXPECT_EQ(run->Text(IDC_SLEEP_STOP), "07:00AM");
    EXPECT_EQ(Ini().find("Timer_Start"), std::string::npos) << "an empty time line is removed";
    EXPECT_NE(Ini().find("Multi_Chimo=0"), std::string::npos) << "a stored -1 counts as absent";
    Stop();
    EXPECT_EQ(StoredSlot(kSlotKeys[0]), "C:\\CHIMES\\DEFAULT.WAV") << "saved as the user's own";
    EXPECT_EQ(StoredSlot(kSlotKeys[1]), "");
}

// The Sleep Timer as stored: on with valid times, indeterminate with an invalid one (and no
// question while hidden), off otherwise; the fields are read-only while it is off.
TEST_F(Settings, TheSleepTimerAsStored) {
    struct Row {
        const char* ini;
        int box;
    } rows[] = {
        {"Timer=1\r\nTimer_Start=10:00pm\r\nTimer_Stop=6:30am\r\n", BST_CHECKED},
        {"Timer=1\r\nTimer_Start=25:00pm\r\nTimer_Stop=06:30AM\r\n", BST_INDETERMINATE},
        {"Timer=2\r\nTimer_Start=10:00PM\r\nTimer_Stop=06:30AM\r\n", BST_UNCHECKED},
        {"Timer=0\r\nTimer_Start=10:00PM\r\n", BST_UNCHECKED},
    };
    for (const Row& row : rows) {
        WriteIni(std::string("[Options]\r\n") + row.ini);
        Start();
        EXPECT_EQ(run->Check(IDC_SLEEP_TIMER), row.box) << row.ini;
        const LONG style = ::GetWindowLongA(::GetDlgItem(run->hwnd(), IDC_SLEEP_START), GWL_STYLE);
        EXPECT_EQ((style & ES_READONLY) != 0, row.box == BST_UNCHECKED) << row.ini;
        EXPECT_TRUE(run->Boxes().empty());
        Stop();
    }
}

// Entries of an old version: removed on Yes, kept (and asked about again) on No; only the
// hourly one makes the program ask.
TEST_F(Settings, LegacyEntriesAreRemovedOnlyWhenTheUserSaysYes) {
    struct Row {
        bool hourly;
        int answer;
        size_t asked;
        UINT cue;
        bool removed;
    } rows[] = {{true, IDNO, 1, IDW_CUE_NO, false},
                {true, IDYES, 1, IDW_CUE_YES, true},
                {false, 0, 0, 0, false}};
    for (const Row& row : rows) {
        // The events with subkeys of their own, and their labels.
        for (int i = row.hourly ? 0 : 1; i < 4; ++i)
            for (const char* sub : {"\\.current", "\\.Default", "\\Extra"})
                CRegKey().Create(HKEY_CURRENT_USER,
                                 (kLegacy[i] + std::string(i < 2 ? sub : "")).c_str());
        fake.Clear();
        Start({row.answer});
        ASSERT_EQ(run->Boxes().size(), row.asked);
        if (row.asked) {
            EXPECT_EQ(run->Boxes()[0].caption, kLegacyCaption);
            EXPECT_EQ(run->Boxes()[0].text, kLegacyQuestion);
            EXPECT_EQ(Cues(), std::vector<UINT>{row.cue});
        }
        for (const char* key : kLegacy)
            if (row.hourly || key != kLegacy[0]) {
                EXPECT_EQ(KeyExists(key), !row.removed) << key;
            }
        for (const char* key : kLegacy)
            ::RegDeleteTreeA(HKEY_CURRENT_USER, key);
    }
}

namespace {
std::string FileText(const std::string& path) {
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}
bool Has(const std::string& text, const std::string& line) {
    return text.find(line + "\r\n") != std::string::npos;
}
// The profile's place chosen anew, as at a start; put back as the tests have it at the end.
struct Replaced {
    std::vector<std::string> files;
    ~Replaced() {
        for (const std::string& file : files)
            ::DeleteFileA(file.c_str());
        AfxGetApp()->InitNames(::GetModuleHandleA(nullptr));
    }
};
} // namespace

// A CHIMO.INI beside the program that says Portable=1 holds every setting: the options and the
// four sounds, one inside the program's folder by its path from there, found there wherever
// the folder is. Nothing goes to the registry's sound scheme or the Windows directory. A file
// that cannot be written is said once; what it would hold stays for as long as the program
// runs, through Cancel.
TEST_F(Settings, PortableSettingsTravelWithTheProgram) {
    CWinApp* app = AfxGetApp();
    const std::string folder = app->ProgramFolder().str(), ini = folder + "app_tests.INI";
    Replaced replaced{{ini, folder + "Sounds\\Bell.wav"}};
    ::CreateDirectoryA((folder + "Sounds").c_str(), nullptr);
    WriteWav(folder + "Sounds\\Bell.wav", {12000, -12000});
    std::ofstream(ini, std::ios::binary) << "[Special]\r\nPortable=1\r\n[Sounds]\r\n"
                                            "Hour=Sounds\\Bell.wav\r\n";
    app->InitNames(::GetModuleHandleA(nullptr));
    ASSERT_TRUE(app->IsPortable());
    EXPECT_EQ(std::string(app->m_pszProfileName), ini);

    Start({IDYES}); // keeps the file that is not there, on OK
    EXPECT_EQ(run->Text(IDC_SOUND_HOUR), "SOUNDS\\BELL.WAV");
    EXPECT_EQ(TickAt(11, 0).size(), 0u) << "no file played by name";
    ASSERT_FALSE(fake.Sounds().empty());
    EXPECT_EQ(fake.Sounds().back().samples.size(), 4u) << "the bell, found in the program's folder";
    SetVolume(40);
    run->SetText(IDC_SOUND_QUARTER_AFTER, folder + "Sounds\\Bell.wav");
    run->SetText(IDC_SOUND_HALF_PAST, "C:\\ELSEWHERE.WAV");
    run->Command(IDOK);
    Stop();
    const std::string text = FileText(ini);
    EXPECT_TRUE(Has(text, "Volume=40")) << text;
    EXPECT_TRUE(Has(text, "Quarter_After=SOUNDS\\BELL.WAV")) << text;
    EXPECT_TRUE(Has(text, "Half_Past=C:\\ELSEWHERE.WAV")) << text;
    for (const char* key : kSlotKeys)
        EXPECT_FALSE(KeyExists(key)) << key;
    char windows[MAX_PATH];
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(::GetFileAttributesA((std::string(windows) + "\\app_tests.INI").c_str()),
              INVALID_FILE_ATTRIBUTES);

    // The file held open by another program, which lets it be read but not written.
    CHandle held(::CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               0, nullptr));
    ASSERT_TRUE(held);
    Start();
    SetVolume(65);
    run->Command(IDOK);
    run->Command(IDCANCEL);
    EXPECT_EQ(Volume(), 65) << "kept while it runs";
    const auto boxes = run->Boxes();
    EXPECT_EQ(std::count_if(boxes.begin(), boxes.end(),
                            [&](const Box& box) {
                                return box.text == "CHIMO! cannot save its settings in " + ini +
                                                       ".\nThey are kept until CHIMO! ends.";
                            }),
              1)
        << "said once";
    EXPECT_TRUE(Has(FileText(ini), "Volume=40")) << "the file as it was";
}

// Where the Windows directory refuses the file, the settings move to the roaming profile, with
// what the old file held, and stay there at the next start; nothing is lost or asked.
TEST_F(Settings, AWindowsDirectoryThatRefusesTheFileMovesItToTheRoamingProfile) {
    CWinApp* app = AfxGetApp();
    char windows[MAX_PATH], roaming[MAX_PATH];
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    ::GetEnvironmentVariableA("APPDATA", roaming, MAX_PATH);
    const std::string old = std::string(windows) + "\\app_tests.INI";
    const std::string moved = std::string(roaming) + "\\" + app->m_pszAppName + "\\app_tests.INI";
    Replaced replaced{{old, moved}};
    std::ofstream(old, std::ios::binary) << "[Options]\r\nVolume=30\r\n";
    app->InitNames(::GetModuleHandleA(nullptr));
    {
        CHandle held(::CreateFileA(old.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
        Start();
        EXPECT_EQ(std::string(app->m_pszProfileName), moved);
        EXPECT_EQ(Volume(), 30) << "carried over";
        SetVolume(55);
        run->Command(IDOK);
        EXPECT_TRUE(run->Boxes().empty());
        Stop();
    }
    app->InitNames(::GetModuleHandleA(nullptr));
    EXPECT_EQ(std::string(app->m_pszProfileName), moved) << "the next start stays there";
    Start();
    EXPECT_EQ(Volume(), 55);
    EXPECT_TRUE(Has(FileText(old), "Volume=30")) << "the old file left as it was";
}
