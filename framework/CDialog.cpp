#include "framework/CDialog.h"

#include "framework/CWinApp.h"
#include "framework/Language.h"

#include <utility>

namespace {

thread_local CWnd* t_pendingCreation = nullptr;
thread_local HHOOK t_creationHook = nullptr;

void StopWatchingCreation() {
    if (t_creationHook)
        ::UnhookWindowsHookEx(std::exchange(t_creationHook, nullptr));
}

// Binds the dialog's window to t_pendingCreation as it is created, before its first message:
// that is what lets OnCreate run before the controls exist. Only a dialog-class window is
// taken: the thread may create others first (an input method makes its own window with the
// thread's first), and the hook goes as soon as the dialog is bound.
LRESULT CALLBACK CreationCbtProc(int code, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && t_pendingCreation && IsDialogWindow(hwnd)) {
        std::exchange(t_pendingCreation, nullptr)->SubclassWindow(hwnd);
        StopWatchingCreation();
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent, UINT textBase)
    : m_nIDTemplate(templateId), m_nTextBase(textBase), m_pParentWnd(parent) {}

const MessageMap& CDialog::GetMessageMap() const {
    static const MessageMap map{&CWnd::GetMessageMap(),
                                {
                                    on::Command(IDOK, &CDialog::OnOKCommand),
                                    on::Command(IDCANCEL, &CDialog::OnCancelCommand),
                                }};
    return map;
}

INT_PTR CDialog::DoModal() {
    // No parent given: the application's main window owns the dialog, unless this is it.
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    CWnd* const outer = std::exchange(t_pendingCreation, this);
    const HHOOK outerHook =
        std::exchange(t_creationHook, ::SetWindowsHookExW(WH_CBT, CreationCbtProc, nullptr,
                                                          ::GetCurrentThreadId()));
    const INT_PTR result =
        ::DialogBoxParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_nIDTemplate),
                          owner && owner != this ? owner->m_hWnd : nullptr, DialogProc,
                          reinterpret_cast<LPARAM>(this));
    StopWatchingCreation();
    t_creationHook = outerHook;
    t_pendingCreation = outer;
    return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return FALSE;
    // Not bound at its creation (no hook could be set): bound now, before its initialisation.
    auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hwnd));
    if (!dialog) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        if (t_pendingCreation == dialog)
            t_pendingCreation = nullptr;
        StopWatchingCreation();
        if (!dialog->SubclassWindow(hwnd))
            return FALSE;
    }
    dialog->TranslateTexts();
    return GuardedCall([&] { return static_cast<INT_PTR>(dialog->OnInitDialog()); },
                       static_cast<INT_PTR>(TRUE));
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

BOOL CDialog::OnCmdMsg(UINT id, UINT code) {
    if (CWnd::OnCmdMsg(id, code))
        return TRUE;
    // Commands nobody in the dialog handles go on to the application object.
    CWinApp* app = AfxGetApp();
    return code == 0 && app && app->OnCmdMsg(id, code);
}
