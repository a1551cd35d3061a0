#include "framework/CDialog.h"

#include "framework/CWinApp.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

const MessageMap& CDialog::GetMessageMap() const {
    static const MessageMap map{&CWnd::GetMessageMap(),
                                {
                                    on::Command(IDOK, &CDialog::OnOKCommand),
                                    on::Command(IDCANCEL, &CDialog::OnCancelCommand),
                                }};
    return map;
}

HWND CDialog::FindOwner() const {
    // No parent given: the application's main window owns the dialog, unless this is it.
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        if (main && main != this)
            owner = main->GetSafeHwnd();
    }
    // The owner of a dialog is always a top-level window.
    while (owner && (::GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD))
        owner = ::GetParent(owner);
    return owner;
}

INT_PTR CDialog::DoModal() {
    HINSTANCE instance = AfxGetInstanceHandle();
    HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(m_nIDTemplate), RT_DIALOG);
    HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
    auto* dialogTemplate = loaded ? static_cast<LPCDLGTEMPLATEA>(::LockResource(loaded)) : nullptr;
    if (!dialogTemplate)
        return -1;

    HWND owner = FindOwner();
    bool reenableOwner = false;
    if (owner && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        reenableOwner = true;
    }

    m_bContinueModal = true;
    m_nModalResult = -1;
    {
        CreationHook hook(this);
        ::CreateDialogIndirectParamA(instance, dialogTemplate, owner, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    }
    if (m_hWnd) {
        m_bCreatedHere = true;
        if (m_bContinueModal)
            RunModalLoop();
        // Hide before the owner comes back, so the owner is activated and not the dialog.
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (reenableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    m_bContinueModal = false;
    return m_nModalResult;
}

void CDialog::RunModalLoop() {
    bool shown = (GetStyle() & WS_VISIBLE) != 0;
    MSG msg;
    while (m_bContinueModal) {
        // The dialog is shown once, the first time the queue runs dry after creation.
        if (!shown && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            shown = true;
            ShowWindow(SW_SHOWNORMAL);
            ::UpdateWindow(m_hWnd);
            continue;
        }
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // WM_QUIT ends the modal run and goes on to the outer loop.
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_bContinueModal = false;
            break;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hwnd));
    if (!dialog)
        dialog = reinterpret_cast<CDialog*>(lParam);
    return GuardedCall([&] { return static_cast<INT_PTR>(dialog->OnInitDialog()); },
                       static_cast<INT_PTR>(TRUE));
}

void CDialog::EndDialog(int result) {
    if (!m_bContinueModal)
        return;
    m_bContinueModal = false;
    m_nModalResult = result;
    // Wake the loop in case the end was asked for from outside a message of this thread.
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    // Keyboard and mouse input gets the dialog's own navigation (Tab, Enter, Esc, mnemonics).
    bool input = (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
                 (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST);
    return input && ::IsDialogMessageA(m_hWnd, msg);
}

BOOL CDialog::OnCmdMsg(UINT id, UINT code) {
    if (CWnd::OnCmdMsg(id, code))
        return TRUE;
    // Commands nobody in the dialog handles go on to the application object.
    CWinApp* app = AfxGetApp();
    return code == 0 && app && app->OnCmdMsg(id, code);
}
