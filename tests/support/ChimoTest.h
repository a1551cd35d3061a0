#pragma once
// The fixture of the in-process tests of the settings window: a clean account, the platform
// faked (the clock at 10:07:30) and the window run as the program runs it, hidden in the tray.
#include "main/ChimeDlg.h"
#include "tests/support/Harness.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

// A 22 050 Hz, 16-bit mono WAV file of `samples` (or a compressed one, which cannot be scaled).
inline void WriteWav(const std::string& path, const std::vector<int16_t>& samples,
                     bool adpcm = false) {
    const uint32_t data = static_cast<uint32_t>(samples.size() * 2);
    const uint16_t format[] = {
        static_cast<uint16_t>(adpcm ? 2 : 1), 1, 0x5622, 0, 0xAC44, 0, 2, 16};
    std::ofstream out(path, std::ios::binary);
    const uint32_t riff = 36 + data, fmtSize = 16;
    out.write("RIFF", 4).write(reinterpret_cast<const char*>(&riff), 4).write("WAVEfmt ", 8);
    out.write(reinterpret_cast<const char*>(&fmtSize), 4);
    out.write(reinterpret_cast<const char*>(format), sizeof format).write("data", 4);
    out.write(reinterpret_cast<const char*>(&data), 4);
    out.write(reinterpret_cast<const char*>(samples.data()), data);
}

struct ChimoTest : ::testing::Test {
    FakePlatform fake;
    std::unique_ptr<CChimeDlg> dlg;
    std::unique_ptr<ModalSession> run;

    void SetUp() override {
        ForgetStoredSettings();
        fake.SetTime(10, 7, 30);
    }
    void TearDown() override { Stop(); }
    // A fresh start of the program (the previous one ends, saving as it goes).
    ModalSession& Start(std::vector<int> answers = {}) {
        Stop();
        dlg = std::make_unique<CChimeDlg>();
        run = std::make_unique<ModalSession>(*dlg, std::move(answers));
        return *run;
    }
    void Stop() {
        run.reset();
        dlg.reset();
    }
    int Volume() const {
        return static_cast<int>(::SendDlgItemMessageA(run->hwnd(), IDC_VOLUME, TBM_GETPOS, 0, 0));
    }
    void SetVolume(int volume) const {
        ::SendDlgItemMessageA(run->hwnd(), IDC_VOLUME, TBM_SETPOS, TRUE, volume);
    }
    // The chime timer's delay as last set (never below USER_TIMER_MINIMUM).
    unsigned Armed() const { return TimerSet(ID_CHIME_TIMER); }
    // An event of the tray icon, as the shell sends it under the current protocol.
    void Tray(UINT event, POINT anchor = {}) const {
        run->Send(WM_TRAY_NOTIFY, MAKEWPARAM(anchor.x, anchor.y), MAKELPARAM(event, ID_TRAY_ICON));
    }
    void Show() const { Tray(WM_LBUTTONDBLCLK); }
    void Click(int id) const { ::SendMessageA(::GetDlgItem(run->hwnd(), id), BM_CLICK, 0, 0); }
    // A real focus change to control `id`.
    void Focus(int id) const {
        run->Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(run->hwnd(), id)), TRUE);
    }
    int FocusId() const {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(run->hwnd(), nullptr), &gui);
        return ::GetDlgCtrlID(gui.hwndFocus);
    }
    void SetSlots() const {
        run->SetText(IDC_SOUND_HOUR, "H.WAV");
        run->SetText(IDC_SOUND_QUARTER_AFTER, "QA.WAV");
        run->SetText(IDC_SOUND_HALF_PAST, "HP.WAV");
        run->SetText(IDC_SOUND_QUARTER_TIL, "QT.WAV");
    }
    // The clock at hour:minute, with the timer armed for it as a clock set a second before
    // arms it; then the timer's tick. Returns the files played.
    std::vector<std::string> TickAt(int hour, int minute) {
        fake.SetTime(hour, minute, 0);
        fake.Advance(-1);
        run->Send(WM_TIMECHANGE);
        fake.Advance(1);
        return Tick();
    }
    std::vector<std::string> Tick() {
        fake.Clear();
        run->Send(WM_TIMER, ID_CHIME_TIMER);
        AfterChime();
        return fake.Files();
    }
    // Once the chime playing now has sounded and the window has heard so.
    void AfterChime() const {
        Player().Wait(10000);
        run->Drain();
    }
    // The tips of the tray records sent since the last Clear.
    std::vector<std::string> Tips() const {
        std::vector<std::string> tips;
        for (const NOTIFYICONDATAW& nid : fake.Tray(NIM_MODIFY))
            tips.push_back(Utf8(nid.szTip).str());
        return tips;
    }
    // The feedback cues played since the last Clear.
    std::vector<UINT> Cues() const {
        std::vector<UINT> cues;
        for (const FakePlatform::Sound& sound : fake.Sounds())
            if (sound.resource)
                cues.push_back(sound.resource);
        return cues;
    }
};
