#include "InstanceMatch.h"

#include <gtest/gtest.h>

TEST(InstanceMatch, OnlyAnotherProcessOfThisProgramsDialogCounts) {
    const std::string own = "C:\\Apps\\CHIMO.EXE";
    const unsigned long ownId = 100;
    struct Row {
        WindowFacts window;
        bool match;
        const char* why;
    } rows[] = {
        {{"CHIMO!", "#32770", "D:\\Old\\chimo.exe", 7}, true, "older instance elsewhere"},
        {{"CHIMO!", "#32770", own, ownId}, false, "this process"},
        {{"CHIMO!", "Notepad", own, 7}, false, "not a dialog"},
        {{"CHIMO!", "#32770", "C:\\Other\\NOTEPAD.EXE", 7}, false, "a stranger's dialog"},
        {{"CHIMO!", "#32770", "", 7}, false, "owner unknown"},
        {{"CHIMO! ", "#32770", own, 7}, false, "title not exact"},
        {{"chimo!", "#32770", own, 7}, false, "title case differs"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(IsOtherInstanceWindow(row.window, own, ownId), row.match) << row.why;
}
