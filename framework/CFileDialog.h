#pragma once
#include "framework/CString.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

// The common open-file dialog's record, owned by the main window. The filter is MFC's form
// ("Text|*.txt||"). The program runs it through its platform, so that tests can answer it.
class CFileDialog {
public:
    explicit CFileDialog(const char* filter);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    CString GetPathName() const { return CString(m_fileName.data()); }

    OPENFILENAMEA m_ofn{};

private:
    std::vector<char> m_filter;
    std::vector<char> m_fileName;
};
