#include "core/SlotFile.h"

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string InMedia(const std::string& windowsDir, const std::string& text) {
    if (windowsDir.empty())
        return std::string();
    std::string name = windowsDir + "\\media\\" + text;
    return FitsPath(name) ? name : std::string();
}
} // namespace

std::string::size_type PathLength(const std::string& path) {
    std::string::size_type units = 0;
    for (std::string::size_type i = 0; i < path.size(); ++units) {
        const unsigned char lead = static_cast<unsigned char>(path[i]);
        const std::string::size_type extra = lead >= 0xC2 && lead < 0xE0   ? 1
                                             : lead >= 0xE0 && lead < 0xF0 ? 2
                                             : lead >= 0xF0 && lead < 0xF5 ? 3
                                                                           : 0;
        std::string::size_type whole = 0;
        while (whole < extra && i + whole + 1 < path.size() &&
               (static_cast<unsigned char>(path[i + whole + 1]) & 0xC0) == 0x80)
            ++whole;
        if (extra && whole == extra) {
            i += extra + 1;
            units += extra == 3; // a surrogate pair
        } else {
            ++i;
        }
    }
    return units;
}

bool FitsPath(const std::string& path) { return PathLength(path) <= kMaxPathLength; }

PathParts SplitPath(const std::string& path) {
    PathParts parts;
    std::string::size_type at = 0;
    if (path.size() >= 2 && path[1] == ':') {
        parts.drive = path.substr(0, 2);
        at = 2;
    }
    std::string::size_type lastSep = std::string::npos;
    for (std::string::size_type i = at; i < path.size(); ++i)
        if (IsSeparator(path[i]))
            lastSep = i;
    if (lastSep != std::string::npos) {
        parts.directory = path.substr(at, lastSep + 1 - at);
        at = lastSep + 1;
    }
    std::string rest = path.substr(at);
    std::string::size_type dot = rest.rfind('.');
    if (dot == std::string::npos) {
        parts.name = rest;
    } else {
        parts.name = rest.substr(0, dot);
        parts.extension = rest.substr(dot);
    }
    return parts;
}

std::string MediaDirectory(const std::string& windowsDir) {
    if (windowsDir.empty())
        return std::string();
    std::string dir = windowsDir + "\\media";
    return FitsPath(dir) ? dir : std::string();
}

bool SlotNamesFile(const std::string& text) { return !SplitPath(text).name.empty(); }

bool IsBareFileName(const std::string& text) {
    PathParts parts = SplitPath(text);
    return !parts.name.empty() && parts.directory.empty();
}

std::string SlotFile(const std::string& text, const std::string& windowsDir) {
    PathParts parts = SplitPath(text);
    if (parts.name.empty())
        return std::string();
    if (!parts.directory.empty())
        return FitsPath(text) ? text : std::string();
    return InMedia(windowsDir, text);
}

std::vector<std::string> SlotLookups(const std::string& text, const std::string& windowsDir) {
    std::vector<std::string> names;
    if (!SlotNamesFile(text))
        return names;
    std::string first = SlotFile(text, windowsDir);
    if (!first.empty())
        names.push_back(first);
    std::string second = InMedia(windowsDir, text);
    if (!second.empty() && second != first)
        names.push_back(second);
    return names;
}

std::string BrowsedFile(const std::string& chosen, const std::string& windowsDir) {
    if (chosen.empty())
        return std::string();
    if (!SplitPath(chosen).directory.empty())
        return FitsPath(chosen) ? chosen : std::string();
    return InMedia(windowsDir, chosen);
}

std::string BrowseStartFolder(const std::string& text, const std::string& windowsDir) {
    PathParts parts = SplitPath(text);
    if (!parts.directory.empty()) {
        std::string folder = parts.drive + parts.directory;
        if (FitsPath(folder))
            return folder;
    }
    return MediaDirectory(windowsDir);
}
