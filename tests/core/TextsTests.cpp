#include "core/Texts.h"

#include <gtest/gtest.h>

// A control's text as a screen reader says it, and the shortcut its mnemonic gives.
TEST(SpokenText, DropsMnemonicMarksTrailingDotsAndColonKeepsDoubledAmpersands) {
    const struct {
        const char *text, *spoken, *shortcut;
    } rows[] = {
        {"Top of the &hour:", "Top of the hour", "Alt+h"},
        {"Browse...", "Browse", ""},
        {"R&&D &Notes", "R&D Notes", "Alt+N"},
        {"&&Co: &&", "&Co: &", ""},
        {"Ends in &", "Ends in ", ""},
        {"Quarter '&Til:", "Quarter 'Til", "Alt+T"},
        {"&Громкость:", "Громкость", "Alt+Г"},
        {"音量(&鐘)", "音量(鐘)", "Alt+鐘"},
        {"&\xF0\x9F\x94\x94 bell", "\xF0\x9F\x94\x94 bell", "Alt+\xF0\x9F\x94\x94"},
        {"cut &\xD0", "cut \xD0", ""},
        {"stray &\x9F\x94", "stray \x9F\x94", ""},
        {"", "", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SpokenText(row.text), row.spoken) << row.text;
        EXPECT_EQ(ShortcutOf(row.text), row.shortcut) << row.text;
    }
}

// A text's blanks are filled wherever the sentence puts them; what is not a blank stays.
TEST(FillIn, PutsEachArgumentWhereItsNumberStands) {
    const struct {
        const char *pattern, *filled;
    } rows[] = {
        {"quiet at %1 (%2)", "quiet at 10:45 (a call)"},
        {"(%2) %1", "(a call) 10:45"},
        {"%1%1", "10:4510:45"},
        {"100%% %3 of %9", "100%  of "},
        {"50% off, %x, %0, %", "50% off, %x, %0, %"},
        {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FillIn(row.pattern, {"10:45", "a call"}), row.filled) << row.pattern;
}
