#pragma once
#include "framework/Afx.h"

#include <string>

// The program's playback: PlaySoundA, except that a bare file name (a slot text such as
// "CHIMES.WAV") is played from the media directory when it is there. PlaySoundA itself only
// searches the current, Windows and system directories and the PATH, so without this a slot
// that the OK check accepted because its file is in the media directory would ring silently.
class SlotSoundService : public Win32SoundService {
public:
    BOOL Play(const char* name, HMODULE module, DWORD flags) override;

    // The file name handed to PlaySoundA for `name` (a file name, not a resource).
    static std::string ResolvedFileName(const char* name);
};

// The Windows directory, or empty when it cannot be read or is longer than a path can be.
std::string WindowsDirectory();

// TRUE when a directory search for `name` finds an entry.
BOOL FileFound(const std::string& name);
