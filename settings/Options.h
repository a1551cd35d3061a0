#pragma once
// The settings the window shows, one row each: the control that holds the setting while the
// program runs, its place in the private profile, what it is when the profile has none, and the
// values it may take. Loading, saving, Cancel (a load) and the control's range all come from
// the row.
#include <windows.h>

#include <cstddef>

enum class Held {
    Box,         // a check box: 0 to `high` (1, or 2 for a three-state box); other values check it
    InvertedBox, // a check box whose entry is 1 when it is unchecked
    Text,        // an edit field; an empty entry is no entry
    Level,       // a slider from `low` to `high`; other values are the default, written back
    HotKey,      // a hot-key control (key | HOTKEYF_* << 8); other values are the default
    Choice,      // a drop-down list whose entries stand for `low` to `high` (or, where the row
                 // has `values`, for values[0] to values[high - low]); other values are the
                 // default, written back
    Number,      // no control: a number the profile alone holds, kept to `low`..`high`
};

struct OptionRow {
    int control; // 0 for a Number
    const char* section;
    const char* entry;
    Held held;
    int fallback; // when the profile has no entry
    int low, high;
    const int* values = nullptr; // what a Choice's entries stand for, when not low to high
};

// A table of rows, as a range.
struct OptionTable {
    const OptionRow* first;
    size_t count;
    const OptionRow* begin() const { return first; }
    const OptionRow* end() const { return first + count; }
    // The row of profile entry `entry`; nullptr when there is none.
    const OptionRow* Find(const char* entry) const;
};
template <size_t N> OptionTable TableOf(const OptionRow (&rows)[N]) { return {rows, N}; }

// Gives each slider of `dialog` its row's range (and a page of a tenth of it).
void PrepareOptions(HWND dialog, const OptionTable& rows);
// Shows every row's entry in its control, writing back what the profile lacked or held out of
// range (see Held).
void LoadOptions(HWND dialog, const OptionTable& rows);
// Writes what every control shows.
void SaveOptions(HWND dialog, const OptionTable& rows);
// A Number row's value, from the profile (the fallback written when there is none).
int LoadNumber(const OptionRow& row);
// Whether the row's control is one the system's standard objects do not name by its label.
inline bool NeedsLabelName(const OptionRow& row) {
    return row.held == Held::Level || row.held == Held::HotKey || row.held == Held::Choice;
}
