#pragma once
#include <windows.h>

class CWnd;

// The direction and target of one data exchange between a dialog and its members.
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Binds the control `id` of the dialog to `control` (once; PreSubclassWindow runs then).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// Moves a check box state (0, 1 or 2) between the control and `value`.
void DDX_Check(CDataExchange* pDX, int id, int& value);
