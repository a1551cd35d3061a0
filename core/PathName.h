#pragma once
// Names taken apart from Windows paths, with no access to the file system.

#include <string>

// The last component of a path: everything after the last '\', '/' or drive colon.
std::string FileNamePart(const std::string& path);

// A file name without its extension (from the last dot on), e.g. "CHIMO" for "CHIMO.EXE".
std::string StripExtension(const std::string& fileName);

// ASCII comparison without regard to letter case, as Windows compares file names.
bool EqualsIgnoreCase(const std::string& a, const std::string& b);

// Whether two executable paths name a program of the same file name, e.g.
// "C:\Apps\chimo.exe" and "D:\CHIMO.EXE".
bool SameProgramFile(const std::string& pathA, const std::string& pathB);
