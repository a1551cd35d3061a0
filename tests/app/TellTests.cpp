// "Tell the time" from its key and the tray menu, and the time spoken after a chime, with the
// voice and the key's registration faked (Wine has neither a voice nor a key it refuses).
#include "core/Texts.h"
#include "tests/support/English.h"
#include "sound/SoundPlayer.h"
#include "tests/support/ChimoTest.h"

#include <atomic>
#include <string>

namespace {
const std::pair<UINT, UINT> kDefaultKey{MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'T'};

struct Tell : ChimoTest {
    const std::string hourTone = "C:\\CHIMO-HOUR.WAV", halfTone = "C:\\CHIMO-HALF.WAV";
    void SetUp() override {
        ChimoTest::SetUp();
        WriteWav(hourTone, std::vector<int16_t>(2205, 1000)); // 0.1 s at 22 050 Hz
        WriteWav(halfTone, std::vector<int16_t>(4410, -1000));
    }
    void TearDown() override {
        ChimoTest::TearDown();
        ::DeleteFileA(hourTone.c_str());
        ::DeleteFileA(halfTone.c_str());
    }
    void Slots() const {
        run->SetText(IDC_SOUND_HOUR, hourTone);
        run->SetText(IDC_SOUND_HALF_PAST, halfTone);
    }
    // The key pressed; returns once what it struck has been heard.
    void Press() const {
        run->Send(WM_HOTKEY, 1);
        Player().Wait(5000);
    }
    // The entries of list `id`, in order.
    std::vector<std::string> Entries(int id) const {
        std::vector<std::string> entries;
        const HWND list = ::GetDlgItem(run->hwnd(), id);
        const LRESULT count = ::SendMessageW(list, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[256] = L"";
            if (::SendMessageW(list, CB_GETLBTEXTLEN, i, 0) < 256)
                ::SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            entries.push_back(Utf8(text).str());
        }
        return entries;
    }
    std::wstring Said(int hour, int minute) const {
        return SpokenTime(LOCALE_NAME_USER_DEFAULT, hour, minute).text;
    }
};
} // namespace

// The words are the user's own short time format, in the language of the locale.
TEST(SpokenTime, IsTheLocalesShortTimeFormat) {
    EXPECT_EQ(std::wstring(SpokenTime(L"en-US", 15, 15).text), L"3:15 PM");
    EXPECT_EQ(std::wstring(SpokenTime(L"de-DE", 15, 15).text), L"15:15");
    EXPECT_EQ(std::wstring(SpokenTime(L"en-US", 0, 5).text), L"12:05 AM");
    // The user's short format, as the taskbar shows it, where it differs from the long one.
    wchar_t shortWas[80] = L"", longWas[80] = L"";
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTTIME, shortWas, 80);
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, longWas, 80);
    ASSERT_TRUE(::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTTIME, L"HH.mm"));
    ASSERT_TRUE(::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, L"h:mm:ss tt"));
    EXPECT_EQ(std::wstring(SpokenTime(LOCALE_NAME_USER_DEFAULT, 15, 15).text), L"15.15");
    ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTTIME, shortWas);
    ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, longWas);
}

// The key and the menu item strike the hours, then the last quarter passed: at 10:37, ten
// strikes a second apart and Half Past a beat and a second after the last, at the chime's
// volume, on the chime's device, after its lead-in; in every state the program is in.
TEST_F(Tell, TheKeyAndTheMenuStrikeTheHoursAndTheLastQuarter) {
    AfxGetApp()->WriteProfileInt("Options", "Wake_Speakers", 1);
    AfxGetApp()->WriteProfileInt("Special", "Lead_In_Ms", 500);
    fake.SetTime(10, 37, 0);
    Start();
    EXPECT_EQ(fake.HotKeys(), (std::vector<std::pair<UINT, UINT>>{kDefaultKey}));
    Slots();
    SetVolume(50);
    const size_t leadIn = 22050 / 2, whole = 11 * 22050 + 4410;
    for (int state : {0, IDC_DISABLE, ID_SNOOZE}) {
        SCOPED_TRACE(state);
        if (state)
            run->Command(state);
        fake.Clear();
        Press();
        const auto sounds = fake.Sounds();
        ASSERT_EQ(sounds.size(), 1u);
        ASSERT_EQ(sounds[0].samples.size(), 2 * (leadIn + whole));
        const auto sample = [&](size_t i) {
            return *reinterpret_cast<const int16_t*>(&sounds[0].samples[2 * (leadIn + i)]);
        };
        EXPECT_EQ(sample(0), 500) << "the first strike, at half volume";
        EXPECT_EQ(sample(9 * 22050), 500) << "the tenth";
        EXPECT_EQ(sample(10 * 22050), 0) << "no eleventh";
        EXPECT_EQ(sample(11 * 22050), -500) << "Half Past, after a second's pause";
    }
    fake.Clear();
    run->Command(ID_TELL_TIME);
    Player().Wait(5000);
    EXPECT_EQ(fake.Sounds().size(), 1u) << "the tray menu's item";
    fake.Clear();
    fake.SetTime(10, 5, 0);
    run->Command(IDC_DISABLE); // and the snooze goes with it
    run->SetText(IDC_SOUND_HOUR, "");
    run->SetText(IDC_SOUND_QUARTER_AFTER, "");
    Press();
    EXPECT_EQ(Cues(), std::vector<UINT>{IDW_CUE_YES}) << "nothing to strike at 10:05";
}

