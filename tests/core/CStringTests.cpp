#include "CString.h"

#include <gtest/gtest.h>

#include <string>

TEST(CStringOps, SubstringsClampToTheString) {
    const CString s("06:30pm");
    struct Row {
        CString got;
        const char* want;
    } rows[] = {
        {s.Left(2), "06"},       {s.Left(0), ""},        {s.Left(-1), ""},
        {s.Left(99), "06:30pm"}, {s.Right(2), "pm"},     {s.Right(99), "06:30pm"},
        {s.Right(-3), ""},       {s.Mid(3), "30pm"},     {s.Mid(7), ""},
        {s.Mid(50), ""},         {s.Mid(-2), "06:30pm"}, {s.Mid(3, 2), "30"},
        {s.Mid(5, 99), "pm"},    {s.Mid(3, -1), ""},
    };
    for (const Row& row : rows)
        EXPECT_STREQ(row.got, row.want);
}

TEST(CStringOps, SpanIncludingTakesTheLeadingRunOnly) {
    struct Row {
        const char* text;
        const char* want;
    } rows[] = {{"930pm", "930"}, {"9:05", "9"}, {":05", ""}, {"", ""}, {"12", "12"}};
    for (const Row& row : rows)
        EXPECT_STREQ(CString(row.text).SpanIncluding("0123456789"), row.want) << row.text;
    EXPECT_STREQ(CString("abc").SpanIncluding(""), "");
}

TEST(CStringOps, TrimRemovesCLocaleWhiteSpaceAtBothEnds) {
    CString s(" \t\r\n 06:30pm \v\f ");
    s.Trim();
    EXPECT_STREQ(s, "06:30pm");
    CString blank("   ");
    blank.Trim();
    EXPECT_TRUE(blank.IsEmpty());
    CString inner("a b");
    inner.Trim();
    EXPECT_STREQ(inner, "a b");
}

TEST(CStringOps, CaseChangesOnlyAsciiLetters) {
    CString s("c:\\media\\Chime-1.wav \xE9");
    s.MakeUpper();
    EXPECT_STREQ(s, "C:\\MEDIA\\CHIME-1.WAV \xE9");
    s.MakeLower();
    EXPECT_STREQ(s, "c:\\media\\chime-1.wav \xE9");
}

TEST(CStringOps, FormatHasNoLengthLimit) {
    CString s;
    s.Format("%s\\media\\%s", "C:\\WINDOWS", "CHIME.WAV");
    EXPECT_STREQ(s, "C:\\WINDOWS\\media\\CHIME.WAV");
    std::string big(100000, 'x');
    s.Format("[%s]", big.c_str());
    EXPECT_EQ(s.GetLength(), 100002);
    s.Format("%d", -1);
    EXPECT_STREQ(s, "-1");
}

TEST(CStringOps, FindAndCompare) {
    CString cmd("\"C:\\Browser\\b.exe\" \"%1\"");
    EXPECT_EQ(cmd.Find("\"%1\""), 19);
    EXPECT_EQ(cmd.Find("%1"), 20);
    EXPECT_EQ(cmd.Find("%2"), -1);
    EXPECT_EQ(cmd.Find('"', 1), 17);
    EXPECT_EQ(cmd.Find('x', 500), -1);
    EXPECT_TRUE(CString("AM") == "AM");
    EXPECT_TRUE(CString("AM") != "PM");
    EXPECT_EQ(CString("ab") + "cd" + CString("ef"), CString("abcdef"));
    EXPECT_EQ(CString("x").GetAt(5), '\0');
    CString nul(nullptr);
    EXPECT_TRUE(nul.IsEmpty());
}
