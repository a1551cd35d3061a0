#pragma once
#include "framework/Afx.h"

// The edit field of a sound slot. A file dropped on it from the shell becomes its text: the
// first file of the drop, a shortcut followed to its target, kept only when it exists and, in
// file mode, when it is a regular file whose name ends in WAV (or the user says to keep it).
class CSoundPathEdit : public CEdit {
public:
    CSoundPathEdit() = default;
    ~CSoundPathEdit() override = default;
    const MessageMap& GetMessageMap() const override;

    // The target path stored in the shell shortcut `path`, or empty when `path` is not a
    // readable shortcut (or names no file, or is too long for a path). `path` is unchanged.
    CString ResolveShortcut(CString& path);

    // 0: a dropped regular file is taken (the program's mode); non-zero: a dropped folder.
    BOOL m_bFolderMode = FALSE;

private:
    int OnCreate(LPCREATESTRUCTA createStruct);
    void OnDropFiles(HDROP hDrop);
};
