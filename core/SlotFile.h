#pragma once
// Which file a sound slot's text names, and the names looked up for it, with no access to the
// file system. Windows paths: '\' and '/' both separate, a letter and a colon is a drive.

#include <string>
#include <vector>

// The longest path, in characters, that the system's file functions take (MAX_PATH less the
// terminator). Longer names are never formed: a lookup that would need one finds nothing.
constexpr std::string::size_type kMaxPathLength = 259;

// A path's length as the system counts it: in UTF-16 units of the UTF-8 text (the program's
// code page), two for a character beyond the first 65 536. A byte that starts no whole UTF-8
// sequence counts as one, as a character of a single-byte code page does.
std::string::size_type PathLength(const std::string& path);
// Whether the system's file functions take `path` (PathLength at most kMaxPathLength).
bool FitsPath(const std::string& path);
// The bytes a buffer needs for any such path in UTF-8 and its terminator: up to three bytes for
// each UTF-16 unit (a character of four bytes takes two units).
constexpr std::string::size_type kMaxPathBytes = 3 * kMaxPathLength + 1;

// A path taken apart as the C run-time's _splitpath does.
struct PathParts {
    std::string drive;     // "C:" or empty
    std::string directory; // up to and including the last separator, e.g. "\MEDIA\"
    std::string name;      // the rest without its extension
    std::string extension; // from the last dot of the rest, e.g. ".WAV"
};
PathParts SplitPath(const std::string& path);

// "<windows>\media", where system sounds live; empty when the Windows directory is unknown.
std::string MediaDirectory(const std::string& windowsDir);

// The file a slot text names: empty for no file (an empty text, a directory, only an
// extension); the text itself when it has a directory part (relative to the current
// directory if relative); otherwise the bare name in the media directory. Empty as well when
// that name would be longer than a path can be.
std::string SlotFile(const std::string& text, const std::string& windowsDir);

// What the OK check looks up for a slot text, in order, until one is found: the slot file,
// then the whole text below the media directory (only when that differs). Names that would
// be too long are left out, so a text too long for any path is simply not found.
std::vector<std::string> SlotLookups(const std::string& text, const std::string& windowsDir);

// Whether a slot text names a file at all (its file-name part is not empty).
bool SlotNamesFile(const std::string& text);

// Whether a slot text is a bare file name, which the slot file rule looks for in the media
// directory.
bool IsBareFileName(const std::string& text);

// The file that a path chosen in the file dialog names: the path itself when it has a
// directory part, even when its name is only an extension (C:\SOUNDS\.WAV is a file the
// user picked); a bare name in the media directory. Empty when no path that long can exist.
std::string BrowsedFile(const std::string& chosen, const std::string& windowsDir);

// The folder the file dialog opens in for a slot text: the text's drive and directory, or the
// media directory when it has none (or when they are too long to be a folder).
std::string BrowseStartFolder(const std::string& text, const std::string& windowsDir);
