#include "framework/CDialog.h"

#include "framework/CWinApp.h"

#include <utility>

namespace {

thread_local int t_modalDepth = 0;
thread_local CWnd* t_pendingCreation = nullptr;

// Binds the next window this thread creates (the dialog's own, before its first message: that
// is what lets OnCreate run before the controls exist) to t_pendingCreation.
LRESULT CALLBACK CreationCbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && t_pendingCreation)
        std::exchange(t_pendingCreation, nullptr)->SubclassWindow(reinterpret_cast<HWND>(wParam));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The dialog loop hands every message to this thread's filter before it handles it
// (IsDialogMessage calls CallMsgFilter), and so do the loops of menus and message boxes.
LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0 && AfxPreTranslateMessage(reinterpret_cast<MSG*>(lParam)))
        return TRUE;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

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
    // One filter per thread: a dialog run from inside another's run is served by the outer one.
    const CHook filter = t_modalDepth++ ? CHook() : HookThisThread(WH_MSGFILTER, MessageFilter);
    CWnd* const outer = std::exchange(t_pendingCreation, this);
    INT_PTR result;
    {
        const CHook creation = HookThisThread(WH_CBT, CreationCbtProc);
        result = ::DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                   owner && owner != this ? owner->m_hWnd : nullptr, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    }
    t_pendingCreation = outer;
    --t_modalDepth;
    return result;
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
