// The settings window as a user drives it: OK, Cancel and Quit, the Sleep Timer's fields, the
// sound slots (Browse, Play, drops, the locks, OK's check) and the About box with its links.
#include "about/AboutBox.h"
#include "core/LinkRules.h"
#include "core/Texts.h"
#include "tests/support/English.h"
#include "main/SoundSlots.h"
#include "tests/support/ChimoTest.h"
#include "tests/support/Measure.h"

#include <oleacc.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>

namespace {
const std::string kDir = "C:\\CHIMO-TESTS";
const char kHourKey[] = "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:00) Hourly";

void Touch(const std::string& path) { std::ofstream(path, std::ios::binary) << "RIFF"; }
std::string ReadFile(const std::string& path) {
    for (int waited = 0; waited < 5000; waited += 50, ::Sleep(50)) {
        std::stringstream text;
        if (std::ifstream in{path, std::ios::binary}; in && text << in.rdbuf())
            return text.str();
    }
    return "";
}
std::vector<std::string> Captions(const std::vector<Box>& boxes) {
    std::vector<std::string> captions;
    for (const Box& box : boxes)
        captions.push_back(box.caption);
    return captions;
}

// The HDROP the shell sends for `names`.
HDROP MakeDrop(const std::vector<std::string>& names) {
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& name : names)
        size += name.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    char* at = reinterpret_cast<char*>(drop + 1);
    for (const std::string& name : names)
        at = std::copy(name.c_str(), name.c_str() + name.size() + 1, at);
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// A shortcut at `path` to `target`, or to "My Computer" (no file) when it is empty.
void MakeShortcut(const std::string& path, const std::string& target) {
    CComInit com;
    CComPtr<IShellLinkA> link;
    CComPtr<IPersistFile> file;
    ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                       link.Receive());
    if (target.empty()) {
        LPITEMIDLIST computer = nullptr;
        ::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer);
        link->SetIDList(computer);
        ::CoTaskMemFree(computer);
    } else {
        link->SetPath(target.c_str());
    }
    link->QueryInterface(IID_IPersistFile, file.Receive());
    WCHAR wide[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    file->Save(wide, TRUE);
}

// The program registered for .htm files, for the test's life: record_args.exe, which writes
// its command line to a file, or `command`.
struct StandInBrowser {
    explicit StandInBrowser(std::string command = "") {
        ::RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", oldClass, &size);
        ::RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, "ChimoTest.htm", 13);
        char program[MAX_PATH];
        ::GetModuleFileNameA(nullptr, program, MAX_PATH);
        *std::strrchr(program, '\\') = '\0';
        recorder = "\"" + std::string(program) + "\\record_args.exe\" \"%1\"";
        ::SetEnvironmentVariableA("CHIMO_RECORD_ARGS", record.c_str());
        Use(command.empty() ? recorder : command);
    }
    ~StandInBrowser() {
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "ChimoTest.htm");
        ::RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, oldClass,
                       static_cast<DWORD>(lstrlenA(oldClass)));
        ::SetEnvironmentVariableA("CHIMO_RECORD_ARGS", nullptr);
    }
    // The open command, or none when `command` is empty.
    void Use(const std::string& command) const {
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "ChimoTest.htm");
        if (!command.empty())
            ::RegSetValueA(HKEY_CLASSES_ROOT, "ChimoTest.htm\\shell\\open\\command", REG_SZ,
                           command.c_str(), static_cast<DWORD>(command.size()));
        ::DeleteFileA(record.c_str());
    }
    // Whether record_args.exe was started for `target` since the last Use.
    bool Opened(const std::string& target) const {
        return ReadFile(record).find("record_args.exe\"  " + target) != std::string::npos;
    }
    char oldClass[MAX_PATH] = "";
    LONG size = sizeof oldClass;
    std::string recorder, record = kDir + "\\args.txt";
};
// A target the shell cannot open, so that links fall back to the .htm program.
const char kNoShellTarget[] = "chimo-test-nothing:abc";

// What a screen reader reads for a control through Active Accessibility.
struct Announced {
    std::string name, role, shortcut, value, action;
};
std::string Utf8(BSTR text) {
    std::string utf8(text ? 4 * ::SysStringLen(text) + 1 : 1, '\0');
    if (text)
        utf8.resize(static_cast<size_t>(::WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0],
                                                              static_cast<int>(utf8.size()),
                                                              nullptr, nullptr) -
                                        1));
    ::SysFreeString(text);
    return text ? utf8 : "";
}
Announced Announce(HWND control, IAccessible** keep = nullptr) {
    CComPtr<IAccessible> object;
    if (FAILED(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                            __uuidof(IAccessible), object.Receive())))
        return {"<none>", "", "", "", ""};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    Announced said;
    BSTR text = nullptr;
    object->get_accName(self, &text), said.name = Utf8(text), text = nullptr;
    object->get_accKeyboardShortcut(self, &text), said.shortcut = Utf8(text), text = nullptr;
    object->get_accValue(self, &text), said.value = Utf8(text), text = nullptr;
    object->get_accDefaultAction(self, &text), said.action = Utf8(text);
    VARIANT role{};
    char roleText[64] = "";
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4)
        ::GetRoleTextA(static_cast<DWORD>(role.lVal), roleText, sizeof roleText);
    said.role = roleText;
    if (keep)
        object->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(keep));
    return said;
}

struct Window : ChimoTest {
    void SetUp() override {
        ChimoTest::SetUp();
        ::CreateDirectoryA(kDir.c_str(), nullptr);
        ::CreateDirectoryA((WindowsDirectory() + "\\media").c_str(), nullptr);
        Start();
        Show();
        fake.Clear();
    }
    // "L": the field read-only and both buttons disabled; "U": none of it.
    std::string Lock(int edit, int browse, int play) const {
        const bool readOnly =
            ::GetWindowLongA(::GetDlgItem(run->hwnd(), edit), GWL_STYLE) & ES_READONLY;
        const bool b = ::IsWindowEnabled(::GetDlgItem(run->hwnd(), browse));
        const bool p = ::IsWindowEnabled(::GetDlgItem(run->hwnd(), play));
        return readOnly && !b && !p ? "L" : !readOnly && b && p ? "U" : "mixed";
    }
    std::string Locks() const {
        return Lock(IDC_SOUND_HOUR, IDC_BROWSE_HOUR, IDC_PLAY_HOUR) +
               Lock(IDC_SOUND_QUARTER_AFTER, IDC_BROWSE_QUARTER_AFTER, IDC_PLAY_QUARTER_AFTER) +
               Lock(IDC_SOUND_HALF_PAST, IDC_BROWSE_HALF_PAST, IDC_PLAY_HALF_PAST) +
               Lock(IDC_SOUND_QUARTER_TIL, IDC_BROWSE_QUARTER_TIL, IDC_PLAY_QUARTER_TIL);
    }
};
} // namespace

