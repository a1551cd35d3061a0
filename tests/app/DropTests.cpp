// Files dropped on the slot fields, as real WM_DROPFILES messages with an HDROP, and real
// shell shortcuts written through IShellLinkA.
#include "FakeServices.h"
#include "ModalSession.h"
#include "StoredSettings.h"
#include "main/ChimeDlg.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

const std::string kDir = "C:\\chimo-drops";

void Touch(const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "RIFF";
}

// The HDROP the shell would send for `names`.
HDROP MakeDrop(const std::vector<std::string>& names) {
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& name : names)
        size += name.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    char* at = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
    for (const std::string& name : names) {
        memcpy(at, name.c_str(), name.size() + 1);
        at += name.size() + 1;
    }
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// A shortcut at `path` to the file `target`, or, with an empty target, to "My Computer",
// which is no file.
bool MakeShortcut(const std::string& path, const std::string& target) {
    IShellLinkA* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&link))))
        return false;
    bool ok;
    if (target.empty()) {
        LPITEMIDLIST pidl = nullptr;
        ok = SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &pidl)) &&
             SUCCEEDED(link->SetIDList(pidl));
        ::CoTaskMemFree(pidl);
    } else {
        ok = SUCCEEDED(link->SetPath(target.c_str()));
    }
    IPersistFile* file = nullptr;
    if (ok && SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH];
        ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        ok = SUCCEEDED(file->Save(wide, TRUE));
        file->Release();
    } else {
        ok = false;
    }
    link->Release();
    return ok;
}

struct Drops : ::testing::Test {
    InstalledFakes fakes;
    CChimeDlg dlg;
    void SetUp() override {
        ForgetStoredSettings();
        ::CoInitialize(nullptr);
        ::CreateDirectoryA(kDir.c_str(), nullptr);
        ::CreateDirectoryA((kDir + "\\folder").c_str(), nullptr);
        for (const char* name : {"chime.wav", "second.wav", "tune.mid", "tune.wave", "slowav"})
            Touch(kDir + "\\" + name);
        ASSERT_TRUE(MakeShortcut(kDir + "\\to-chime.lnk", kDir + "\\chime.wav"));
        Touch(kDir + "\\gone.wav");
        ASSERT_TRUE(MakeShortcut(kDir + "\\broken.lnk", kDir + "\\gone.wav"));
        ::DeleteFileA((kDir + "\\gone.wav").c_str());
        ASSERT_TRUE(MakeShortcut(kDir + "\\computer.lnk", ""));
    }
    void TearDown() override { ::CoUninitialize(); }
    static std::string Text(ModalSession& run, int id) {
        char buffer[1024] = "";
        ::GetDlgItemTextA(run.hwnd(), id, buffer, sizeof buffer);
        return buffer;
    }
    static void Drop(ModalSession& run, int id, const std::vector<std::string>& names) {
        ::SendMessageA(::GetDlgItem(run.hwnd(), id), WM_DROPFILES,
                       reinterpret_cast<WPARAM>(MakeDrop(names)), 0);
    }
};

const char kNotWav[] =
    "This file does not appear to be a WAV file.\nWould you still like to use this file?";

} // namespace

TEST_F(Drops, TheFirstDroppedFileIsTakenWhenItIsAWavFile) {
    const std::string before = "OLD.WAV";
    struct Row {
        std::vector<std::string> names;
        std::string expected; // "" keeps the old text
        bool asked;
    } rows[] = {
        {{kDir + "\\chime.wav"}, "C:\\CHIMO-DROPS\\CHIME.WAV", false},
        {{kDir + "\\second.wav", kDir + "\\chime.wav"}, "C:\\CHIMO-DROPS\\SECOND.WAV", false},
        {{kDir + "\\folder", kDir + "\\chime.wav"}, "", false}, // first rejected: still only it
        {{kDir + "\\to-chime.lnk"}, "C:\\CHIMO-DROPS\\CHIME.WAV", false},
        {{kDir + "\\broken.lnk"}, "", false},
        {{kDir + "\\slowav"}, "C:\\CHIMO-DROPS\\SLOWAV", false},
        {{kDir + "\\folder"}, "", false},
        {{kDir + "\\nothing.wav"}, "", false},
        {{kDir + "\\" + std::string(300, 'n') + ".wav"}, "", false}, // longer than a path
        {{}, "", false},
        {{kDir + "\\tune.mid"}, "", true},     // answered No
        {{kDir + "\\tune.wave"}, "", true},    // answered No
        {{kDir + "\\computer.lnk"}, "", true}, // no file path in it: the shortcut itself
    };
    ModalSession run(dlg);
    for (const Row& row : rows) {
        ::SetDlgItemTextA(run.hwnd(), IDC_SOUND_HALF_PAST, before.c_str());
        run.boxes().Clear();
        Drop(run, IDC_SOUND_HALF_PAST, row.names);
        std::string label = row.names.empty() ? "(none)" : row.names[0];
        EXPECT_EQ(Text(run, IDC_SOUND_HALF_PAST), row.expected.empty() ? before : row.expected)
            << label;
        auto boxes = run.boxes().Boxes();
        ASSERT_EQ(boxes.size(), row.asked ? 1u : 0u) << label;
        if (row.asked) {
            EXPECT_EQ(boxes[0].text, kNotWav);
            EXPECT_EQ(boxes[0].caption, "CHIMO!: Warning...");
            EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
            // Owned by the field: the system makes the field's top-level window the owner.
            EXPECT_EQ(boxes[0].owner, run.hwnd());
        }
    }
    EXPECT_TRUE(fakes.sound.Calls().empty()) << "a drop plays nothing";
    EXPECT_EQ(StoredValue("AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:30) Half Past\\.current"),
              "<none>")
        << "and saves nothing";
}