// A second press while it strikes stops the strikes, and nothing is spoken then; otherwise the
// time is spoken once the strikes have sounded, and after every quarter that rang, never
// after one that kept quiet.
TEST_F(Tell, ASecondPressStopsTheStrikesAndTheTimeIsSpokenAfterThem) {
    AfxGetApp()->WriteProfileInt("Options", "Speak_Time", 1);
    fake.SetTime(10, 37, 0);
    Start();
    Slots();
    fake.stall = true;
    std::atomic<bool> striking{false};
    fake.onPlay = [&](const FakePlatform::Sound&) { striking = true; };
    run->Send(WM_HOTKEY, 1);
    ASSERT_TRUE(run->SettleUntil([&] { return striking.load(); }));
    EXPECT_TRUE(Player().Playing());
    run->Send(WM_HOTKEY, 1);
    EXPECT_TRUE(Player().Wait(2000)) << "stopped";
    fake.stall = false;
    ASSERT_EQ(fake.Sounds().size(), 1u);
    EXPECT_TRUE(fake.Sounds()[0].cut);
    ::Sleep(300); // time for the window to hear that the strikes ended
    for (const std::wstring& text : fake.Spoken())
        EXPECT_EQ(text, L"") << "nothing said after strikes that were stopped";

    fake.Clear();
    Press();
    run->SettleUntil([&] { return fake.Spoken().size() == 2; });
    EXPECT_EQ(fake.Spoken(), (std::vector<std::wstring>{L"", Said(10, 37)}))
        << "any speech ends as the strikes start; the time follows them";

    fake.Clear();
    TickAt(10, 30);
    EXPECT_EQ(fake.Spoken(), (std::vector<std::wstring>{L"", Said(10, 30)}));
    fake.Clear();
    run->Command(IDC_DISABLE);
    TickAt(10, 45);
    EXPECT_TRUE(fake.Spoken().empty()) << "a quarter that kept quiet says nothing";
}

// Where no voice can speak, the strikes are all there is: the window says so beside the box,
// and nothing else changes.
TEST_F(Tell, WithoutAVoiceTheWindowSaysSo) {
    fake.voice = E_NOTIMPL;
    Start();
    Show();
    EXPECT_EQ(run->Text(IDC_SPEAK_NOTE), "") << "not asked while the box is off";
    Click(IDC_SPEAK_TIME);
    EXPECT_EQ(run->Text(IDC_SPEAK_NOTE), kNoVoice);
    Slots();
    TickAt(10, 30);
    EXPECT_EQ(fake.Sounds().size(), 1u) << "the quarter rang";
    EXPECT_TRUE(run->Boxes().empty());
}

// A key that Windows refuses is said beside its control, and the menu item still tells the
// time; a key that it takes is registered as chosen, at the start and after OK.
TEST_F(Tell, ARefusedKeyIsSaidBesideItsControl) {
    fake.refusedKey = kDefaultKey;
    Start();
    EXPECT_TRUE(fake.HotKeys().empty());
    EXPECT_EQ(run->Text(IDC_TELL_KEY_NOTE), kKeyTaken);
    EXPECT_TRUE(run->Boxes().empty()) << "no message box at the start";
    Show();
    ::SendDlgItemMessageA(run->hwnd(), IDC_TELL_KEY, HKM_SETHOTKEY,
                          MAKEWORD(VK_F9, HOTKEYF_CONTROL), 0);
    run->Command(IDOK);
    EXPECT_EQ(fake.HotKeys(), (std::vector<std::pair<UINT, UINT>>{{MOD_CONTROL, VK_F9}}));
    EXPECT_EQ(run->Text(IDC_TELL_KEY_NOTE), "");
    EXPECT_EQ(AfxGetApp()->GetProfileInt("Options", "Tell_Time_Key", -1),
              MAKEWORD(VK_F9, HOTKEYF_CONTROL));
    Show();
    ::SendDlgItemMessageA(run->hwnd(), IDC_TELL_KEY, HKM_SETHOTKEY, 0, 0);
    run->Command(IDOK);
    EXPECT_TRUE(fake.HotKeys().empty()) << "0: no key at all";
}

