#include "framework/CFileDialog.h"

#include "framework/CWinApp.h"
#include "framework/CWnd.h"

// Room for a whole path in UTF-8 (the program's code page): up to three bytes a character.
CFileDialog::CFileDialog(const char* filter) : m_fileName(3 * MAX_PATH, '\0') {
    // "A|*.a|B|*.b||" becomes "A\0*.a\0B\0*.b\0\0".
    for (const char* p = filter; *p; ++p)
        m_filter.push_back(*p == '|' ? '\0' : *p);
    m_filter.push_back('\0');
    m_filter.push_back('\0');
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
