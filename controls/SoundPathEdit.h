#pragma once
#include "framework/Afx.h"

// The edit field of a sound slot. A file dropped on it from the shell becomes its text: the
// first file of the drop, a shortcut followed to its target, kept only when it is a regular file
// whose name ends in WAV (or the user says to keep it). Template fields carry WS_EX_ACCEPTFILES.
class CSoundPathEdit : public CEdit {
public:
    const MessageMap& GetMessageMap() const override;

private:
    void OnDropFiles(HDROP hDrop);
};
