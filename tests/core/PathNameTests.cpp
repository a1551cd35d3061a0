#include "PathName.h"

#include <gtest/gtest.h>

TEST(PathNames, FileNamePartAndExtension) {
    struct Row {
        const char* path;
        const char* file;
        const char* base;
    } rows[] = {
        {"C:\\Program Files\\CHIMO\\CHIMO.EXE", "CHIMO.EXE", "CHIMO"},
        {"Z:/work/build/win64/app_tests.exe", "app_tests.exe", "app_tests"},
        {"C:CHIMO.EXE", "CHIMO.EXE", "CHIMO"},
        {"CHIMO", "CHIMO", "CHIMO"},
        {"dir\\", "", ""},
        {"a.b.c", "a.b.c", "a.b"},
        {"", "", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FileNamePart(row.path), row.file) << row.path;
        EXPECT_EQ(StripExtension(FileNamePart(row.path)), row.base) << row.path;
    }
}

TEST(PathNames, SameProgramFileIgnoresDirectoryAndCase) {
    struct Row {
        const char* a;
        const char* b;
        bool same;
    } rows[] = {
        {"C:\\Apps\\chimo.exe", "D:\\CHIMO.EXE", true},
        {"C:\\CHIMO.EXE", "C:\\CHIMO.EXE", true},
        {"C:\\CHIMO.EXE", "C:\\CHIMO2.EXE", false},
        {"C:\\CHIMO.EXE", "C:\\CHIMO.EXE\\x", false},
        {"", "", false},
        {"C:\\CHIMO.EXE", "", false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(SameProgramFile(row.a, row.b), row.same) << row.a << " vs " << row.b;
}
