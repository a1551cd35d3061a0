#pragma once
#include "framework/CString.h"
#include "framework/Unicode.h"

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

    // The dialog's title, and the folder it opens in (null or empty: the system's choice).
    void SetTitle(const char* title);
    void SetInitialFolder(const char* folder);
    CString GetPathName() const { return Utf8(m_fileName.data()); }

    OPENFILENAMEW m_ofn{};

private:
    std::vector<wchar_t> m_filter;
    std::vector<wchar_t> m_fileName;
    WideText m_title{nullptr}, m_folder{nullptr};
};
