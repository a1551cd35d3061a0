#pragma once
#include "framework/Afx.h"

// The edit field of a sound slot. Files dropped on it from the shell become its text.
class CSoundPathEdit : public CEdit {
public:
    CSoundPathEdit() = default;

    // 0: a dropped regular file is taken (the program's mode); non-zero: a dropped folder.
    BOOL m_bFolderMode = FALSE;
};
