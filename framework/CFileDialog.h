#pragma once
#include "framework/CString.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

// The common open-file dialog. The filter is MFC's form ("Text|*.txt||"); the dialog itself
// runs through the application's file-dialog service, owned by the main window.
class CFileDialog {
public:
    explicit CFileDialog(const char* filter);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    INT_PTR DoModal();
    CString GetPathName() const { return CString(m_fileName.data()); }

    OPENFILENAMEA m_ofn{};

private:
    std::vector<char> m_filter;
    std::vector<char> m_fileName;
};
