// The slot file rule and path splitting on any slot text and Windows directory: the text comes
// from typing, the registry or a dropped file; the directory from the system.
#include "core/SlotFile.h"
#include "fuzz/Check.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The input is "<slot text>\0<windows directory>"; without a NUL the directory is C:\WINDOWS.
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string::size_type nul = input.find('\0');
    const std::string text = input.substr(0, nul);
    const std::string windowsDir = nul == std::string::npos ? "C:\\WINDOWS" : input.substr(nul + 1);

    // Splitting loses nothing and invents nothing.
    const PathParts parts = SplitPath(text);
    Check(parts.drive + parts.directory + parts.name + parts.extension == text);
    Check(parts.extension.empty() || parts.extension[0] == '.');

    // No name formed is longer than a path can be.
    const std::string file = SlotFile(text, windowsDir);
    Check(FitsPath(file));
    if (!SlotNamesFile(text))
        Check(file.empty());
    for (const std::string& lookup : SlotLookups(text, windowsDir))
        Check(!lookup.empty() && FitsPath(lookup));
    if (IsBareFileName(text))
        Check(SlotNamesFile(text));
    (void)BrowseStartFolder(text, windowsDir);
    (void)MediaDirectory(windowsDir);
    return 0;
}
