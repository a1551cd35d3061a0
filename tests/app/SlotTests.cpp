// The sound slots through the real settings window: Browse (through the file-dialog seam),
// Play, the locks of the two boxes and the check made when OK is pressed.
#include "FakeServices.h"
#include "ModalSession.h"
#include "StoredSettings.h"
#include "app/SlotSoundService.h"
#include "main/ChimeDlg.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

struct Slot {
    int edit, browse, play;
    const char* title;   // of the file dialog
    const char* caption; // of the OK-time question
    const char* key;     // where the text is stored
};
const Slot kSlots[] = {
    {IDC_SOUND_HOUR, IDC_BROWSE_HOUR, IDC_PLAY_HOUR, "CHIMO! Top Of The Hour",
     "Error: Top Of The Hour", "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:00) Hourly\\.current"},
    {IDC_SOUND_QUARTER_AFTER, IDC_BROWSE_QUARTER_AFTER, IDC_PLAY_QUARTER_AFTER,
     "CHIMO! Quarter After", "Error: Quarter After",
     "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:15) Quarter After\\.current"},
    {IDC_SOUND_HALF_PAST, IDC_BROWSE_HALF_PAST, IDC_PLAY_HALF_PAST, "CHIMO! Half Past",
     "Error: Half Past", "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:30) Half Past\\.current"},
    {IDC_SOUND_QUARTER_TIL, IDC_BROWSE_QUARTER_TIL, IDC_PLAY_QUARTER_TIL, "CHIMO! Quarter Til",
     "Error: Quarter 'Til", "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:45) Quarter Til\\.current"},
};
const char kNotFound[] =
    "CHIMO! can not find the file specified.\nWould you still like to use this file?";
const UINT kQuestion = MB_YESNO | MB_ICONEXCLAMATION;

std::string MediaDir() { return WindowsDirectory() + "\\media"; }
const std::string kDir = "C:\\CHIMO-SLOTS"; // the fields upper-case what they are given

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    return text;
}

void Touch(const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "RIFF";
}

struct Slots : ::testing::Test {
    InstalledFakes fakes;
    CChimeDlg dlg;
    void SetUp() override {
        ForgetStoredSettings();
        fakes.clock.Set(10, 7, 30);
        ::CreateDirectoryA(MediaDir().c_str(), nullptr);
        ::CreateDirectoryA((MediaDir() + "\\SUB").c_str(), nullptr);
        ::CreateDirectoryA(kDir.c_str(), nullptr);
        Touch(kDir + "\\BELL.WAV");
        Touch(MediaDir() + "\\MEDIABELL.WAV");
        Touch(MediaDir() + "\\SUB\\DEEP.WAV");
    }
    static std::string Text(ModalSession& run, int id) {
        char buffer[1024] = "";
        ::GetDlgItemTextA(run.hwnd(), id, buffer, sizeof buffer);
        return buffer;
    }
    static void Type(ModalSession& run, int id, const std::string& text) {
        ::SetDlgItemTextA(run.hwnd(), id, text.c_str());
    }
    static void Click(ModalSession& run, int id) {
        ::SendMessageA(::GetDlgItem(run.hwnd(), id), BM_CLICK, 0, 0);
    }
    // Browse, as the button does, with the dialog returning `choice` ("" cancels).
    void Browse(ModalSession& run, const Slot& slot, const std::string& choice) {
        fakes.files.choice = choice;
        run.Command(static_cast<UINT>(slot.browse));
    }
    // "L" locked, "U" unlocked: edit read-only and both buttons disabled, or neither.
    static std::string LockState(ModalSession& run, const Slot& slot) {
        bool readOnly =
            (::GetWindowLongA(::GetDlgItem(run.hwnd(), slot.edit), GWL_STYLE) & ES_READONLY) != 0;
        bool browse = ::IsWindowEnabled(::GetDlgItem(run.hwnd(), slot.browse)) != 0;
        bool play = ::IsWindowEnabled(::GetDlgItem(run.hwnd(), slot.play)) != 0;
        bool editEnabled = ::IsWindowEnabled(::GetDlgItem(run.hwnd(), slot.edit)) != 0;
        if (!editEnabled)
            return "edit disabled";
        if (readOnly && !browse && !play)
            return "L";
        if (!readOnly && browse && play)
            return "U";
        return "mixed";
    }
};

} // namespace