// OK confirms, Cancel (and Esc, and the close box) throws away; each minimises, then hides, and
// the program runs on. Quit asks first; Yes saves and ends it, No changes nothing.
TEST_F(Window, OkCancelAndQuit) {
    struct Row {
        const char* how;
        UINT cue;
        std::function<void()> close;
    } rows[] = {
        {"ok", IDW_CUE_YES, [&] { run->Command(IDOK); }},
        {"cancel", IDW_CUE_NO, [&] { run->Command(IDCANCEL); }},
        {"esc", IDW_CUE_NO,
         [&] { ::PostMessageA(::GetDlgItem(run->hwnd(), IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"close", IDW_CUE_NO, [&] { run->Send(WM_SYSCOMMAND, SC_CLOSE); }},
    };
    const std::string confirmed = kDir + "\\CONFIRMED.WAV";
    Touch(confirmed);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        Show();
        run->SetText(IDC_SOUND_HOUR, row.cue == IDW_CUE_YES ? confirmed : "OTHER.WAV");
        if (row.cue == IDW_CUE_NO)
            run->SetText(IDC_SLEEP_START, "10:30pm"); // over a stored time that is empty
        fake.Clear();
        run->Clear();
        row.close();
        run->SettleUntil([&] { return !::IsWindowVisible(run->hwnd()); });
        EXPECT_EQ(Cues(), std::vector<UINT>{row.cue});
        EXPECT_EQ(run->Events(), (std::vector<std::string>{"minimize", "hide"}));
        EXPECT_FALSE(::IsWindowVisible(run->hwnd()));
        EXPECT_EQ(StoredSlot(kHourKey), confirmed);
        EXPECT_EQ(run->Text(IDC_SOUND_HOUR), confirmed) << "Cancel reloads the field";
        EXPECT_EQ(run->Text(IDC_SLEEP_START), "") << "an empty one too";
        EXPECT_FALSE(run->Ended());
    }

    run->SetText(IDC_SOUND_HOUR, "UNCONFIRMED.WAV");
    fake.Clear();
    run->Answer(IDNO);
    run->Command(ID_QUIT);
    EXPECT_EQ(Cues(), std::vector<UINT>(4, IDW_CUE_NO)) << "three before the question, one after";
    ASSERT_EQ(run->Boxes().size(), 1u);
    EXPECT_EQ(run->Boxes()[0].caption, kExitCaption);
    EXPECT_EQ(run->Boxes()[0].text, kExitQuestion);
    EXPECT_TRUE(run->Boxes()[0].yesNo);
    EXPECT_TRUE(fake.Tray(NIM_DELETE).empty());
    EXPECT_EQ(StoredSlot(kHourKey), confirmed);
    run->Answer(IDYES);
    run->Command(ID_QUIT);
    ASSERT_TRUE(run->WaitForEnd());
    EXPECT_EQ(StoredSlot(kHourKey), "UNCONFIRMED.WAV") << "Yes saves";
    EXPECT_FALSE(fake.Tray(NIM_DELETE).empty());
}

TEST_F(Window, TheSleepTimerChecksItsTimes) {
    run->SetText(IDC_SLEEP_START, " 10:00pm ");
    run->SetText(IDC_SLEEP_STOP, "6:30");
    // Leaving a field while the timer is off changes nothing.
    Focus(IDC_SLEEP_START);
    Focus(IDC_SLEEP_STOP);
    Focus(IDC_SLEEP_START);
    EXPECT_EQ(run->Check(IDC_SLEEP_TIMER), BST_UNCHECKED);
    EXPECT_EQ(run->Text(IDC_SLEEP_START), " 10:00pm ");
    EXPECT_TRUE(run->Boxes().empty());

    Click(IDC_SLEEP_TIMER); // on, with an invalid stop: indeterminate, said once
    EXPECT_EQ(run->Check(IDC_SLEEP_TIMER), BST_INDETERMINATE);
    ASSERT_EQ(run->Boxes().size(), 1u);
    EXPECT_EQ(run->Boxes()[0].caption, kInvalidTimeCaption);
    EXPECT_EQ(run->Boxes()[0].text, kInvalidTime);
    EXPECT_EQ(run->Text(IDC_SLEEP_START), "10:00PM") << "written back normalised";
    EXPECT_EQ(FocusId(), IDC_SLEEP_STOP) << "on the offending field";

    run->SetText(IDC_SLEEP_STOP, "6:30am");
    Focus(IDC_SLEEP_START); // leaving the stop, now valid: on, both normalised
    EXPECT_EQ(run->Check(IDC_SLEEP_TIMER), BST_CHECKED);
    EXPECT_EQ(run->Text(IDC_SLEEP_STOP), "06:30AM");

    // Each field complains about itself only, and only on the change from on to invalid.
    for (int field : {IDC_SLEEP_STOP, IDC_SLEEP_START}) {
        run->Clear();
        const int other = field == IDC_SLEEP_STOP ? IDC_SLEEP_START : IDC_SLEEP_STOP;
        Focus(field);
        run->SetText(field, "25:00pm");
        Focus(other);
        EXPECT_EQ(run->Check(IDC_SLEEP_TIMER), BST_INDETERMINATE);
        EXPECT_EQ(Captions(run->Boxes()), std::vector<std::string>{kInvalidTimeCaption});
        EXPECT_EQ(FocusId(), field);
        Focus(other);
        Focus(field);
        EXPECT_EQ(run->Boxes().size(), 1u) << "said once";
        run->SetText(field, field == IDC_SLEEP_STOP ? "6:30am" : "10:00pm");
        Focus(other);
        EXPECT_EQ(run->Check(IDC_SLEEP_TIMER), BST_CHECKED);
    }

    // OK switches off a timer without both times: here a stop never valid since the start.
    Stop();
    ForgetStoredSettings();
    Start();
    Show();
    run->SetText(IDC_SLEEP_START, "10:00pm");
    run->SetText(IDC_SLEEP_STOP, "later");
    Click(IDC_SLEEP_TIMER);
    EXPECT_EQ(run->Check(IDC_SLEEP_TIMER), BST_INDETERMINATE);
    run->Command(IDOK);
    EXPECT_EQ(run->Check(IDC_SLEEP_TIMER), BST_UNCHECKED);
    EXPECT_EQ(AfxGetApp()->GetProfileInt("Options", "Timer", -1), 0);

    // The tray's Sleep command while hidden: no question, the state saved at once.
    run->SetText(IDC_SLEEP_STOP, "later");
    run->Clear();
    run->Command(ID_SLEEP);
    EXPECT_EQ(run->Check(IDC_SLEEP_TIMER), BST_INDETERMINATE);
    EXPECT_TRUE(run->Boxes().empty());
    EXPECT_EQ(AfxGetApp()->GetProfileInt("Options", "Timer", -1), BST_INDETERMINATE);
    run->Command(ID_SLEEP);
    EXPECT_EQ(run->Check(IDC_SLEEP_TIMER), BST_UNCHECKED);
    EXPECT_EQ(AfxGetApp()->GetProfileInt("Options", "Timer", -1), 0);
}

// Use-same locks Half Past and Quarter 'Til; Disable-secondary locks all three; each click
// locks what both boxes say, whatever the other box showed.
TEST_F(Window, TheBoxesLockTheSlotsTheChimeDoesNotUse) {
    struct Row {
        std::vector<int> clicks;
        const char* locks;
    } rows[] = {
        {{IDC_USE_SAME}, "UULL"},
        {{IDC_DISABLE_SECONDARY}, "ULLL"},
        {{IDC_USE_SAME, IDC_DISABLE_SECONDARY}, "ULLL"},
        {{IDC_DISABLE_SECONDARY, IDC_USE_SAME}, "ULLL"},
        {{IDC_DISABLE_SECONDARY, IDC_USE_SAME, IDC_DISABLE_SECONDARY}, "UULL"},
        {{IDC_USE_SAME, IDC_DISABLE_SECONDARY, IDC_USE_SAME}, "ULLL"},
        {{IDC_USE_SAME, IDC_DISABLE_SECONDARY, IDC_USE_SAME, IDC_DISABLE_SECONDARY}, "UUUU"},
    };
    SetSlots();
    for (const Row& row : rows) {
        for (int id : {IDC_USE_SAME, IDC_DISABLE_SECONDARY})
            if (run->Check(id))
                Click(id);
        ASSERT_EQ(Locks(), "UUUU");
        for (int id : row.clicks)
            Click(id);
        EXPECT_EQ(Locks(), row.locks) << row.clicks.size() << " clicks";
        EXPECT_EQ(run->Text(IDC_SOUND_HALF_PAST), "HP.WAV") << "a lock keeps the text";
    }
    // Stored boxes lock at the next load, whatever the boxes showed before.
    for (int stored : {0, 1}) {
        AfxGetApp()->WriteProfileInt("Options", "Use_Same_Secondary", stored);
        AfxGetApp()->WriteProfileInt("Options", "Disable_Secondary", 1 - stored);
        run->Command(IDCANCEL);
        EXPECT_EQ(Locks(), stored ? "UULL" : "ULLL");
    }
}

// Each way of striking unlocks the slots it strikes and locks the others; OK keeps the way
// chosen, Cancel forgets it.
TEST_F(Window, EachPatternLocksTheSlotsItDoesNotStrike) {
    const HWND list = ::GetDlgItem(run->hwnd(), IDC_PATTERN);
    const auto choose = [&](int pattern) {
        ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(pattern), 0);
        run->Send(WM_COMMAND, MAKEWPARAM(IDC_PATTERN, CBN_SELCHANGE),
                  reinterpret_cast<LPARAM>(list));
    };
    ASSERT_EQ(::SendMessageW(list, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(::SendMessageW(list, CB_GETCURSEL, 0, 0), 0) << "Westminster by default";
    const char* locks[] = {"UUUU", "UULL", "ULLL", "ULUL"};
    for (int pattern : {1, 2, 3, 0}) {
        choose(pattern);
        EXPECT_EQ(Locks(), locks[pattern]) << pattern;
        for (int box : {IDC_USE_SAME, IDC_DISABLE_SECONDARY})
            EXPECT_EQ(::IsWindowEnabled(::GetDlgItem(run->hwnd(), box)) != 0, pattern == 0)
                << "Westminster's boxes, under " << pattern;
    }
    choose(2);
    run->Command(IDOK);
    EXPECT_EQ(AfxGetApp()->GetProfileInt("Options", "Pattern", -1), 2);
    Show();
    EXPECT_EQ(Locks(), "ULLL");
    choose(1);
    run->Command(IDCANCEL);
    Show();
    EXPECT_EQ(::SendMessageW(list, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(Locks(), "ULLL");
    // A value no way of striking has reads as Westminster, and is written back so.
    AfxGetApp()->WriteProfileInt("Options", "Pattern", 7);
    run->Command(IDCANCEL);
    EXPECT_EQ(::SendMessageW(list, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(AfxGetApp()->GetProfileInt("Options", "Pattern", -1), 0);
}

// Choosing a way of striking offers its bundled bells: in a slot it strikes that is empty or
// holds a bundled sound of another way, never over a sound the user chose; Cancel forgets it.
TEST_F(Window, ChoosingAPatternOffersItsBells) {
    const std::string folder = BundledFolder();
    ::CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* name : {"Hour.wav", "Quarter Past.wav", "Half Past.wav", "Quarter To.wav",
                             "Quarter Bell.wav", "Ship's Bell.wav"})
        WriteWav(folder + name, {1000, -1000});
    const HWND list = ::GetDlgItem(run->hwnd(), IDC_PATTERN);
    const auto choose = [&](int pattern) {
        ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(pattern), 0);
        run->Send(WM_COMMAND, MAKEWPARAM(IDC_PATTERN, CBN_SELCHANGE),
                  reinterpret_cast<LPARAM>(list));
    };
    // The four slots' texts, without the bundled folder, as one line.
    const auto slots = [&]() {
        std::string all;
        const char* separator = "";
        for (int id : {IDC_SOUND_HOUR, IDC_SOUND_QUARTER_AFTER, IDC_SOUND_HALF_PAST,
                       IDC_SOUND_QUARTER_TIL}) {
            std::string text = run->Text(id);
            if (text.size() > folder.size() &&
                !lstrcmpiA(text.substr(0, folder.size()).c_str(), folder.c_str()))
                text = "~" + text.substr(folder.size());
            all += separator + text;
            separator = "|";
        }
        return all;
    };
    for (int id :
         {IDC_SOUND_HOUR, IDC_SOUND_QUARTER_AFTER, IDC_SOUND_HALF_PAST, IDC_SOUND_QUARTER_TIL})
        run->SetText(id, "");
    choose(2);
    EXPECT_EQ(slots(), "~SHIP'S BELL.WAV|||");
    choose(1);
    EXPECT_EQ(slots(), "~HOUR.WAV|~QUARTER BELL.WAV||") << "another way's bell gives way";
    choose(3);
    EXPECT_EQ(slots(), "~HOUR.WAV|~QUARTER BELL.WAV|~HOUR.WAV|");
    choose(0);
    EXPECT_EQ(slots(), "~HOUR.WAV|~QUARTER PAST.WAV|~HALF PAST.WAV|~QUARTER TO.WAV");
    run->SetText(IDC_SOUND_HOUR, "C:\\MINE.WAV");
    choose(2);
    EXPECT_EQ(slots(), "C:\\MINE.WAV|~QUARTER PAST.WAV|~HALF PAST.WAV|~QUARTER TO.WAV")
        << "the user's own sound stays";
    run->Command(IDCANCEL);
    Show();
    EXPECT_EQ(slots(), "|||") << "Cancel forgets the bells offered";
    for (const char* name : {"Hour.wav", "Quarter Past.wav", "Half Past.wav", "Quarter To.wav",
                             "Quarter Bell.wav", "Ship's Bell.wav"})
        ::DeleteFileA((folder + name).c_str());
    ::RemoveDirectoryA(folder.c_str());
}

// OK asks about each unlocked slot whose file cannot be found, under the slot's caption; No
// empties it. (Which texts name a file is tested natively.)
TEST_F(Window, OkAsksAboutEachUnlockedSlotWhoseFileIsMissing) {
    Touch(WindowsDirectory() + "\\media\\CHIMO-TEST.WAV");
    ::CreateDirectoryA((kDir + "\\FOLDER.WAV").c_str(), nullptr);
    SetSlots();
    run->SetText(IDC_SOUND_HALF_PAST, "chimo-test.wav"); // found in the media folder
    // Neither a folder nor a pattern that matches a file is a sound file.
    run->SetText(IDC_SOUND_QUARTER_AFTER, kDir + "\\FOLDER.WAV");
    run->SetText(IDC_SOUND_QUARTER_TIL, WindowsDirectory() + "\\media\\CHIMO-*.WAV");
    run->Answer(IDYES); // keeps the hour, No for the rest
    run->Command(IDOK);
    EXPECT_EQ(
        Captions(run->Boxes()),
        (std::vector<std::string>{kMissingCaptions[0], kMissingCaptions[1], kMissingCaptions[3]}));
    for (const Box& box : run->Boxes()) {
        EXPECT_EQ(box.text, kFileNotFound);
        EXPECT_EQ(box.owner, run->hwnd());
    }
    EXPECT_EQ(Cues(), (std::vector<UINT>{IDW_CUE_YES, IDW_CUE_YES, IDW_CUE_NO, IDW_CUE_NO}));
    EXPECT_EQ(StoredSlot(kHourKey), "H.WAV");
    EXPECT_EQ(run->Text(IDC_SOUND_QUARTER_AFTER), "");
    EXPECT_EQ(run->Text(IDC_SOUND_HALF_PAST), "CHIMO-TEST.WAV");

    // A name longer than a find's 260 bytes (ninety Chinese characters) is found all the same.
    std::string sounds;
    for (int i = 0; i < 90; ++i)
        sounds += "音";
    Touch(kDir + "\\" + sounds + ".wav");
    Show();
    Click(IDC_DISABLE_SECONDARY); // the locked slots are not asked about
    run->SetText(IDC_SOUND_HOUR, kDir + "\\" + sounds + ".wav");
    run->SetText(IDC_SOUND_QUARTER_AFTER, "MISSING.WAV");
    run->Clear();
    run->Command(IDOK);
    EXPECT_EQ(Captions(run->Boxes()), std::vector<std::string>{});
    ::DeleteFileA((WindowsDirectory() + "\\media\\CHIMO-TEST.WAV").c_str());
}

TEST_F(Window, BrowseStartsInTheSlotsFolderAndAsksAboutAMissingChoice) {
    Touch(kDir + "\\BELL.WAV");
    run->SetText(IDC_SOUND_HALF_PAST, "");
    fake.choice = "";
    run->Command(IDC_BROWSE_HALF_PAST); // cancelled: nothing changes
    EXPECT_EQ(fake.lastTitle, kBrowseTitles[2]);
    EXPECT_EQ(fake.lastFolder, WindowsDirectory() + "\\media");
    EXPECT_EQ(run->Text(IDC_SOUND_HALF_PAST), "");
    fake.choice = kDir + "\\BELL.WAV";
    run->Command(IDC_BROWSE_HALF_PAST);
    EXPECT_EQ(run->Text(IDC_SOUND_HALF_PAST), kDir + "\\BELL.WAV");
    fake.choice = kDir + "\\MISSING.WAV";
    run->Command(IDC_BROWSE_HALF_PAST); // No: the old text stays
    EXPECT_EQ(fake.lastFolder, kDir + "\\");
    EXPECT_EQ(run->Text(IDC_SOUND_HALF_PAST), kDir + "\\BELL.WAV");
    run->Answer(IDYES);
    run->Command(IDC_BROWSE_QUARTER_TIL);
    EXPECT_EQ(fake.lastTitle, kBrowseTitles[3]);
    EXPECT_EQ(run->Text(IDC_SOUND_QUARTER_TIL), kDir + "\\MISSING.WAV");
    EXPECT_EQ(Captions(run->Boxes()), std::vector<std::string>(2, kWarningCaption));
    EXPECT_EQ(run->Boxes()[0].text, kFileNotFound);
    EXPECT_EQ(Cues(), (std::vector<UINT>{IDW_CUE_NO, IDW_CUE_YES}));

    // Play hands the text over as it stands, off the window's thread.
    fake.Clear();
    run->Command(IDC_PLAY_QUARTER_TIL);
    ASSERT_EQ(fake.Sounds().size(), 1u);
    EXPECT_EQ(fake.Sounds()[0].name, kDir + "\\MISSING.WAV");
    EXPECT_EQ(fake.Sounds()[0].flags, static_cast<DWORD>(SND_FILENAME | SND_NODEFAULT));
    // Playback finds a file where OK's check does: a bare name in the media folder. A file it
    // cannot scale (this one is no WAV) plays as named; a name found nowhere, as typed.
    const std::string media = WindowsDirectory() + "\\media\\CHIMO-TEST.WAV";
    Touch(media);
    for (const char* text : {"CHIMO-TEST.WAV", "ELSEWHERE.WAV"}) {
        fake.Clear();
        run->SetText(IDC_SOUND_QUARTER_TIL, text);
        run->Command(IDC_PLAY_QUARTER_TIL);
        ASSERT_EQ(fake.Files().size(), 1u);
        EXPECT_EQ(fake.Files()[0], text[0] == 'C' ? media : text);
    }
    ::DeleteFileA(media.c_str());
}

TEST_F(Window, ADroppedFileBecomesTheSlotsText) {
    ::CreateDirectoryA((kDir + "\\folder").c_str(), nullptr);
    for (const char* name : {"chime.wav", "second.wav", "tune.mid", "gone.wav"})
        Touch(kDir + "\\" + name);
    MakeShortcut(kDir + "\\to-chime.lnk", kDir + "\\chime.wav");
    MakeShortcut(kDir + "\\broken.lnk", kDir + "\\gone.wav");
    MakeShortcut(kDir + "\\computer.lnk", "");
    ::DeleteFileA((kDir + "\\gone.wav").c_str());
    // Named in other scripts: 191 characters in 531 bytes of UTF-8 are still a path, and a last
    // part of 274 bytes is more than a find's 260 bytes hold.
    Touch(kDir + "\\колокол.wav");
    std::string bells, sounds;
    for (int i = 0; i < 90; ++i)
        bells += i < 80 ? "鐘" : "", sounds += "音";
    ::CreateDirectoryA((kDir + "\\" + bells).c_str(), nullptr);
    const std::string chinese = kDir + "\\" + bells + "\\" + sounds;
    Touch(chinese + ".wav");
    struct Row {
        std::vector<std::string> names;
        std::string text; // "" keeps the old text
        int answer;       // to "not a WAV file", 0 when not asked
    } rows[] = {
        {{kDir + "\\second.wav", kDir + "\\chime.wav"}, kDir + "\\SECOND.WAV", 0},
        {{kDir + "\\folder", kDir + "\\chime.wav"}, "", 0},
        {{kDir + "\\to-chime.lnk"}, kDir + "\\CHIME.WAV", 0},
        {{kDir + "\\broken.lnk"}, "", 0},
        {{kDir + "\\nothing.wav"}, "", 0},
        {{kDir + "\\" + std::string(300, 'n') + ".wav"}, "", 0},
        {{}, "", 0},
        {{kDir + "\\tune.mid"}, "", IDNO},
        {{kDir + "\\tune.mid"}, kDir + "\\TUNE.MID", IDYES},
        {{kDir + "\\computer.lnk"}, kDir + "\\COMPUTER.LNK", IDYES},
        {{kDir + "\\колокол.wav"}, kDir + "\\КОЛОКОЛ.WAV", 0},
        {{chinese + ".wav"}, chinese + ".WAV", 0},
    };
    Click(IDC_DISABLE_SECONDARY); // a locked slot takes drops all the same
    for (const Row& row : rows) {
        SCOPED_TRACE(row.names.empty() ? "(none)" : row.names[0]);
        run->SetText(IDC_SOUND_QUARTER_TIL, "OLD.WAV");
        run->Clear();
        if (row.answer)
            run->Answer(row.answer);
        ::SendMessageA(::GetDlgItem(run->hwnd(), IDC_SOUND_QUARTER_TIL), WM_DROPFILES,
                       reinterpret_cast<WPARAM>(MakeDrop(row.names)), 0);
        EXPECT_EQ(run->Text(IDC_SOUND_QUARTER_TIL), row.text.empty() ? "OLD.WAV" : row.text);
        ASSERT_EQ(run->Boxes().size(), row.answer ? 1u : 0u);
        if (row.answer) {
            EXPECT_EQ(run->Boxes()[0].text, kNotWavFile);
        }
    }
    EXPECT_TRUE(fake.Sounds().empty()) << "a drop plays nothing";
    EXPECT_EQ(StoredSlot("AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:45) Quarter Til"), "<none>")
        << "and saves nothing";
}

// Every label, check box and button shows its whole text at the display scale, measured in the
// control's own font with room for a check box's box. at-each-dpi.sh runs it again at 120, 144
// and 192 DPI, and says in CHIMO_TEST_DPI which scale the prefix was given.
TEST_F(Window, TextsAreWholeAtTheDisplayScale) {
    const int dpi = DisplayDpi();
    SIZE ideal{};
    EXPECT_TRUE(::SendMessageA(::GetDlgItem(run->hwnd(), IDOK), BCM_GETIDEALSIZE, 0,
                               reinterpret_cast<LPARAM>(&ideal)))
        << "drawn by Common Controls 6, in the system's visual style";
    // The notes beside the controls, with the longest each can say.
    run->SetText(IDC_TELL_KEY_NOTE, kKeyNeedsModifier);
    run->SetText(IDC_SPEAK_NOTE, kNoVoice);
    CAboutBox box;
    ModalSession about(box);
    EXPECT_GT(ExpectTextsWhole({run->hwnd(), about.hwnd()}, dpi), 30);
    ExpectEntriesWhole(run->hwnd(), {IDC_PATTERN, IDC_SLEEP_MODE, IDC_DEVICE, IDC_LANGUAGE}, dpi);
}

// What a screen reader announces for each control of the settings window, read as it reads
// them: every field, box and slider by its own label, with a shortcut of its own; each Browse
// and Play button with the quarter it serves.
TEST_F(Window, EachControlIsAnnouncedByItsOwnLabel) {
    const struct {
        int id;
        const char* name;
    } rows[] = {
        {IDC_SOUND_HOUR, "Top of the hour:"},
        {IDC_BROWSE_HOUR, "Browse, Top of the hour"},
        {IDC_PLAY_HOUR, "Play, Top of the hour"},
        {IDC_MULTI, "Multi-CHIMO!"},
        {IDC_PATTERN, "Strike"},
        {IDC_SOUND_QUARTER_AFTER, "Quarter After:"},
        {IDC_BROWSE_QUARTER_AFTER, "Browse, Quarter After"},
        {IDC_PLAY_QUARTER_AFTER, "Play, Quarter After"},
        {IDC_SOUND_HALF_PAST, "Half Past:"},
        {IDC_BROWSE_HALF_PAST, "Browse, Half Past"},
        {IDC_PLAY_HALF_PAST, "Play, Half Past"},
        {IDC_SOUND_QUARTER_TIL, "Quarter 'Til:"},
        {IDC_BROWSE_QUARTER_TIL, "Browse, Quarter 'Til"},
        {IDC_PLAY_QUARTER_TIL, "Play, Quarter 'Til"},
        {IDC_USE_SAME, "Use same for all secondary CHIMO!s."},
        {IDC_DISABLE_SECONDARY, "Disable Secondary CHIMO!s."},
        {IDC_VOICE, "Voice"},
        {IDC_VOICE_RATE, "Speed"},
        {IDC_SPEAK_WORDS, "Say it"},
        {IDC_QUIET_WHEN_BUSY, "Quiet during calls, full-screen programs and Do not disturb"},
        {IDC_QUIET_WHEN_AWAY, "Quiet while the screen is locked or off, or nobody is there"},
        {IDC_DISABLE, "Disable"},
        {IDC_LANGUAGE, "Language"},
        {IDC_VOLUME, "Volume"},
        {IDC_DEVICE, "Play on"},
        {IDC_WAKE_SPEAKERS, "Wake wireless speakers first"},
        {IDC_TELL_KEY, "Shortcut key"},
        {IDC_SPEAK_TIME, "Say the time after each chime"},
        {IDC_TELL_EVERY, "Also tell the time every"},
        {IDC_SPEAK_ONLY, "Speak only, without the strikes"},
        {IDC_SLEEP_TIMER, "Sleep Timer"},
        {IDC_SLEEP_START, "Start Time"},
        {IDC_SLEEP_STOP, "Stop Time"},
        {IDC_SLEEP_MODE, "During these hours"},
        {IDC_SLEEP_VOLUME, "Night volume"},
        // The user's own week (Wine's locale here is English, United States: from Sunday).
        {IDC_DAY_FIRST, "Sun"},
        {IDC_DAY_FIRST + 1, "Mon"},
        {IDC_DAY_FIRST + 2, "Tue"},
        {IDC_DAY_FIRST + 3, "Wed"},
        {IDC_DAY_FIRST + 4, "Thu"},
        {IDC_DAY_FIRST + 5, "Fri"},
        {IDC_DAY_FIRST + 6, "Sat"},
        {IDOK, "OK"},
        {IDCANCEL, "Cancel"},
        {ID_QUIT, "Quit"},
        {IDC_ABOUT, "About"},
    };
    CComInit com;
    std::vector<std::string> shortcuts;
    for (const auto& row : rows) {
        const Announced said = Announce(::GetDlgItem(run->hwnd(), row.id));
        std::printf("  %-45s %-14s %s\n", said.name.c_str(), said.role.c_str(),
                    said.shortcut.c_str());
        EXPECT_EQ(said.name, row.name);
        if (!said.shortcut.empty()) {
            EXPECT_EQ(std::count(shortcuts.begin(), shortcuts.end(), said.shortcut), 0)
                << said.shortcut << " twice";
            shortcuts.push_back(said.shortcut);
        }
    }
    EXPECT_EQ(shortcuts.size(), 23u) << "every field, box, list, key and slider, and the four "
                                        "buttons; not the quiet hours' list and slider, the "
                                        "box for nobody there and the days, for want of a "
                                        "letter";
    // The tab order is the reading order of the rows (a disabled control, the night volume while
    // the quiet hours are silent, takes no focus).
    HWND at = ::GetDlgItem(run->hwnd(), rows[0].id);
    for (const auto& row : rows) {
        if (!::IsWindowEnabled(::GetDlgItem(run->hwnd(), row.id)))
            continue;
        EXPECT_EQ(::GetDlgCtrlID(at), row.id);
        at = ::GetNextDlgTabItem(run->hwnd(), at, FALSE);
    }
}

// The About box: opened by its button, the tray item and system commands 16 to 31; its texts,
// its sound, and links with their targets as tooltips, a hand pointer and their colours.
TEST_F(Window, TheAboutBoxAndItsLinks) {
    HMENU system = ::GetSystemMenu(run->hwnd(), FALSE);
    const int last = ::GetMenuItemCount(system) - 1;
    char item[64] = "";
    ::GetMenuStringA(system, static_cast<UINT>(last), item, sizeof item, MF_BYPOSITION);
    EXPECT_STREQ(item, "&About CHIMO...");
    EXPECT_EQ(::GetMenuItemID(system, last), static_cast<UINT>(IDM_ABOUT_SYS));
    EXPECT_EQ(::GetMenuState(system, static_cast<UINT>(last - 1), MF_BYPOSITION) & MF_SEPARATOR,
              static_cast<UINT>(MF_SEPARATOR));
    struct Opener {
        UINT message;
        WPARAM wParam;
    } openers[] = {{WM_COMMAND, IDC_ABOUT}, {WM_SYSCOMMAND, IDM_ABOUT_SYS}, {WM_SYSCOMMAND, 31}};
    for (const Opener& opener : openers) {
        ::PostMessageA(run->hwnd(), opener.message, opener.wParam, 0);
        HWND about = nullptr;
        for (int waited = 0; !about && waited < 5000; waited += 20, ::Sleep(20))
            about = ::FindWindowA("#32770", "About CHIMO!");
        ASSERT_NE(about, nullptr) << opener.wParam;
        ::PostMessageA(about, WM_COMMAND, IDOK, 0);
        run->SettleUntil([&] { return !::IsWindow(about); });
    }
    fake.Clear();
    CAboutBox box;
    ModalSession about(box);
    EXPECT_EQ(about.Text(IDC_VERSION), "CHIMO! Version 1.60");
    ASSERT_EQ(fake.Sounds().size(), 1u);
    EXPECT_EQ(fake.Sounds()[0].resource, static_cast<UINT>(IDW_ABOUT_SOUND));
    struct Link {
        CLinkLabel& label;
        const char* text;
        const char* target;
    } links[] = {
        {box.m_linkWeb, "http://www.example.org/chimo/", "http://www.example.org/chimo/"},
        {box.m_linkMailA, "chimo@EXAMPLE.ORG", "mailto:chimo@example.org"},
        {box.m_linkMailB, "developers@EXAMPLE.ORG", "mailto:developers@example.org"},
    };
    HCURSOR hand = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_LINK_CURSOR));
    for (const Link& link : links) {
        SCOPED_TRACE(link.text);
        HWND hwnd = link.label.m_hWnd;
        char text[128] = "";
        ::GetWindowTextA(hwnd, text, sizeof text);
        EXPECT_STREQ(text, link.text);
        char tip[128] = "";
        TOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.hwnd = ::GetParent(hwnd);
        info.uId = reinterpret_cast<UINT_PTR>(hwnd);
        info.lpszText = tip;
        ::SendMessageA(link.label.m_ToolTip.m_hWnd, TTM_GETTEXTA, sizeof tip,
                       reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(tip, link.target);
        // The pointer over the link, seen from a thread that shares the box's input state.
        DWORD thread = ::GetWindowThreadProcessId(hwnd, nullptr);
        ::AttachThreadInput(::GetCurrentThreadId(), thread, TRUE);
        ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
        ::SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), HTCLIENT);
        EXPECT_EQ(::GetCursor(), hand);
        ::AttachThreadInput(::GetCurrentThreadId(), thread, FALSE);
    }
    // The pointer coming to rest on a link shows its tip, whichever window is active.
    // The settings window is moved clear of the box (the boxes opened from it may raise it over
    // the link late on a busy machine), and the pointer comes from the box's own frame, so that
    // no other thread hears a move late and puts the pointer back.
    RECT web, frame;
    ::GetWindowRect(box.m_linkWeb.m_hWnd, &web);
    ::GetWindowRect(about.hwnd(), &frame);
    ::SetWindowPos(run->hwnd(), nullptr, frame.right + 50, frame.bottom + 50, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetCursorPos(frame.left + 2, frame.top + 2);
    about.SettleUntil([&] {
        POINT at{};
        return ::GetCursorPos(&at) && at.x == frame.left + 2 && at.y == frame.top + 2;
    });
    ::SetCursorPos((web.left + web.right) / 2, (web.top + web.bottom) / 2);
    EXPECT_TRUE(
        about.SettleUntil([&] { return ::IsWindowVisible(box.m_linkWeb.m_ToolTip.m_hWnd); }));
    HDC dc = ::CreateCompatibleDC(nullptr);
    auto paint = [&] {
        about.Send(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(box.m_linkMailA.m_hWnd));
        return ::GetTextColor(dc);
    };
    EXPECT_EQ(paint(), box.m_linkMailA.m_crLinkColor);
    LOGFONTA font{};
    ::GetObjectA(::GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
    EXPECT_EQ(font.lfUnderline, 1);
    box.m_linkMailA.MarkVisited(TRUE);
    EXPECT_EQ(paint(), box.m_linkMailA.m_crVisitedColor);
    // In high contrast, visited or not, the system's colour for links. (Wine 8 cannot switch
    // high contrast on: there this part is left out, and says so.)
    HIGHCONTRASTA contrast{sizeof contrast, HCF_HIGHCONTRASTON, nullptr};
    if (::SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, 0)) {
        EXPECT_EQ(paint(), ::GetSysColor(COLOR_HOTLIGHT));
        contrast.dwFlags = 0;
        ::SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, 0);
    } else {
        std::printf("  high contrast cannot be switched on here: its link colour is not seen\n");
    }
    ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
    ::DeleteDC(dc);
}

// A click the shell cannot open falls back to the .htm program's open command; when that
// fails too, the last code is explained in a box owned by the About box, and the link is not
// visited.
TEST_F(Window, ALinkFallsBackToTheHtmProgramOrExplainsWhy) {
    StandInBrowser browser;
    const std::string target = kNoShellTarget;
    const int shellCode = static_cast<int>(reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOW)));
    struct Row {
        std::string command; // "" for none
        std::string target;
        int code; // 0: opened
    } rows[] = {
        {browser.recorder, target, 0},
        {"\"C:\\no-such-folder\\browser.exe\" \"%1\"", target, 3},
        {"", target, shellCode},
        {"\"" + std::string(250, 'p') + "\" %1", target + std::string(300, 'x'), shellCode},
    };
    CAboutBox box;
    ModalSession about(box);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.command);
        browser.Use(row.command);
        box.m_linkWeb.m_bVisited = row.code != 0; // it changes either way
        box.m_linkWeb.SetLinkTarget(row.target.c_str());
        about.Clear();
        ::SendMessageA(box.m_linkWeb.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        ::SendMessageA(box.m_linkWeb.m_hWnd, WM_LBUTTONUP, 0, 0);
        EXPECT_EQ(box.m_linkWeb.m_bVisited, !row.code);
        if (!row.code) {
            EXPECT_TRUE(browser.Opened(target));
            EXPECT_TRUE(about.Boxes().empty());
            continue;
        }
        ASSERT_EQ(about.Boxes().size(), 1u);
        EXPECT_EQ(about.Boxes()[0].text, OpenErrorText(row.code));
        if (row.code == 3) {
            EXPECT_EQ(about.Boxes()[0].text,
                      "Unable to open hyperlink:\n\nThe specified path was not found.");
        }
        EXPECT_EQ(about.Boxes()[0].owner, about.hwnd());
    }
    // A code without an explanation of its own is told by its number.
    for (const int code : {1, 33, -1})
        EXPECT_EQ(OpenErrorText(code).str(), "Unable to open hyperlink:\n\nUnknown Error (" +
                                                 std::to_string(code) + ") occurred.");
}

