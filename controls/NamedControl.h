#pragma once
#include "controls/Accessible.h"
#include "framework/Afx.h"

// A control announced to assistive technology with facts of its own, where the system's
// standard object says too little: "Play, Top of the hour" for one of four Play buttons, or
// the label of a slider. What it shows stays the same.
class CNamedControl : public CWnd {
public:
    const MessageMap& GetMessageMap() const override;
    AccessibleFacts m_accessible;

private:
    LRESULT OnGetObject(DWORD flags, LONG objectId);
};
