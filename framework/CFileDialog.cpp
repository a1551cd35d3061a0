#include "framework/CFileDialog.h"

#include "framework/CWinApp.h"
#include "framework/CWnd.h"

// Room for a long path (the system's limit for one name given whole).
CFileDialog::CFileDialog(const char* filter) : m_fileName(32768, L'\0') {
    // "A|*.a|B|*.b||" becomes "A\0*.a\0B\0*.b\0\0".
    const WideText wide(filter ? filter : "");
    for (size_t i = 0; i < wide.size(); ++i)
        m_filter.push_back(wide[i] == L'|' ? L'\0' : wide[i]);
    m_filter.push_back(L'\0');
    m_filter.push_back(L'\0');
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hInstance = AfxGetInstanceHandle();
    m_ofn.lpstrFilter = m_filter.data();
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_fileName.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileName.size());
    m_ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING;
    if (CWnd* main = AfxGetMainWnd())
        m_ofn.hwndOwner = main->GetSafeHwnd();
}

void CFileDialog::SetTitle(const char* title) {
    m_title = WideText(title);
    m_ofn.lpstrTitle = m_title;
}

void CFileDialog::SetInitialFolder(const char* folder) {
    m_folder = WideText(folder && *folder ? folder : nullptr);
    m_ofn.lpstrInitialDir = m_folder;
}