// The links from the keyboard alone (Tab from OK, then Enter or Space) and through Active
// Accessibility (a link, its text, its target, and a default action that opens it).
TEST_F(Window, ALinkIsALinkToTheKeyboardAndToAssistiveTechnology) {
    StandInBrowser browser;
    CAboutBox box;
    ModalSession about(box);
    HWND link = box.m_linkWeb.m_hWnd;
    box.m_linkWeb.SetLinkTarget(kNoShellTarget);
    const auto key = [&](HWND to, WPARAM vk) {
        ::PostMessageA(to, WM_KEYDOWN, vk, 1), ::PostMessageA(to, WM_KEYUP, vk, 0xC0000001);
    };
    const auto focus = [&] {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(link, nullptr), &gui);
        return gui.hwndFocus;
    };
    // The top row of the link's pixels, as drawn: the focus rectangle's edge when it has the
    // focus.
    const auto topRow = [&] {
        // The whole box, children after their parent, so that no paint is left pending.
        ::RedrawWindow(about.hwnd(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT client{};
        ::GetClientRect(link, &client);
        HDC dc = ::GetDC(link);
        std::vector<COLORREF> row;
        for (int x = 0; x < client.right; ++x)
            row.push_back(::GetPixel(dc, x, 0));
        ::ReleaseDC(link, dc);
        return row;
    };
    const std::vector<COLORREF> unfocused = topRow();
    key(::GetDlgItem(about.hwnd(), IDOK), VK_TAB);
    about.SettleUntil([&] { return focus() == link; });
    EXPECT_EQ(focus(), link) << "Tab from OK reaches the first link";
    EXPECT_NE(topRow(), unfocused) << "a focus rectangle shows where the focus is";

    CComInit com;
    CComPtr<IAccessible> object;
    const Announced said = Announce(link, reinterpret_cast<IAccessible**>(object.Receive()));
    ASSERT_TRUE(object.get());
    char role[64] = "";
    ::GetRoleTextA(ROLE_SYSTEM_LINK, role, sizeof role);
    EXPECT_EQ(said.role, role);
    EXPECT_EQ(said.name, "http://www.example.org/chimo/");
    EXPECT_EQ(said.value, kNoShellTarget);
    EXPECT_EQ(said.action, "Jump");

    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    const struct {
        const char* how;
        std::function<void()> act;
    } openers[] = {
        {"Enter", [&] { key(link, VK_RETURN); }},
        {"Space", [&] { key(link, VK_SPACE); }},
        {"the default action", [&] { object->accDoDefaultAction(self); }},
    };
    for (const auto& opener : openers) {
        SCOPED_TRACE(opener.how);
        browser.Use(browser.recorder);
        opener.act();
        EXPECT_TRUE(browser.Opened(kNoShellTarget));
        EXPECT_FALSE(about.Ended()) << "the dialog's default button stays unpressed";
    }
}

// No exception crosses a window procedure: the user is told, and the window runs on.
TEST_F(Window, AnExceptionInAHandlerIsReportedAndTheWindowRunsOn) {
    struct Throwing : CAboutBox {
        void OnOK() override { throw std::runtime_error("handler failed"); }
    } box;
    ModalSession about(box);
    about.Command(IDOK);
    ASSERT_EQ(about.Boxes().size(), 1u);
    EXPECT_EQ(about.Boxes()[0].text,
              "An internal error occurred and the last action was not completed:\nhandler failed");
    EXPECT_FALSE(about.Ended());
}

namespace {
// An owner that makes a window of its own as it is disabled, as an input method would.
HWND g_other;
LRESULT CALLBACK OwnerMakingAWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENABLE && !wParam && !g_other)
        g_other = ::CreateWindowExA(0, "STATIC", "IME", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                    nullptr, nullptr);
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}
} // namespace

