#include "settings/Options.h"

#include "framework/Afx.h"

#include <commctrl.h>

#include <climits>
#include <cstring>

namespace {
bool InRange(const OptionRow& row, int value) { return value >= row.low && value <= row.high; }

// The entry a Choice's value is, or -1 for one it has none for.
int ChoiceIndex(const OptionRow& row, int value) {
    if (!row.values)
        return InRange(row, value) ? value - row.low : -1;
    for (int i = 0; i <= row.high - row.low; ++i)
        if (row.values[i] == value)
            return i;
    return -1;
}

// The profile's entry of `row`, or the row's fallback, written back, when there is none. -1,
// which the program once wrote for no value, counts as none where the row's range lacks it.
int StoredValue(const OptionRow& row) {
    CWinApp* app = AfxGetApp();
    const int value = app->GetProfileInt(row.section, row.entry, INT_MIN);
    if (value != INT_MIN && (value != -1 || InRange(row, -1)))
        return value;
    app->WriteProfileInt(row.section, row.entry, row.fallback);
    return row.fallback;
}
} // namespace

const OptionRow* OptionTable::Find(const char* entry) const {
    for (const OptionRow& row : *this)
        if (std::strcmp(row.entry, entry) == 0)
            return &row;
    return nullptr;
}

void PrepareOptions(HWND dialog, const OptionTable& rows) {
    for (const OptionRow& row : rows) {
        if (row.held != Held::Level)
            continue;
        HWND slider = ::GetDlgItem(dialog, row.control);
        // The two words of TBM_SETRANGE would not carry a range below 0.
        ::SendMessageW(slider, TBM_SETRANGEMIN, FALSE, row.low);
        ::SendMessageW(slider, TBM_SETRANGEMAX, TRUE, row.high);
        ::SendMessageW(slider, TBM_SETPAGESIZE, 0, (row.high - row.low) / 10);
        // Moved twice: Wine draws the thumb anew only when the position changes, and a range
        // set after it leaves it drawn where the old range had it.
        ::SendMessageW(slider, TBM_SETPOS, FALSE, row.low == row.fallback ? row.high : row.low);
        ::SendMessageW(slider, TBM_SETPOS, TRUE, row.fallback);
    }
}

int LoadNumber(const OptionRow& row) {
    const int value = StoredValue(row);
    return value < row.low ? row.low : (value > row.high ? row.high : value);
}

void LoadOptions(HWND dialog, const OptionTable& rows) {
    CWinApp* app = AfxGetApp();
    for (const OptionRow& row : rows) {
        HWND control = ::GetDlgItem(dialog, row.control);
        switch (row.held) {
        case Held::Text: {
            // An empty entry is no entry; it empties the field all the same, so that nothing
            // typed but not confirmed stays there.
            const CString text = app->GetProfileString(row.section, row.entry, nullptr);
            if (text.IsEmpty())
                app->WriteProfileString(row.section, row.entry, nullptr);
            SetWindowTextOf(control, text);
            break;
        }
        case Held::Level:
        case Held::HotKey:
        case Held::Choice: {
            int value = StoredValue(row);
            const bool known =
                row.held == Held::Choice ? ChoiceIndex(row, value) >= 0 : InRange(row, value);
            if (!known) {
                value = row.fallback;
                app->WriteProfileInt(row.section, row.entry, value);
            }
            if (row.held == Held::Level)
                ::SendMessageW(control, TBM_SETPOS, TRUE, value);
            else if (row.held == Held::HotKey)
                ::SendMessageW(control, HKM_SETHOTKEY, static_cast<WPARAM>(value), 0);
            else
                ::SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(ChoiceIndex(row, value)),
                               0);
            break;
        }
        case Held::Box:
        case Held::InvertedBox: {
            int value = StoredValue(row);
            if (row.held == Held::InvertedBox)
                value = value ? BST_UNCHECKED : BST_CHECKED;
            else if (!InRange(row, value))
                value = BST_CHECKED;
            ::SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
            break;
        }
        case Held::Number: break; // the program asks for it with LoadNumber
        }
    }
}

void SaveOptions(HWND dialog, const OptionTable& rows) {
    CWinApp* app = AfxGetApp();
    for (const OptionRow& row : rows) {
        HWND control = ::GetDlgItem(dialog, row.control);
        switch (row.held) {
        case Held::Text:
            app->WriteProfileString(row.section, row.entry, WindowTextOf(control));
            break;
        case Held::Level:
            app->WriteProfileInt(row.section, row.entry,
                                 static_cast<int>(::SendMessageW(control, TBM_GETPOS, 0, 0)));
            break;
        case Held::HotKey:
            app->WriteProfileInt(row.section, row.entry,
                                 static_cast<int>(::SendMessageW(control, HKM_GETHOTKEY, 0, 0)));
            break;
        case Held::Choice: {
            const LRESULT chosen = ::SendMessageW(control, CB_GETCURSEL, 0, 0);
            const int index = static_cast<int>(chosen);
            app->WriteProfileInt(row.section, row.entry,
                                 chosen < 0 || index > row.high - row.low ? row.fallback
                                 : row.values                             ? row.values[index]
                                                                          : row.low + index);
            break;
        }
        case Held::Box:
        case Held::InvertedBox: {
            const int state = static_cast<int>(::SendMessageW(control, BM_GETCHECK, 0, 0));
            app->WriteProfileInt(row.section, row.entry,
                                 row.held == Held::Box  ? state
                                 : state == BST_CHECKED ? 0
                                                        : 1);
            break;
        }
        case Held::Number: break; // never changed by the program
        }
    }
}
