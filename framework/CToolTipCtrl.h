#pragma once
#include "framework/CWnd.h"

#include <commctrl.h>

// A tooltip window owned by this object, whose tools are whole windows: it watches the mouse
// over each itself.
class CToolTipCtrl : public CWnd {
public:
    BOOL Create(CWnd* parent, DWORD style = 0);
    BOOL AddTool(CWnd* window, const char* text);
    void UpdateTipText(const char* text, CWnd* window);
};