// The thread may make other windows before the dialog's own (an input method makes its window
// with the thread's first): the dialog binds and initialises its own window all the same. The
// owner is disabled before the dialog is made, on Windows as on Wine: there the test makes one.
TEST_F(Window, ADialogBindsItsOwnWindowWhateverTheThreadMakesFirst) {
    struct Recording : CDialog {
        Recording(CWnd* owner) : CDialog(IDD_ABOUT_BOX, owner) {}
        BOOL OnInitDialog() override {
            char name[16] = "";
            ::GetClassNameA(m_hWnd, name, sizeof name);
            initialised = name;
            ::PostMessageA(m_hWnd, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        }
        std::string initialised;
    };
    WNDCLASSA kind{};
    kind.lpszClassName = "ChimoTestOwner";
    kind.hInstance = ::GetModuleHandleA(nullptr);
    kind.lpfnWndProc = OwnerMakingAWindow;
    ::RegisterClassA(&kind);
    g_other = nullptr;
    std::atomic<DWORD> thread{0};
    std::atomic<bool> done{false};
    std::string initialised;
    INT_PTR result = 0;
    std::thread session([&] {
        thread = ::GetCurrentThreadId();
        CWnd owner;
        owner.SubclassWindow(::CreateWindowExA(0, kind.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10,
                                               10, nullptr, nullptr, nullptr, nullptr));
        Recording dialog(&owner);
        result = dialog.DoModal();
        initialised = dialog.initialised;
        ::DestroyWindow(owner.UnsubclassWindow());
        if (g_other)
            ::DestroyWindow(g_other);
        done = true;
    });
    // A dialog initialised on the wrong window cannot end itself: its loop is ended for it.
    for (int waited = 0; waited < 5000 && !done; waited += 50)
        ::Sleep(50);
    if (!done)
        ::PostThreadMessageA(thread, WM_QUIT, 0, 0);
    session.join();
    EXPECT_NE(g_other, nullptr) << "no window was made before the dialog's";
    EXPECT_EQ(initialised, "#32770");
    EXPECT_EQ(result, IDCANCEL);
}

// The object a control answers with is one object to COM: whatever interface it gives leads
// back to it, and to its name. Asked on the control's own thread, where no proxy stands between.
TEST(Accessible, EveryInterfaceOfAControlsObjectLeadsBackToIt) {
    CComInit com;
    HWND button = ::CreateWindowExA(0, "BUTTON", "Play", WS_POPUP | BS_PUSHBUTTON, 0, 0, 60, 20,
                                    nullptr, nullptr, nullptr, nullptr);
    AccessibleFacts facts;
    facts.name = "Play, Top of the hour";
    const LRESULT answer = AnswerGetObject(button, 0, OBJID_CLIENT, facts);
    ASSERT_GT(answer, 0);
    {
        CComPtr<IAccessible> object;
        ASSERT_HRESULT_SUCCEEDED(
            ::ObjectFromLresult(answer, __uuidof(IAccessible), 0, object.Receive()));
        CComPtr<IUnknown> identity;
        object->QueryInterface(__uuidof(IUnknown), identity.Receive());
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        for (const IID& iid : {__uuidof(IOleWindow), __uuidof(IEnumVARIANT), __uuidof(IDispatch),
                               __uuidof(IServiceProvider)}) {
            CComPtr<IUnknown> other;
            if (FAILED(object->QueryInterface(iid, other.Receive())))
                continue;
            CComPtr<IUnknown> back;
            CComPtr<IAccessible> again;
            other->QueryInterface(__uuidof(IUnknown), back.Receive());
            other->QueryInterface(__uuidof(IAccessible), again.Receive());
            EXPECT_EQ(back.get(), identity.get());
            ASSERT_NE(again.get(), nullptr);
            BSTR name = nullptr;
            again->get_accName(self, &name);
            EXPECT_EQ(Utf8(name), "Play, Top of the hour");
        }
        HWND window = nullptr;
        CComPtr<IOleWindow> ole;
        if (SUCCEEDED(object->QueryInterface(__uuidof(IOleWindow), ole.Receive())))
            ole->GetWindow(&window);
        EXPECT_EQ(window, button);
    }
    ::DestroyWindow(button);
}

// A dialog moved to a monitor of another scale gives its controls their fonts anew: the link
// is then drawn underlined in the new size, not the old.
TEST_F(Window, ALinkFollowsANewFont) {
    CAboutBox box;
    ModalSession about(box);
    const HWND link = box.m_linkWeb.m_hWnd;
    const auto drawnHeight = [&] {
        HDC dc = ::CreateCompatibleDC(nullptr);
        ::SendMessageA(about.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(link));
        LOGFONTA drawn{};
        ::GetObjectA(::GetCurrentObject(dc, OBJ_FONT), sizeof drawn, &drawn);
        ::DeleteDC(dc);
        return std::make_pair(drawn.lfHeight, drawn.lfUnderline);
    };
    LOGFONTA logFont{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(link, WM_GETFONT, 0, 0)), sizeof logFont,
                 &logFont);
    EXPECT_EQ(drawnHeight(), std::make_pair(logFont.lfHeight, BYTE{1}));
    logFont.lfHeight *= 2;
    HFONT larger = ::CreateFontIndirectA(&logFont);
    ::SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(larger), TRUE);
    EXPECT_EQ(drawnHeight(), std::make_pair(logFont.lfHeight, BYTE{1}));
    ::SendMessageA(link, WM_SETFONT, 0, FALSE);
    ::DeleteObject(larger);
}
