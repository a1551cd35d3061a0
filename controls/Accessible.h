#pragma once
// What a control tells assistive technology (Microsoft Active Accessibility) beyond what the
// system's standard object for it says: a control answers WM_GETOBJECT with AnswerGetObject.

#include "framework/CString.h"

#include <windows.h>

struct AccessibleFacts {
    CString name;          // empty: the standard name (the label before the control)
    DWORD role = 0;        // 0: the standard role
    DWORD state = 0;       // added to the standard state
    CString value;         // empty: the standard value
    CString shortcut;      // empty: the standard keyboard shortcut
    CString defaultAction; // empty: the standard one; else doing it posts a click notification
};

// The answer to WM_GETOBJECT (`flags`, `objectId`) for `control` described by `facts`: its
// client object is the standard one with the facts in its place. 0 for any other object, or
// when there is no accessibility support: the caller then lets the default procedure answer.
LRESULT AnswerGetObject(HWND control, DWORD flags, LONG objectId, const AccessibleFacts& facts);
