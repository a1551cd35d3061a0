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
