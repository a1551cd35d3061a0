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