TEST_F(Slots, BrowseOpensInTheSlotsFolderOrTheMediaFolder) {
    ModalSession run(dlg);
    struct Row {
        std::string text;
        std::string folder;
    } rows[] = {
        {"", MediaDir()},
        {"MEDIABELL.WAV", MediaDir()},
        {"C:\\CHIMO-SLOTS\\BELL.WAV", "C:\\CHIMO-SLOTS\\"},
        {"SUB\\DEEP.WAV", "SUB\\"},
    };
    for (const Slot& slot : kSlots) {
        for (const Row& row : rows) {
            Type(run, slot.edit, row.text);
            Browse(run, slot, "");
            EXPECT_EQ(fakes.files.lastInitialDir, row.folder) << slot.title << " " << row.text;
            EXPECT_EQ(fakes.files.lastTitle, slot.title);
            EXPECT_EQ(fakes.files.lastFilter, "Sounds (*.wav)|*.wav|");
            EXPECT_EQ(fakes.files.lastFlags & OFN_FILEMUSTEXIST, 0u);
            EXPECT_EQ(Text(run, slot.edit), row.text) << "a cancel changes nothing";
        }
    }
    EXPECT_EQ(run.boxes().Count(), 0u);
    EXPECT_TRUE(fakes.sound.Calls().empty());
}

TEST_F(Slots, BrowseTakesAFoundFileAndAsksAboutAMissingOne) {
    ModalSession run(dlg);
    const Slot& slot = kSlots[2];
    Type(run, slot.edit, "OLD.WAV");

    Browse(run, slot, kDir + "\\BELL.WAV"); // exists: taken, no cue, no question
    EXPECT_EQ(Text(run, slot.edit), kDir + "\\BELL.WAV");
    EXPECT_EQ(run.boxes().Count(), 0u);
    EXPECT_TRUE(fakes.sound.Cues().empty());

    Touch(kDir + "\\.WAV"); // a file named only by its extension is still a file
    Browse(run, slot, kDir + "\\.WAV");
    EXPECT_EQ(Text(run, slot.edit), kDir + "\\.WAV");
    EXPECT_EQ(run.boxes().Count(), 0u);

    Touch(kDir + "\\NOTES.TXT"); // any existing file, whatever its extension
    Browse(run, slot, kDir + "\\NOTES.TXT");
    EXPECT_EQ(Text(run, slot.edit), kDir + "\\NOTES.TXT");

    Browse(run, slot, kDir + "\\TYPED.WAV"); // missing, No: the old text stays
    EXPECT_EQ(Text(run, slot.edit), kDir + "\\NOTES.TXT");
    run.boxes().Answer(IDYES);
    Browse(run, slot, kDir + "\\TYPED.WAV"); // missing, Yes: the typed path
    EXPECT_EQ(Text(run, slot.edit), kDir + "\\TYPED.WAV");

    auto boxes = run.boxes().Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.text, kNotFound);
        EXPECT_EQ(box.caption, "CHIMO!: Warning...");
        EXPECT_EQ(box.style, kQuestion);
        EXPECT_EQ(box.owner, run.hwnd());
    }
    EXPECT_EQ(fakes.sound.Cues(), (std::vector<UINT>{IDW_CUE_NO, IDW_CUE_YES}));

    Type(run, slot.edit, "");
    Browse(run, slot, ""); // cancel on an empty slot: stays empty
    EXPECT_EQ(Text(run, slot.edit), "");
}

