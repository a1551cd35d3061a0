#pragma once
// Names taken apart from Windows paths, with no access to the file system.

#include <string>

// The last component of a path: everything after the last '\', '/' or drive colon.
std::string FileNamePart(const std::string& path);

// A file name without its extension (from the last dot on), e.g. "CHIMO" for "CHIMO.EXE".
std::string StripExtension(const std::string& fileName);
