#pragma once
// What the settings window's controls hold now, read from the window itself: the window and
// each feature's class ask here, so that none reaches into another's members.
#include "core/Chime.h"

#include <windows.h>

#include <array>
#include <string>

class SettingsView {
public:
    explicit SettingsView(HWND window) : m_hWnd(window) {}

    // Whether check box `id` is checked.
    bool Checked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }
    // The way of striking and the three boxes that shape the chime, as they stand.
    ChimeOptions Options() const;
    // The chime's own volume, 0 to 100, as the slider stands (100 before the controls exist).
    int Volume() const;
    // The chime's volume inside the quiet hours, 0 to 100, or -1 when they keep it silent.
    int NightVolume() const;
    // The lead-in before each sound, in milliseconds: `leadInMs` when the box asks for it, else 0.
    unsigned LeadIn(unsigned leadInMs) const;
    // How often the time is also told, in minutes (0: never); whether it is said in words; the
    // voice's speed (-10 to 10).
    int TellEvery() const;
    bool SaysInWords() const;
    int VoiceRate() const;
    // The slot's text as its field shows it; and every slot's.
    std::string SlotText(SoundSlot slot) const;
    std::array<std::string, 4> Slots() const;

private:
    HWND m_hWnd;
};