// Each box combination validates exactly the unlocked slots, each with its own caption; No
// empties the slot and the empty text is what gets saved.
TEST_F(Slots, OkAsksAboutEachUnlockedSlotWhoseFileIsMissing) {
    struct Row {
        bool disableSecondary, useSame;
        std::vector<int> asked; // indexes into kSlots
    } rows[] = {
        {false, false, {0, 1, 2, 3}},
        {false, true, {0, 1}},
        {true, false, {0}},
        {true, true, {0}},
    };
    for (const Row& row : rows) {
        ForgetStoredSettings();
        CChimeDlg dialog;
        ModalSession run(dialog);
        run.Send(WM_COMMAND, ID_TRAY_ICON, WM_LBUTTONDBLCLK);
        for (const Slot& slot : kSlots)
            Type(run, slot.edit, std::string("MISSING-") + slot.title + ".WAV");
        if (row.useSame)
            Click(run, IDC_USE_SAME);
        if (row.disableSecondary)
            Click(run, IDC_DISABLE_SECONDARY);
        // Yes for the first slot asked, No for the rest.
        run.boxes().Answer(IDYES);
        fakes.sound.Clear();
        run.Command(IDOK);

        auto boxes = run.boxes().Boxes();
        ASSERT_EQ(boxes.size(), row.asked.size());
        std::vector<UINT> cues{IDW_CUE_YES}; // the OK cue comes first
        for (size_t i = 0; i < boxes.size(); ++i) {
            const Slot& slot = kSlots[row.asked[i]];
            EXPECT_EQ(boxes[i].caption, slot.caption);
            EXPECT_EQ(boxes[i].text, kNotFound);
            EXPECT_EQ(boxes[i].style, kQuestion);
            EXPECT_EQ(boxes[i].owner, run.hwnd());
            cues.push_back(i == 0 ? IDW_CUE_YES : IDW_CUE_NO);
        }
        EXPECT_EQ(fakes.sound.Cues(), cues);
        for (int i = 0; i < 4; ++i) {
            bool asked = false;
            for (int a : row.asked)
                asked = asked || a == i;
            bool emptied = asked && i != row.asked[0];
            std::string kept = Upper(std::string("MISSING-") + kSlots[i].title + ".WAV");
            EXPECT_EQ(Text(run, kSlots[i].edit), emptied ? "" : kept) << kSlots[i].title;
            EXPECT_EQ(StoredValue(kSlots[i].key), emptied ? "" : kept) << kSlots[i].title;
        }
    }
}

TEST_F(Slots, OkLooksUpTheFileTheTextNames) {
    char cwd[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, cwd);
    ::SetCurrentDirectoryA(kDir.c_str());
    ::CreateDirectoryA((kDir + "\\HERE").c_str(), nullptr);
    Touch(kDir + "\\HERE\\LOCAL.WAV");
    const std::string longDir = kDir + "\\" + std::string(230, 'L'); // a real 245-char folder
    ::CreateDirectoryA(longDir.c_str(), nullptr);
    Touch(longDir + "\\T.WAV"); // 251 characters in all
    struct Row {
        std::string text;
        bool asked;
    } rows[] = {
        {"", false},
        {"C:\\CHIMO-SLOTS\\", false},
        {".WAV", false},
        {"MEDIABELL.WAV", false}, // a bare name in the media folder
        {"mediabell.wav", false}, // letter case does not matter
        {"C:\\CHIMO-SLOTS\\BELL.WAV", false},
        {"HERE\\LOCAL.WAV", false},   // relative to the current folder
        {"SUB\\DEEP.WAV", false},     // relative, below the media folder
        {longDir + "\\T.WAV", false}, // long, but within the path limit
        {"NOWHERE.WAV", true},
        {"C:\\CHIMO-SLOTS\\NOWHERE.WAV", true},
        {"SUB\\NOWHERE.WAV", true},
        {longDir + "\\" + std::string(40, 'T') + ".WAV", true}, // over the limit: not found
        {std::string(5000, 'X') + ".WAV", true},
    };
    ModalSession run(dlg);
    for (const Row& row : rows) {
        run.boxes().Clear();
        Type(run, IDC_SOUND_HOUR, row.text);
        run.Command(IDOK);
        auto boxes = run.boxes().Boxes();
        ASSERT_EQ(boxes.size(), row.asked ? 1u : 0u) << row.text;
        if (row.asked) {
            EXPECT_EQ(boxes[0].caption, "Error: Top Of The Hour");
            EXPECT_EQ(Text(run, IDC_SOUND_HOUR), "") << "No empties the slot";
        } else {
            EXPECT_EQ(Text(run, IDC_SOUND_HOUR), Upper(row.text));
        }
    }
    ::SetCurrentDirectoryA(cwd);
}

