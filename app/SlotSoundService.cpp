#include "app/SlotSoundService.h"

#include "core/SlotFile.h"

#include <mmsystem.h>

std::string WindowsDirectory() {
    char buffer[MAX_PATH] = "";
    UINT length = ::GetWindowsDirectoryA(buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer)
        return std::string();
    return std::string(buffer, length);
}

BOOL FileFound(const std::string& name) {
    CFileFind find;
    return !name.empty() && find.FindFile(name.c_str(), 0);
}

std::string SlotSoundService::ResolvedFileName(const char* name) {
    std::string text = name ? name : "";
    if (IsBareFileName(text)) {
        std::string media = SlotFile(text, WindowsDirectory());
        if (FileFound(media))
            return media;
    }
    return text;
}

BOOL SlotSoundService::Play(const char* name, HMODULE module, DWORD flags) {
    if ((flags & SND_FILENAME) && name && !IS_INTRESOURCE(name)) {
        std::string file = ResolvedFileName(name);
        return Win32SoundService::Play(file.c_str(), module, flags);
    }
    return Win32SoundService::Play(name, module, flags);
}
