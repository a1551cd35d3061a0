#include "core/SleepTime.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(SleepTimeText, ParseTable) {
    struct Row {
        const char* typed;
        bool ok;
        int hhmm;         // when ok
        const char* text; // after parsing: normalised when ok, trimmed when not
    } rows[] = {
        {"9:05pm", true, 2105, "09:05PM"},
        {"  06:30pm \t", true, 1830, "06:30PM"},
        {"12:00am", true, 2400, "12:00AM"},
        {"12:00pm", true, 1200, "12:00PM"},
        {"12:30am", true, 2430, "12:30AM"},
        {"9.05 pm", true, 2105, "09:05PM"},
        {"9h05am", true, 905, "09:05AM"},
        {"9:05:30pm", true, 2105, "09:05PM"},
        {"09:05PM", true, 2105, "09:05PM"},
        {"1:00aM", true, 100, "01:00AM"},
        {"", true, 0, ""},
        {"    ", true, 0, ""},
        {"13:00pm", false, 0, "13:00pm"},
        {"0:30am", false, 0, "0:30am"},
        {"9:60pm", false, 0, "9:60pm"},
        {"9:5pm", false, 0, "9:5pm"},
        {"930pm", false, 0, "930pm"},
        {"9 :05pm", false, 0, "9 :05pm"},
        {"9:05", false, 0, "9:05"},
        {"9:05 p.m.", false, 0, "9:05 p.m."},
        {" 12 ", false, 0, "12"},
        {"pm", false, 0, "pm"},
        {"9:", false, 0, "9:"},
        {"9", false, 0, "9"},
    };
    for (const Row& row : rows) {
        SleepTimeParse r = ParseSleepTimeText(row.typed);
        EXPECT_EQ(r.ok, row.ok) << '"' << row.typed << '"';
        if (row.ok) {
            EXPECT_EQ(r.hhmm, row.hhmm) << row.typed;
        }
        EXPECT_EQ(r.text, row.text) << row.typed;
    }
}

TEST(SleepTimeText, ANormalisedTextParsesToItself) {
    for (int h = 1; h <= 12; ++h)
        for (int m = 0; m < 60; m += 7)
            for (const char* suffix : {"AM", "PM"}) {
                char typed[16];
                std::snprintf(typed, sizeof typed, "%d:%02d%s", h, m, suffix);
                SleepTimeParse once = ParseSleepTimeText(typed);
                ASSERT_TRUE(once.ok) << typed;
                SleepTimeParse twice = ParseSleepTimeText(once.text);
                EXPECT_EQ(twice.text, once.text);
                EXPECT_EQ(twice.hhmm, once.hhmm);
            }
}