// A key of the whole session takes that key from every program: one without Ctrl or Alt, from
// a hand-edited profile, is not registered (the default is, and the window says why), and the
// control puts Ctrl+Alt in the place of none or Shift alone as the user types.
TEST_F(Tell, AShortcutAlwaysHasCtrlOrAlt) {
    const struct {
        int stored;
        std::pair<UINT, UINT> registered;
        const char* note;
    } rows[] = {
        {'T', kDefaultKey, kKeyNeedsModifier},
        {VK_F5, kDefaultKey, kKeyNeedsModifier},
        {HOTKEYF_SHIFT << 8 | 'T', kDefaultKey, kKeyNeedsModifier},
        {HOTKEYF_ALT << 8 | VK_F5, {MOD_ALT, VK_F5}, ""},
        {HOTKEYF_CONTROL << 8 | 'K', {MOD_CONTROL, 'K'}, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        Stop(); // which saves what it holds
        AfxGetApp()->WriteProfileInt("Options", "Tell_Time_Key", row.stored);
        Start();
        EXPECT_EQ(fake.HotKeys(), (std::vector<std::pair<UINT, UINT>>{row.registered}));
        EXPECT_EQ(run->Text(IDC_TELL_KEY_NOTE), row.note);
    }
    Show();
    const HWND control = ::GetDlgItem(run->hwnd(), IDC_TELL_KEY);
    Focus(IDC_TELL_KEY);
    run->Send(WM_NULL);
    ::SendMessageA(control, WM_KEYDOWN, 'B', 0);
    ::SendMessageA(control, WM_KEYUP, 'B', 0xC0000000);
    EXPECT_EQ(::SendMessageA(control, HKM_GETHOTKEY, 0, 0),
              MAKEWORD('B', HOTKEYF_CONTROL | HOTKEYF_ALT));
}

// Every few minutes the time is told as the key tells it: at 10:05 the ten hours struck, at the
// quarters only the chime. Each silence of a chime keeps a tell quiet too, the tooltip saying
// why; "Speak only" speaks where a voice does, and strikes where none does.
TEST_F(Tell, EveryFewMinutesTheTimeIsToldKeepingEachSilence) {
    AfxGetApp()->WriteProfileInt("Options", "Tell_Every", 5);
    Start();
    Slots();
    const size_t tenStrikes = 9 * 22050 + 2205;
    EXPECT_TRUE(TickAt(10, 5).empty()) << "no chime's file";
    Player().Wait(5000);
    ASSERT_EQ(fake.Sounds().size(), 1u);
    EXPECT_EQ(fake.Sounds()[0].samples.size(), 2 * tenStrikes) << "ten strikes and no quarter";
    TickAt(10, 30);
    Player().Wait(5000);
    ASSERT_EQ(fake.Sounds().size(), 1u);
    EXPECT_EQ(fake.Sounds()[0].samples.size(), 2 * 4410u) << "the quarter alone, no tell";

    const auto silentAt = [&](int minute) {
        fake.Clear();
        TickAt(10, minute);
        Player().Wait(5000);
        return fake.Sounds().empty();
    };
    run->Command(IDC_DISABLE);
    EXPECT_TRUE(silentAt(40)) << "Disable";
    run->Command(IDC_DISABLE);
    run->Command(ID_SNOOZE);
    EXPECT_TRUE(silentAt(40)) << "the snooze";
    run->Command(IDC_DISABLE); // which ends the snooze
    run->Command(IDC_DISABLE);
    fake.userState = QUNS_BUSY;
    EXPECT_TRUE(silentAt(40)) << "a full-screen program";
    ASSERT_FALSE(Tips().empty());
    EXPECT_EQ(Tips().back(),
              std::string(kTipActive) + "; quiet at 10:40 AM (a full-screen program)");
    fake.userState = QUNS_ACCEPTS_NOTIFICATIONS;
    EXPECT_FALSE(silentAt(40)) << "told again";

    Show();
    Click(IDC_SPEAK_ONLY);
    run->Command(IDOK);
    fake.Clear();
    TickAt(10, 50);
    Player().Wait(5000);
    EXPECT_TRUE(fake.Sounds().empty()) << "spoken only";
    EXPECT_EQ(fake.Spoken().back(), Said(10, 50));
    fake.voice = E_NOTIMPL;
    fake.Clear();
    TickAt(10, 55);
    Player().Wait(5000);
    EXPECT_EQ(fake.Sounds().size(), 1u) << "struck where no voice speaks";
}

// The voices installed, desktop and OneCore alike, by name after Windows' voice; the one
// chosen, its speed and the time in words in its language; a voice that is gone stays chosen
// by name as not installed, and Windows' voice speaks in CHIMO!'s language meanwhile.
TEST_F(Tell, TheVoiceChosenSaysTheTimeInWordsInItsLanguage) {
    const VoiceInfo zira{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices\\Tokens\\Z",
                         "Microsoft Zira Desktop", "en-US"},
        hedda{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech_OneCore\\Voices\\Tokens\\H",
              "Microsoft Hedda", "de-DE"},
        bengt{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech_OneCore\\Voices\\Tokens\\B",
              "Microsoft Bengt", "sv-SE"};
    fake.voices = {zira, hedda, bengt};
    AfxGetApp()->WriteProfileInt("Options", "Speak_Time", 1);
    Start();
    Slots();
    Show();
    const HWND list = ::GetDlgItem(run->hwnd(), IDC_VOICE);
    EXPECT_EQ(Entries(IDC_VOICE),
              (std::vector<std::string>{"Windows' voice", zira.name, hedda.name, bengt.name}));
    const HWND rate = ::GetDlgItem(run->hwnd(), IDC_VOICE_RATE);
    EXPECT_EQ(::SendMessageW(rate, TBM_GETRANGEMIN, 0, 0), -10);
    EXPECT_EQ(::SendMessageW(rate, TBM_GETRANGEMAX, 0, 0), 10);
    EXPECT_EQ(::SendMessageW(rate, TBM_GETPOS, 0, 0), 0) << "the voice's own speed";
    ::SendMessageW(list, CB_SETCURSEL, 2, 0);
    ::SendDlgItemMessageW(run->hwnd(), IDC_SPEAK_WORDS, CB_SETCURSEL, 1, 0);
    ::SendDlgItemMessageW(run->hwnd(), IDC_VOICE_RATE, TBM_SETPOS, TRUE, -4);
    run->Command(IDOK);
    EXPECT_EQ(AfxGetApp()->GetProfileString("Options", "Voice"), hedda.id.c_str());
    EXPECT_EQ(AfxGetApp()->GetProfileString("Options", "Voice_Name"), hedda.name.c_str());
    EXPECT_EQ(AfxGetApp()->GetProfileInt("Options", "Voice_Rate", 0), -4);
    TickAt(10, 30);
    run->SettleUntil([&] { return fake.Spoken().size() == 2; });
    EXPECT_EQ(fake.Spoken().back(), L"halb elf vormittags")
        << "in the voice's language, on the twelve-hour clock of Wine's en-US";
    EXPECT_EQ(fake.LastStyle().voice, hedda.id);
    EXPECT_EQ(fake.LastStyle().rate, -4);

    Stop();
    AfxGetApp()->WriteProfileString("Options", "Voice", bengt.id.c_str());
    AfxGetApp()->WriteProfileString("Options", "Voice_Name", bengt.name.c_str());
    fake.voices = {zira};
    Start();
    Slots();
    TickAt(10, 45);
    run->SettleUntil([&] { return fake.Spoken().size() == 2; });
    EXPECT_EQ(fake.Spoken().back(), L"quarter to eleven in the morning")
        << "gone: in CHIMO!'s language";
    Show();
    EXPECT_EQ(Entries(IDC_VOICE), (std::vector<std::string>{"Windows' voice", zira.name,
                                                            "Microsoft Bengt (not installed)"}));
    run->Command(IDOK);
    EXPECT_EQ(AfxGetApp()->GetProfileString("Options", "Voice"), bengt.id.c_str())
        << "kept until another is chosen";
}
