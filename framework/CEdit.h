#pragma once
#include "framework/CWnd.h"

// A single-line edit control.
class CEdit : public CWnd {
public:
    BOOL SetReadOnly(BOOL readOnly = TRUE) {
        return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly, 0));
    }
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, start, end); }
    void ScrollCaret() { SendMessage(EM_SCROLLCARET, 0, 0); }
};
