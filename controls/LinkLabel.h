#pragma once
#include "framework/Afx.h"

// A static text control that works as a hyperlink: drawn in the link colour (the system's in
// high contrast) and underlined, fitted to its text, with a hand pointer and a tooltip showing
// its target. A click, or Enter or Space when it has the focus, opens the target through the
// shell, falling back to the program registered for .htm files; success turns it to the
// visited colour, failure beeps and explains. Assistive technology sees a link: its text, its
// target as the value, and "Jump" as the default action, which opens it.
class CLinkLabel : public CWnd {
public:
    CLinkLabel() = default;
    const MessageMap& GetMessageMap() const override;
    void PreSubclassWindow() override;

    // What a click opens (and the tooltip shows); may be set before the window exists.
    void SetLinkTarget(CString target);
    void MarkVisited(BOOL visited);
    // Resizes the control to its text, measured in the control's own font.
    void FitToText();

    // Opens `target`: the shell's "open" verb, then the .htm program's open command. Returns
    // the code of the last attempt (above 32 on success).
    static int OpenLink(LPCSTR target, int showCmd);
    static void ReportOpenError(int code);

    COLORREF m_crLinkColor = RGB(0, 0, 238);
    COLORREF m_crVisitedColor = RGB(85, 26, 139);
    BOOL m_bVisited = FALSE;
    BOOL m_bUnderline = TRUE;
    BOOL m_bAdjustToFit = TRUE;
    CString m_strTarget;
    CFont m_fontUnderline;
    HCURSOR m_hLinkCursor = nullptr;
    CToolTipCtrl m_ToolTip;

private:
    void OnClicked();
    HBRUSH CtlColor(HDC dc, UINT ctlColor);
    BOOL OnSetCursor(HWND wnd, UINT hitTest, UINT message);
    // A new font (a new display scale): the underlined one is made from it anew.
    void OnSetFont(HFONT font, BOOL redraw);
    void OnPaint();
    void OnFocusChange(HWND);
    UINT OnGetDlgCode(const MSG* msg);
    void OnKeyDown(UINT key, bool held);
    LRESULT OnGetObject(DWORD flags, LONG objectId);
};

// What the user is told when a link would not open: the heading and the reason for code `code`
// (ShellExecute's, or WinExec's as the fallback reports its own failures).
CString OpenErrorText(int code);
