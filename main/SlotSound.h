#pragma once
// The slots' sounds as the chime and the Play buttons play them: which file a slot text
// names, and its samples played from memory at the chime's own volume, after a lead-in when
// the chime asks for one.
#include "core/Wave.h"
#include "framework/Afx.h"

#include <string>
#include <vector>

// The Windows directory, or empty when it cannot be read or is longer than a path can be.
std::string WindowsDirectory();

// TRUE when `name` is a file that is there: not a directory, not a wildcard pattern.
BOOL FileFound(const std::string& name);

// The file slot text `text` names, as it is found: the first of its lookups (the slot file,
// then the text below the media directory) that is there; empty when none is. The OK check
// accepts exactly the texts for which this finds a file, and playback plays that file.
std::string FindSlotFile(const std::string& text);

// Plays slot sounds through the application's sound service. A file it can read and scale
// plays from memory at the given volume (0 to 100); any other plays as named, at its own level
// and without a lead-in; a file that is not there plays nothing.
class SlotPlayer {
public:
    // Reads and scales the chime of `text` ahead of time, with room for `leadInMs` of silence;
    // TRUE when it plays from memory, and so can take a lead-in.
    bool Prepare(const std::string& text, int volume, unsigned leadInMs);
    // Plays the chime of `text` `count` times, synchronously, so that its first note sounds
    // `msToNote` from now: after as much of that as `maxLeadInMs` allows as silence when it
    // plays from memory, and a wait for the rest. Each strike after the first starts when the
    // one before has finished.
    void Chime(const std::string& text, int count, int volume, unsigned msToNote,
               unsigned maxLeadInMs);
    // Plays `text` once, asynchronously (the Play buttons).
    void PlayNow(const std::string& text, int volume);
    // Plays WAVE resource `id` once, asynchronously, at `volume`.
    void PlayResource(UINT id, int volume);

private:
    // Plays `image` asynchronously; the previous asynchronous image is kept until this call has
    // returned, since until then the system may still be reading it.
    void PlayAsync(ChimeImage image);

    struct Prepared {
        std::string file;
        int volume = -1;
        unsigned leadInMs = 0;
        unsigned long long stamp = 0; // the file's size and time of last change, mixed
        ChimeImage image;
    } m_chime;
    ChimeImage m_async;
};
