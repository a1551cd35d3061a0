#pragma once
#include "framework/CDataExchange.h"
#include "framework/CWnd.h"
#include "framework/Language.h"

// A dialog from a template resource, run modally by DoModal on the system's own dialog loop.
//
// The window is bound to the object from its first message (so OnCreate runs before the
// controls exist); the system disables the owner for the run and shows the dialog the first
// time its message queue goes idle.
class CDialog : public CWnd {
public:
    // The controls' texts in another language are strings `textBase` + their ids.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr, UINT textBase = 0);

    virtual INT_PTR DoModal();
    void EndDialog(int result) { ::EndDialog(m_hWnd, result); }
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    // Shows the controls' texts in the text language (done before OnInitDialog, and again
    // whenever the language changes).
    void TranslateTexts() { TranslateControls(m_hWnd, m_nTextBase, m_templateTexts); }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}

    BOOL OnCmdMsg(UINT id, UINT code) override;
    const MessageMap& GetMessageMap() const override;

private:
    void OnOKCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_nIDTemplate;
    UINT m_nTextBase;
    TemplateTexts m_templateTexts;
    CWnd* m_pParentWnd;
};
