#pragma once
// The days of the week it rings on: seven boxes of the settings window, named and ordered as
// the user's locale has the week (its abbreviated day names, from its first day).
#include "framework/Afx.h"

#include <functional>

class CDayBoxes : public CCmdTarget {
public:
    const MessageMap& GetMessageMap() const override;
    // Names the boxes of `window` in the user's locale; `changed` runs when the user checks or
    // unchecks one (today may now sleep, or wake).
    void Attach(HWND window, std::function<void()> changed);
    // Checks the boxes of `days` (bit 0 Monday to bit 6 Sunday).
    void Show(int days) const;
    // The days the boxes say it rings on.
    int Checked() const;

private:
    void OnBox(UINT id);
    HWND m_hWnd = nullptr;
    // The weekday the first box stands for (the user's first day of the week, 0 Monday).
    int m_firstDay = 0;
    std::function<void()> m_changed;
};