TEST_F(Slots, TheBoxesLockTheSlotsTheChimeDoesNotUse) {
    struct Row {
        std::vector<int> clicks;
        const char* quarterAfter;
        const char* halfPastAndTil;
    } rows[] = {
        {{}, "U", "U"},
        {{IDC_USE_SAME}, "U", "L"},
        {{IDC_DISABLE_SECONDARY}, "L", "L"},
        {{IDC_USE_SAME, IDC_DISABLE_SECONDARY}, "L", "L"},
        {{IDC_DISABLE_SECONDARY, IDC_USE_SAME}, "L", "L"},
        {{IDC_DISABLE_SECONDARY, IDC_USE_SAME, IDC_DISABLE_SECONDARY}, "U", "L"},
        {{IDC_DISABLE_SECONDARY, IDC_USE_SAME, IDC_USE_SAME, IDC_DISABLE_SECONDARY}, "U", "U"},
        {{IDC_USE_SAME, IDC_DISABLE_SECONDARY, IDC_DISABLE_SECONDARY}, "U", "L"},
        {{IDC_USE_SAME, IDC_DISABLE_SECONDARY, IDC_USE_SAME, IDC_DISABLE_SECONDARY}, "U", "U"},
        {{IDC_USE_SAME, IDC_USE_SAME}, "U", "U"},
    };
    for (const Row& row : rows) {
        ForgetStoredSettings(); // the previous window saved its boxes when it closed
        CChimeDlg dialog;
        ModalSession run(dialog);
        run.Send(WM_COMMAND, ID_TRAY_ICON, WM_LBUTTONDBLCLK);
        for (const Slot& slot : kSlots)
            Type(run, slot.edit, slot.title);
        std::string sequence;
        for (int id : row.clicks) {
            Click(run, id);
            sequence += id == IDC_USE_SAME ? "same " : "disable ";
        }
        EXPECT_EQ(LockState(run, kSlots[0]), "U") << sequence;
        EXPECT_EQ(LockState(run, kSlots[1]), row.quarterAfter) << sequence;
        EXPECT_EQ(LockState(run, kSlots[2]), row.halfPastAndTil) << sequence;
        EXPECT_EQ(LockState(run, kSlots[3]), row.halfPastAndTil) << sequence;
        for (const Slot& slot : kSlots)
            EXPECT_EQ(Text(run, slot.edit), Upper(slot.title)) << "a lock keeps the text";
    }
}

// Cancel reloads the boxes from the stores; the locks then follow what the boxes now say,
// whatever they said before.
TEST_F(Slots, AfterALoadTheLocksAreWhatTheStoredBoxesSay) {
    struct Row {
        std::vector<int> clicks; // before the load
        int useSame, disable;    // stored
        const char* quarterAfter;
        const char* halfPastAndTil;
    } rows[] = {
        {{}, 1, 0, "U", "L"},
        {{}, 0, 1, "L", "L"},
        {{}, 1, 1, "L", "L"},
        {{IDC_USE_SAME}, 0, 0, "U", "U"},
        {{IDC_DISABLE_SECONDARY}, 0, 0, "U", "U"},
        {{IDC_DISABLE_SECONDARY}, 1, 0, "U", "L"},
        {{IDC_USE_SAME}, 0, 1, "L", "L"},
        {{IDC_USE_SAME, IDC_DISABLE_SECONDARY}, 0, 0, "U", "U"},
    };
    for (const Row& row : rows) {
        ForgetStoredSettings();
        CChimeDlg dialog;
        ModalSession run(dialog);
        run.Send(WM_COMMAND, ID_TRAY_ICON, WM_LBUTTONDBLCLK);
        for (int id : row.clicks)
            Click(run, id);
        AfxGetApp()->WriteProfileInt("Options", "Use_Same_Secondary", row.useSame);
        AfxGetApp()->WriteProfileInt("Options", "Disable_Secondary", row.disable);
        run.Command(IDCANCEL);
        const std::string what = std::to_string(row.clicks.size()) + " clicks, stored " +
                                 std::to_string(row.useSame) + std::to_string(row.disable);
        EXPECT_EQ(LockState(run, kSlots[1]), row.quarterAfter) << what;
        EXPECT_EQ(LockState(run, kSlots[2]), row.halfPastAndTil) << what;
        EXPECT_EQ(LockState(run, kSlots[3]), row.halfPastAndTil) << what;
    }
}

