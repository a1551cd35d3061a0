#pragma once
// The one player of every sound CHIMO! makes: the chimes, the Play buttons, the volume preview
// and the cues, on the output device the user chose. Each sound plays on a thread of its own,
// so that no device holds the window's thread at all: a device that stops taking samples is
// reset and the rest dropped once the sound's own length and two seconds have passed.
#include "core/Wave.h"

#include <windows.h>

#include <memory>
#include <string>

// A sound: a WAV image played from memory, or a file played as named (on the default device)
// where there is no image or no device takes it.
struct Sound {
    std::shared_ptr<const ChimeImage> image;
    unsigned leadInMs = 0; // silence before the first of the strikes (a scaled image only)
    int count = 1;         // strikes, back to back
    std::string file;      // the file, as named
    unsigned fileMs = 0;   // how long the file plays, when it has to be played as named

    // How long the whole sound plays, lead-in and strikes.
    unsigned DurationMs() const;
};

class SoundPlayer {
public:
    // No sound outlives the player: the current one is stopped.
    ~SoundPlayer();
    // The device every sound plays on: an endpoint ID, or "" for the default device. A device
    // that is not connected when a sound starts gives way to the default device for that sound.
    void SetDevice(const std::string& id) { m_device = id; }
    const std::string& Device() const { return m_device; }

    // Plays `sound` `startMs` from now and returns at once; any sound starting ends the one
    // before it. When it ends, `notify` (if any) is posted `message`, wParam TRUE when it
    // played whole and lParam the number this returned (never 0; 0 when it could not start).
    // The device may open late: the sound then plays whole, late, rather than cut.
    unsigned PlayAsync(const Sound& sound, HWND notify = nullptr, UINT message = 0,
                       unsigned startMs = 0);
    // Whether a sound is playing now.
    bool Playing() const;
    // Ends the sound playing now, if one is.
    void Stop();
    // Waits up to `ms` until the sound playing now has ended; TRUE when it has.
    bool Wait(DWORD ms) const;

    // The longest a sound is waited for beyond its own length.
    static constexpr unsigned kGraceMs = 2000;

private:
    struct Job;
    std::string m_device;
    unsigned m_nLastSerial = 0;
    std::shared_ptr<Job> m_current;
};

// The process's player, as the system's own PlaySound has one.
SoundPlayer& Player();

// Plays WAVE resource `id` of the program once, asynchronously, at `volume` (the cues at their
// own level).
void PlayResource(UINT id, int volume = 100);

// Before the process ends: the player's sound and the voice are stopped, and given a moment
// (at most 300 ms each) to let go of the devices.
void EndAllSound();
