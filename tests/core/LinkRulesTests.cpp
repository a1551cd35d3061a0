#include "core/LinkRules.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

TEST(LinkRules, FittingKeepsTheEdgeTheAlignmentNames) {
    const unsigned left = 0, center = 0x1, right = 0x2, centerImage = 0x200;
    struct Row {
        EdgeRect in;
        unsigned style;
        int cx, cy;
        EdgeRect out;
    } rows[] = {
        // 100 wide around 61: each side moves in by 19 (the half truncates toward zero).
        {{0, 10, 100, 30}, center, 61, 13, {19, 10, 81, 23}},
        {{0, 10, 100, 30}, right, 61, 13, {39, 10, 100, 23}},
        {{0, 10, 100, 30}, left, 61, 13, {0, 10, 61, 23}},
        {{0, 0, 100, 8}, center, 131, 13, {-15, 0, 115, 13}},
        {{0, 10, 100, 30}, left | centerImage, 61, 13, {0, 13, 61, 27}},
        // Near the limits of int: the nearest representable edge, never an overflow.
        {{INT_MIN, 0, 0, 8}, right, INT_MAX, 13, {-INT_MAX, 0, 0, 13}},
        {{INT_MIN, 0, INT_MAX, 8}, center, INT_MIN, 8, {1073741823, 0, -1073741824, 8}},
    };
    for (const Row& row : rows) {
        EdgeRect r = FitRectToText(row.in, row.style, row.cx, row.cy);
        EXPECT_TRUE(r.left == row.out.left && r.top == row.out.top && r.right == row.out.right &&
                    r.bottom == row.out.bottom)
            << row.style << " " << row.cx << ": " << r.left << "," << r.top << "," << r.right << ","
            << r.bottom;
    }
}

// The command is cut at its first quoted "%1", else at its first %1, and gets one space and
// the target; one longer than the fallback's buffer is not built at all.
TEST(LinkRules, TheOpenCommandAndItsErrors) {
    const std::string t = "mailto:a@example.org";
    struct Row {
        std::string command, built;
    } rows[] = {
        {"\"C:\\B.EXE\" \"%1\"", "\"C:\\B.EXE\"  " + t},
        {"C:\\B.EXE -url %1 -new", "C:\\B.EXE -url  " + t},
        {"C:\\B.EXE", "C:\\B.EXE " + t},
        {"X %1 \"%1\"", "X %1  " + t},
        {"", " " + t},
    };
    for (const Row& row : rows) {
        std::string out;
        ASSERT_TRUE(BuildOpenCommand(row.command, t, out)) << row.command;
        EXPECT_EQ(out, row.built);
    }
    std::string out = "unchanged";
    EXPECT_TRUE(BuildOpenCommand("", std::string(kMaxOpenCommand - 1, 't'), out));
    out = "unchanged";
    EXPECT_FALSE(BuildOpenCommand("", std::string(kMaxOpenCommand, 't'), out));
    EXPECT_EQ(out, "unchanged");
}

// The fallback's program is started by its own path, quoted: a path with spaces and without
// quotes ends at its ".exe", never at the first space.
TEST(LinkRules, TheOpenCommandsProgramIsQuoted) {
    const struct {
        std::string command, program, line;
    } rows[] = {
        {R"(C:\Program Files\Web\web.exe -nohome x)", R"(C:\Program Files\Web\web.exe)",
         R"("C:\Program Files\Web\web.exe" -nohome x)"},
        {R"("C:\Program Files\Web\web.exe" -nohome x)", R"(C:\Program Files\Web\web.exe)",
         R"("C:\Program Files\Web\web.exe" -nohome x)"},
        {R"(C:\Web Tools\WEB.EXE)", R"(C:\Web Tools\WEB.EXE)", R"("C:\Web Tools\WEB.EXE")"},
        {R"(C:\a.exe.d\b.exe x)", R"(C:\a.exe.d\b.exe)", R"("C:\a.exe.d\b.exe" x)"},
        {"  web x", "web", R"("web" x)"},
        {R"("C:\unclosed x)", R"(C:\unclosed x)", R"("C:\unclosed x")"},
        {"", "", ""},
        {"ex", "ex", R"("ex")"},
    };
    for (const auto& row : rows) {
        const ProgramCommand run = QuoteProgram(row.command);
        EXPECT_EQ(run.program, row.program) << row.command;
        EXPECT_EQ(run.line, row.line) << row.command;
    }
}