TEST_F(Slots, PlayHandsTheTextOverUnchangedAndAsynchronously) {
    ModalSession run(dlg);
    for (const Slot& slot : kSlots) {
        fakes.sound.Clear();
        Type(run, slot.edit, std::string("sub\\") + slot.title + ".wav");
        run.Command(static_cast<UINT>(slot.play));
        auto calls = fakes.sound.Calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].name, Upper(std::string("SUB\\") + slot.title + ".WAV"));
        EXPECT_EQ(calls[0].flags, 0x00020003u);
        EXPECT_EQ(calls[0].module, nullptr);
    }
    Type(run, IDC_SOUND_HOUR, "");
    fakes.sound.Clear();
    run.Command(IDC_PLAY_HOUR);
    ASSERT_EQ(fakes.sound.Calls().size(), 1u);
    EXPECT_EQ(fakes.sound.Calls()[0].name, "");
    EXPECT_EQ(run.boxes().Count(), 0u);
}

// PlaySoundA does not look in the media folder for a bare name, so the program's playback
// does: otherwise a slot the OK check accepts would ring silently.
TEST(SlotSound, BareNamesArePlayedFromTheMediaFolder) {
    const std::string media = WindowsDirectory() + "\\media";
    ::CreateDirectoryA(media.c_str(), nullptr);
    ::DeleteFileA((WindowsDirectory() + "\\ONLYMEDIA.WAV").c_str());
    // The media folder is the system's: the file goes again however the test ends.
    struct Remove {
        std::string path;
        ~Remove() { ::DeleteFileA(path.c_str()); }
    } remove{media + "\\ONLYMEDIA.WAV"};
    {
        // A short, valid WAV file: 8 kHz, 8-bit mono, 0.1 s of silence.
        std::ofstream out(media + "\\ONLYMEDIA.WAV", std::ios::binary | std::ios::trunc);
        const unsigned samples = 800;
        auto u32 = [&](unsigned v) { out.write(reinterpret_cast<const char*>(&v), 4); };
        auto u16 = [&](unsigned short v) { out.write(reinterpret_cast<const char*>(&v), 2); };
        out << "RIFF";
        u32(36 + samples);
        out << "WAVEfmt ";
        u32(16), u16(1), u16(1), u32(8000), u32(8000), u16(1), u16(8);
        out << "data";
        u32(samples);
        out << std::string(samples, '\x80');
    }
    EXPECT_EQ(SlotSoundService::ResolvedFileName("ONLYMEDIA.WAV"), media + "\\ONLYMEDIA.WAV");
    EXPECT_EQ(SlotSoundService::ResolvedFileName("NOT-THERE.WAV"), "NOT-THERE.WAV");
    EXPECT_EQ(SlotSoundService::ResolvedFileName("C:\\X\\ONLYMEDIA.WAV"), "C:\\X\\ONLYMEDIA.WAV");
    EXPECT_EQ(SlotSoundService::ResolvedFileName(""), "");

    const DWORD sync = SND_FILENAME | SND_NODEFAULT;
    if (!::PlaySoundA((media + "\\ONLYMEDIA.WAV").c_str(), nullptr, sync))
        GTEST_SKIP() << "no sound output here";
    EXPECT_FALSE(::PlaySoundA("ONLYMEDIA.WAV", nullptr, sync)) << "the system found it itself";
    SlotSoundService service;
    EXPECT_TRUE(service.Play("ONLYMEDIA.WAV", nullptr, sync));
}
