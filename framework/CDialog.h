#pragma once
#include "framework/CDataExchange.h"
#include "framework/CWnd.h"

// A dialog from a template resource, run modally by DoModal.
//
// The window is bound to the object from its first message (so OnCreate runs before the
// controls exist), the owner is disabled for the run, the dialog becomes visible the first time
// its message queue goes idle, and the loop calls PreTranslateMessage along the window's
// parent chain before dispatching.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    virtual INT_PTR DoModal();
    void EndDialog(int result);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCmdMsg(UINT id, UINT code) override;
    const MessageMap& GetMessageMap() const override;

protected:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    void OnOKCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }
    HWND FindOwner() const;
    void RunModalLoop();
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    bool m_bContinueModal = false;
    int m_nModalResult = -1;
};
