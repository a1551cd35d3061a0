#pragma once
#include "framework/CWnd.h"

#include <commctrl.h>

// A tooltip window owned by this object, with tools identified by window and id.
class CToolTipCtrl : public CWnd {
public:
    BOOL Create(CWnd* parent, DWORD style = 0);
    BOOL AddTool(CWnd* window, const char* text, const RECT* area, UINT id);
    void UpdateTipText(const char* text, CWnd* window, UINT id);
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
};
