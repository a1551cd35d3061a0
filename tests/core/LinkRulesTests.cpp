#include "core/LinkRules.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

TEST(LinkRules, FittingKeepsTheEdgeTheAlignmentNames) {
    const unsigned left = 0x0000, leftNoWrap = 0x000C, center = 0x0001, right = 0x0002,
                   centerImage = 0x0200;
    struct Row {
        EdgeRect in;
        unsigned style;
        int cx, cy;
        EdgeRect out;
    } rows[] = {
        // 100 wide around 61: each side moves in by 19, ending 62 wide.
        {{0, 10, 100, 30}, center, 61, 13, {19, 10, 81, 23}},
        {{0, 10, 100, 30}, right, 61, 13, {39, 10, 100, 23}},
        {{0, 10, 100, 30}, left, 61, 13, {0, 10, 61, 23}},
        {{0, 10, 100, 30}, leftNoWrap, 61, 13, {0, 10, 61, 23}},
        // Growing: text wider than the label; the half difference truncates toward zero.
        {{0, 0, 100, 8}, center, 131, 13, {-15, 0, 115, 13}},
        {{50, 0, 100, 8}, right, 131, 13, {-31, 0, 100, 13}},
        // Vertical centring: 20 high around 13 moves both edges by 3; 8 around 13 by -2.
        {{0, 10, 100, 30}, left | centerImage, 61, 13, {0, 13, 61, 27}},
        {{0, 10, 100, 18}, center | centerImage, 100, 13, {0, 8, 100, 20}},
        {{0, 0, 0, 0}, left, 0, 0, {0, 0, 0, 0}},
        // Near the limits of int: the nearest representable edge, never an overflow.
        {{INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX},
         left,
         100,
         100,
         {INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX}},
        {{INT_MIN, 0, 0, 8}, right, INT_MAX, 13, {-INT_MAX, 0, 0, 13}},
        // Centring an extent of -2^31 in a label 2^32-1 wide moves each edge by 3221225471.
        {{INT_MIN, 0, INT_MAX, 8}, center, INT_MIN, 8, {1073741823, 0, -1073741824, 8}},
    };
    for (const Row& row : rows) {
        EdgeRect r = FitRectToText(row.in, row.style, row.cx, row.cy);
        EXPECT_EQ(r.left, row.out.left) << row.style << " " << row.cx;
        EXPECT_EQ(r.top, row.out.top) << row.style << " " << row.cx;
        EXPECT_EQ(r.right, row.out.right) << row.style << " " << row.cx;
        EXPECT_EQ(r.bottom, row.out.bottom) << row.style << " " << row.cx;
    }
}

TEST(LinkRules, TheOpenCommandEndsWithOneSpaceAndTheTarget) {
    const std::string t = "mailto:a@example.org";
    struct Row {
        const char* command;
        const char* built;
    } rows[] = {
        {"\"C:\\B\\BROWSER.EXE\" \"%1\"", "\"C:\\B\\BROWSER.EXE\"  mailto:a@example.org"},
        {"C:\\B\\BROWSER.EXE %1", "C:\\B\\BROWSER.EXE  mailto:a@example.org"},
        {"C:\\B\\BROWSER.EXE -url %1 -new", "C:\\B\\BROWSER.EXE -url  mailto:a@example.org"},
        {"C:\\B\\BROWSER.EXE", "C:\\B\\BROWSER.EXE mailto:a@example.org"},
        {"X %1 \"%1\"", "X %1  mailto:a@example.org"}, // the quoted one wins
        {"X \"%1 Y", "X \" mailto:a@example.org"},
        {"", " mailto:a@example.org"},
    };
    for (const Row& row : rows) {
        std::string out = "unchanged";
        ASSERT_TRUE(BuildOpenCommand(row.command, t, out)) << row.command;
        EXPECT_EQ(out, row.built) << row.command;
    }
}

TEST(LinkRules, AnOverlongCommandIsNotBuilt) {
    const std::string command = "\"" + std::string(257, 'P') + "\" \"%1\""; // 259 characters
    const std::string prefix = "\"" + std::string(257, 'P') + "\"  ";       // 261 before the target
    std::string fits(kMaxOpenCommand - prefix.size(), 't');
    std::string out;
    ASSERT_TRUE(BuildOpenCommand(command, fits, out));
    EXPECT_EQ(out.size(), kMaxOpenCommand);
    EXPECT_EQ(out, prefix + fits);
    out = "unchanged";
    EXPECT_FALSE(BuildOpenCommand(command, fits + "t", out));
    EXPECT_EQ(out, "unchanged");
    EXPECT_FALSE(BuildOpenCommand("", std::string(100000, 't'), out));
}

TEST(LinkRules, EveryErrorCodeHasItsText) {
    const std::string prefix = "Unable to open hyperlink:\n\n";
    struct Row {
        int code;
        const char* message;
    } rows[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
             "being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {4, "Unknown Error (4) occurred."},
        {-1, "Unknown Error (-1) occurred."},
        {33, "Unknown Error (33) occurred."},
        {-2147483647 - 1, "Unknown Error (-2147483648) occurred."},
    };
    for (const Row& row : rows)
        EXPECT_EQ(OpenErrorText(row.code), prefix + row.message) << row.code;
}
