#pragma once
// The slots' sounds as the chime and the Play buttons play them: which file a slot text
// names, and its samples played from memory at the chime's own volume, after a lead-in when
// the chime asks for one.
#include "core/Chime.h"
#include "framework/Afx.h"
#include "sound/SoundPlayer.h"

#include <array>
#include <string>
#include <vector>

// The four slots' texts, in the order of the slots.
using SlotTexts = std::array<std::string, 4>;

// The Windows directory, or empty when it cannot be read or is longer than a path can be.
std::string WindowsDirectory();

// The folder of the bundled bells, "Sounds" beside the program, with its last separator.
std::string BundledFolder();

// TRUE when `name` is a file that is there: not a directory, not a wildcard pattern.
BOOL FileFound(const std::string& name);

// The file slot text `text` names, as it is found: the first of its lookups (the slot file,
// then the text below the media directory) that is there; empty when none is. The OK check
// accepts exactly the texts for which this finds a file, and playback plays that file.
std::string FindSlotFile(const std::string& text);

// The bytes of the file slot text `text` names, when it is there and at most 16 MB.
std::vector<uint8_t> ReadSlotFile(const std::string& text);

// The strokes mixed into one sound at `volume` (0 to 100): each the samples of the file its
// slot's text in `texts` names, read once a slot; a stroke whose file cannot be read is silent.
std::vector<uint8_t> MixSlotStrokes(const std::vector<Stroke>& strokes, const SlotTexts& texts,
                                    int volume);

// The sound of slot text `text` at `volume` (0 to 100), with room for `leadInMs` of silence: a
// file of at most 16 MB that holds a WAV plays from memory, any other as named.
Sound SlotSound(const std::string& text, int volume, unsigned leadInMs);

// Plays slot sounds through the player. A file it can read and scale plays at the given
// volume (0 to 100); a WAV in another encoding at its own level and without a lead-in; any
// other as named, on the default device; a file that is not there plays nothing.
class SlotPlayer {
public:
    // Reads and scales the chime of `text` ahead of time, with room for `leadInMs` of silence;
    // TRUE when it is scaled, and so can take a lead-in. Only this one image is kept.
    bool Prepare(const std::string& text, int volume, unsigned leadInMs);
    // Starts the chime of `text`, `count` times, so that its first note sounds `msToNote` from
    // now: after as much of that as `maxLeadInMs` allows as silence when it is scaled, and a
    // wait for the rest. The strikes follow each other without a gap. When it has sounded,
    // `notify` is posted `message` as the player posts it; returns the player's number for it.
    unsigned Chime(const std::string& text, int count, int volume, unsigned msToNote,
                   unsigned maxLeadInMs, HWND notify, UINT message);
    // The same for the strikes of a spaced pattern: each stroke the sound of its slot's text in
    // `texts`, mixed at its moment into one sound (the first strike sounds `msToNote` from now).
    bool PrepareStrokes(const std::vector<Stroke>& strokes, const SlotTexts& texts, int volume,
                        unsigned leadInMs);
    unsigned ChimeStrokes(const std::vector<Stroke>& strokes, const SlotTexts& texts, int volume,
                          unsigned msToNote, unsigned maxLeadInMs, HWND notify, UINT message);
    // Plays `text` once, asynchronously (the Play buttons).
    void PlayNow(const std::string& text, int volume);

private:
    struct Prepared {
        std::string file;
        int volume = -1;
        unsigned leadInMs = 0;
        unsigned long long stamp = 0; // the file's size and time of last change, mixed
        Sound sound;
    } m_chime;
    struct PreparedStrokes {
        std::vector<Stroke> strokes;
        std::array<std::string, 4> files;
        std::array<unsigned long long, 4> stamps{};
        int volume = -1;
        unsigned leadInMs = 0;
        Sound sound;
    } m_strokes;
    // Plays `sound`, as prepared, so that its first note sounds `msToNote` from now.
    static unsigned Start(Sound sound, bool scaled, unsigned msToNote, unsigned maxLeadInMs,
                          HWND notify, UINT message);
};
