#include "framework/CFileDialog.h"

#include "framework/CWinApp.h"
#include "framework/CWnd.h"

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExt, const char* fileName,
                         DWORD flags, const char* filter, CWnd* parent)
    : m_fileName(MAX_PATH, '\0'), m_defaultExt(defaultExt) {
    (void)openFileDialog; // only the open form is used
    if (filter) {
        // "A|*.a|B|*.b||" becomes "A\0*.a\0B\0*.b\0\0".
        for (const char* p = filter; *p; ++p)
            m_filter.push_back(*p == '|' ? '\0' : *p);
        m_filter.push_back('\0');
        m_filter.push_back('\0');
    }
    if (fileName)
        lstrcpynA(m_fileName.data(), fileName, static_cast<int>(m_fileName.size()));
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = parent ? parent->GetSafeHwnd() : nullptr;
    m_ofn.hInstance = AfxGetInstanceHandle();
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.data();
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_fileName.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileName.size());
    m_ofn.lpstrDefExt = defaultExt ? static_cast<const char*>(m_defaultExt) : nullptr;
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
}

INT_PTR CFileDialog::DoModal() {
    if (!m_ofn.hwndOwner) {
        if (CWnd* main = AfxGetMainWnd())
            m_ofn.hwndOwner = main->GetSafeHwnd();
    }
    CWinApp* app = AfxGetApp();
    Win32FileDialogService system;
    BOOL ok = app ? app->FileDialogs().GetOpenFileName(&m_ofn) : system.GetOpenFileName(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}
