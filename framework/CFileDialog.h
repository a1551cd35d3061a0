#pragma once
#include "framework/CString.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

class CWnd;

// The common open/save dialog. The filter is MFC's form ("Text|*.txt||"); the dialog itself
// runs through the application's file-dialog service.
class CFileDialog {
public:
    CFileDialog(BOOL openFileDialog, const char* defaultExt = nullptr,
                const char* fileName = nullptr, DWORD flags = 0, const char* filter = nullptr,
                CWnd* parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    INT_PTR DoModal();
    CString GetPathName() const { return CString(m_fileName.data()); }

    OPENFILENAMEA m_ofn{};

private:
    std::vector<char> m_filter;
    std::vector<char> m_fileName;
    CString m_defaultExt;
};
