#include "core/SlotFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
const std::string kWin = "C:\\WINDOWS", kMedia = "C:\\WINDOWS\\media";
}

TEST(SlotFile, SplitsAsTheRunTimeDoes) {
    struct Row {
        const char *path, *drive, *dir, *name, *ext;
    } rows[] = {
        {"C:\\MEDIA\\CHIME.WAV", "C:", "\\MEDIA\\", "CHIME", ".WAV"},
        {"c:/a/b.c/tune", "c:", "/a/b.c/", "tune", ""},
        {"C:BELL.WAV", "C:", "", "BELL", ".WAV"},
        {"A.B.WAV", "", "", "A.B", ".WAV"},
        {".WAV", "", "", "", ".WAV"},
        {"\\\\SERVER\\SHARE\\X", "", "\\\\SERVER\\SHARE\\", "X", ""},
    };
    for (const Row& row : rows) {
        PathParts p = SplitPath(row.path);
        EXPECT_EQ(p.drive + "|" + p.directory + "|" + p.name + "|" + p.extension,
                  std::string(row.drive) + "|" + row.dir + "|" + row.name + "|" + row.ext);
    }
}

// A text names no file (empty, a folder, an extension alone), a path (looked up as it is,
// then below the media folder), or a bare name in the media folder; Browse starts in the
// text's folder or the media folder, and takes the chosen path itself.
TEST(SlotFile, TheFileATextNamesAndWhereBrowseStarts) {
    struct Row {
        std::string text, file;
        std::vector<std::string> lookups;
        std::string browseFrom;
    } rows[] = {
        {"", "", {}, kMedia},
        {"C:\\SOUNDS\\", "", {}, "C:\\SOUNDS\\"},
        {".WAV", "", {}, kMedia},
        {"C:\\SOUNDS\\BELL.WAV",
         "C:\\SOUNDS\\BELL.WAV",
         {"C:\\SOUNDS\\BELL.WAV", kMedia + "\\C:\\SOUNDS\\BELL.WAV"},
         "C:\\SOUNDS\\"},
        {"SUB\\BELL.WAV", "SUB\\BELL.WAV", {"SUB\\BELL.WAV", kMedia + "\\SUB\\BELL.WAV"}, "SUB\\"},
        {"BELL.WAV", kMedia + "\\BELL.WAV", {kMedia + "\\BELL.WAV"}, kMedia},
        {"C:BELL.WAV", kMedia + "\\C:BELL.WAV", {kMedia + "\\C:BELL.WAV"}, kMedia},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(SlotFile(row.text, kWin), row.file) << row.text;
        EXPECT_EQ(SlotLookups(row.text, kWin), row.lookups) << row.text;
        EXPECT_EQ(SlotNamesFile(row.text), !row.file.empty()) << row.text;
        EXPECT_EQ(BrowseStartFolder(row.text, kWin), row.browseFrom) << row.text;
    }
    EXPECT_EQ(BrowsedFile("C:\\SOUNDS\\.WAV", kWin), "C:\\SOUNDS\\.WAV");
    EXPECT_EQ(BrowsedFile("BELL.WAV", kWin), kMedia + "\\BELL.WAV");
}

// No name formed is longer than a path (259); a text that needs a longer one is not found, and
// never cut down into another file's name.
TEST(SlotFile, NamesAreNeverLongerThanAPath) {
    const std::string dir = "C:\\" + std::string(200, 'D') + "\\";
    for (std::string::size_type total : {259u, 260u, 40000u}) {
        std::string full = dir + std::string(total - dir.size() - 4, 'F') + ".WAV";
        const bool fits = total <= kMaxPathLength;
        EXPECT_EQ(SlotFile(full, kWin), fits ? full : "") << total;
        EXPECT_EQ(SlotLookups(full, kWin).empty(), !fits) << total;
        for (const std::string& name : SlotLookups(full, kWin))
            EXPECT_LE(name.size(), kMaxPathLength);
        EXPECT_EQ(BrowsedFile(full, kWin), fits ? full : "") << total;
    }
    EXPECT_EQ(SlotFile(std::string(242, 'B'), kWin).size(), 259u); // 17 + 242
    EXPECT_EQ(SlotFile(std::string(243, 'B'), kWin), "");
    EXPECT_EQ(SlotFile("BELL.WAV", ""), "") << "no Windows directory, no media names";
    EXPECT_EQ(MediaDirectory(std::string(254, 'W')), "");
    EXPECT_EQ(BrowseStartFolder("C:\\" + std::string(257, 'D') + "\\X.WAV", kWin), kMedia);
}

// A path's length is counted as the system counts it, in UTF-16 units of its UTF-8 text: a
// name of 259 Cyrillic letters (518 bytes) is a path, one of 260 is not.
TEST(SlotFile, APathIsAsLongAsItsCharacters) {
    const struct {
        const char* text;
        std::string::size_type units;
    } rows[] = {
        {"C:\\A.WAV", 8},
        {"\xD0\xBA", 1},             // a Cyrillic letter
        {"\xE9\x90\x98", 1},         // a Chinese character
        {"\xF0\x9F\x94\x94", 2},     // beyond 65 536: a surrogate pair
        {"\xE9\x90.", 3},            // a sequence cut short: byte by byte
        {"\xC0\xAF\x80\xF5\x80", 5}, // no lead byte of a whole sequence
    };
    for (const auto& row : rows)
        EXPECT_EQ(PathLength(row.text), row.units) << row.text;
    std::string letters;
    for (int i = 0; i < 252; ++i)
        letters += "\xD0\xBA";
    const std::string longest = "C:\\" + letters + ".WAV"; // 259 characters
    EXPECT_EQ(SlotFile(longest, kWin), longest);
    EXPECT_EQ(SlotFile("C:\\\xD0\xBA" + letters + ".WAV", kWin), "");
}