TEST_F(Drops, YesKeepsTheUpperCasedPathAndLocksDoNotStopADrop) {
    ModalSession run(dlg);
    run.Send(WM_COMMAND, ID_TRAY_ICON, WM_LBUTTONDBLCLK);
    ::SendMessageA(::GetDlgItem(run.hwnd(), IDC_DISABLE_SECONDARY), BM_CLICK, 0, 0);
    fakes.sound.Clear();
    ASSERT_TRUE(::GetWindowLongA(::GetDlgItem(run.hwnd(), IDC_SOUND_QUARTER_TIL), GWL_STYLE) &
                ES_READONLY);
    Drop(run, IDC_SOUND_QUARTER_TIL, {kDir + "\\chime.wav"});
    EXPECT_EQ(Text(run, IDC_SOUND_QUARTER_TIL), "C:\\CHIMO-DROPS\\CHIME.WAV");

    run.boxes().Answer(IDYES);
    Drop(run, IDC_SOUND_HOUR, {kDir + "\\tune.mid"});
    EXPECT_EQ(Text(run, IDC_SOUND_HOUR), "C:\\CHIMO-DROPS\\TUNE.MID");
    run.boxes().Answer(IDYES);
    Drop(run, IDC_SOUND_HOUR, {kDir + "\\computer.lnk"});
    EXPECT_EQ(Text(run, IDC_SOUND_HOUR), "C:\\CHIMO-DROPS\\COMPUTER.LNK");
    EXPECT_EQ(run.boxes().Count(), 2u);
    EXPECT_TRUE(fakes.sound.Cues().empty()) << "no cue with either answer";
}

TEST_F(Drops, FolderModeTakesAFolderAsItIsAndNoFile) {
    ModalSession run(dlg);
    dlg.m_editHour.m_bFolderMode = TRUE;
    ::SetDlgItemTextA(run.hwnd(), IDC_SOUND_HOUR, "OLD");
    Drop(run, IDC_SOUND_HOUR, {kDir + "\\chime.wav"});
    EXPECT_EQ(Text(run, IDC_SOUND_HOUR), "OLD");
    Drop(run, IDC_SOUND_HOUR, {kDir + "\\folder"});
    // The field itself upper-cases what is typed; the drop does not for a folder.
    std::string text = Text(run, IDC_SOUND_HOUR);
    EXPECT_TRUE(text == kDir + "\\folder" || text == "C:\\CHIMO-DROPS\\FOLDER") << text;
    EXPECT_EQ(run.boxes().Count(), 0u);
    dlg.m_editHour.m_bFolderMode = FALSE;
}

TEST_F(Drops, ResolveShortcutGivesTheStoredTargetOrNothing) {
    struct Row {
        std::string path, target;
    } rows[] = {
        {kDir + "\\to-chime.lnk", kDir + "\\chime.wav"},
        {kDir + "\\broken.lnk", kDir + "\\gone.wav"}, // as stored, not searched for
        {kDir + "\\chime.wav", ""},
        {kDir + "\\computer.lnk", ""},
        {"", ""},
        {std::string(400, 'x') + ".lnk", ""},
    };
    CSoundPathEdit edit; // no window needed; COM is initialised on this thread
    for (const Row& row : rows) {
        CString path(row.path.c_str());
        std::string got = edit.ResolveShortcut(path).str();
        EXPECT_TRUE(_stricmp(got.c_str(), row.target.c_str()) == 0) << row.path << " -> " << got;
        EXPECT_EQ(std::string(path), row.path) << "the argument is left as it is";
    }
}
