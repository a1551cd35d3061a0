#include "core/SlotFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
const std::string kWin = "C:\\WINDOWS";
}

TEST(SlotFile, SplitsAsTheRunTimeDoes) {
    struct Row {
        const char* path;
        const char* drive;
        const char* dir;
        const char* name;
        const char* ext;
    } rows[] = {
        {"C:\\MEDIA\\CHIME.WAV", "C:", "\\MEDIA\\", "CHIME", ".WAV"},
        {"c:/a/b.c/tune", "c:", "/a/b.c/", "tune", ""},
        {"SOUNDS\\BELL.WAV", "", "SOUNDS\\", "BELL", ".WAV"},
        {"BELL.WAV", "", "", "BELL", ".WAV"},
        {"C:BELL.WAV", "C:", "", "BELL", ".WAV"},
        {"A.B.WAV", "", "", "A.B", ".WAV"},
        {"C:\\MEDIA\\", "C:", "\\MEDIA\\", "", ""},
        {".WAV", "", "", "", ".WAV"},
        {"\\\\SERVER\\SHARE\\X", "", "\\\\SERVER\\SHARE\\", "X", ""},
        {"X:", "X:", "", "", ""},
        {"", "", "", "", ""},
    };
    for (const Row& row : rows) {
        PathParts p = SplitPath(row.path);
        EXPECT_EQ(p.drive, row.drive) << row.path;
        EXPECT_EQ(p.directory, row.dir) << row.path;
        EXPECT_EQ(p.name, row.name) << row.path;
        EXPECT_EQ(p.extension, row.ext) << row.path;
    }
}

TEST(SlotFile, TheRuleNamesNoFileThePathOrTheMediaFile) {
    struct Row {
        const char* text;
        const char* file;
        std::vector<std::string> lookups;
    } rows[] = {
        {"", "", {}},
        {"C:\\SOUNDS\\", "", {}},
        {".WAV", "", {}},
        {"C:\\SOUNDS\\BELL.WAV",
         "C:\\SOUNDS\\BELL.WAV",
         {"C:\\SOUNDS\\BELL.WAV", "C:\\WINDOWS\\media\\C:\\SOUNDS\\BELL.WAV"}},
        {"SUB\\BELL.WAV", "SUB\\BELL.WAV", {"SUB\\BELL.WAV", "C:\\WINDOWS\\media\\SUB\\BELL.WAV"}},
        {"BELL.WAV", "C:\\WINDOWS\\media\\BELL.WAV", {"C:\\WINDOWS\\media\\BELL.WAV"}},
        {"BELL", "C:\\WINDOWS\\media\\BELL", {"C:\\WINDOWS\\media\\BELL"}},
        {"C:BELL.WAV", "C:\\WINDOWS\\media\\C:BELL.WAV", {"C:\\WINDOWS\\media\\C:BELL.WAV"}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(SlotFile(row.text, kWin), row.file) << row.text;
        EXPECT_EQ(SlotLookups(row.text, kWin), row.lookups) << row.text;
        EXPECT_EQ(SlotNamesFile(row.text), *row.file != '\0') << row.text;
    }
    EXPECT_TRUE(IsBareFileName("BELL.WAV"));
    EXPECT_TRUE(IsBareFileName("C:BELL.WAV"));
    EXPECT_FALSE(IsBareFileName("SUB\\BELL.WAV"));
    EXPECT_FALSE(IsBareFileName(".WAV"));
}

// Every name formed is at most 259 characters; a text that needs a longer one is not found
// (so the OK check asks about it) and is never cut down into another file's name.
TEST(SlotFile, NamesAreNeverLongerThanAPath) {
    const std::string dir = "C:\\" + std::string(200, 'D') + "\\";
    for (std::string::size_type total : {258u, 259u, 260u, 300u, 40000u}) {
        std::string full = dir + std::string(total - dir.size() - 4, 'F') + ".WAV";
        ASSERT_EQ(full.size(), total);
        std::vector<std::string> lookups = SlotLookups(full, kWin);
        if (total <= kMaxPathLength) {
            EXPECT_EQ(SlotFile(full, kWin), full);
            ASSERT_FALSE(lookups.empty());
            EXPECT_EQ(lookups[0], full);
        } else {
            EXPECT_EQ(SlotFile(full, kWin), "") << total;
            EXPECT_TRUE(lookups.empty()) << total;
            EXPECT_TRUE(SlotNamesFile(full));
        }
        for (const std::string& name : lookups)
            EXPECT_LE(name.size(), kMaxPathLength);
    }
    // A bare name fits when "C:\WINDOWS\media\" (17) plus the name is at most 259.
    std::string fits(242, 'B'), tooLong(243, 'B');
    EXPECT_EQ(SlotFile(fits, kWin).size(), 259u);
    EXPECT_EQ(SlotFile(tooLong, kWin), "");
    // An unknown or oversized Windows directory gives no media names at all.
    EXPECT_EQ(SlotFile("BELL.WAV", ""), "");
    EXPECT_EQ(MediaDirectory(std::string(254, 'W')), "");
    EXPECT_EQ(MediaDirectory(std::string(253, 'W')).size(), 259u);
}

TEST(SlotFile, BrowseStartsInTheSlotsFolderOrTheMediaFolder) {
    struct Row {
        const char* text;
        const char* folder;
    } rows[] = {
        {"", "C:\\WINDOWS\\media"},
        {"BELL.WAV", "C:\\WINDOWS\\media"},
        {"D:\\CHIMES\\BELL.WAV", "D:\\CHIMES\\"},
        {"CHIMES\\BELL.WAV", "CHIMES\\"},
        {"D:BELL.WAV", "C:\\WINDOWS\\media"},
        {"D:\\CHIMES\\", "D:\\CHIMES\\"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(BrowseStartFolder(row.text, kWin), row.folder) << row.text;
    std::string deep = "C:\\" + std::string(257, 'D') + "\\X.WAV"; // folder of 261 characters
    EXPECT_EQ(BrowseStartFolder(deep, kWin), "C:\\WINDOWS\\media");
}

TEST(SlotFile, BrowseLooksForTheChosenPathItself) {
    struct Row {
        std::string chosen;
        std::string file;
    } rows[] = {
        {"C:\\SOUNDS\\BELL.WAV", "C:\\SOUNDS\\BELL.WAV"},
        {"C:\\SOUNDS\\.WAV", "C:\\SOUNDS\\.WAV"}, // a file named only by its extension
        {"BELL.WAV", "C:\\WINDOWS\\media\\BELL.WAV"},
        {"", ""},
        {"C:\\" + std::string(260, 'F'), ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(BrowsedFile(row.chosen, kWin), row.file) << row.chosen;
}
