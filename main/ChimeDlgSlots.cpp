// The four sound slots: Browse, Play, the locks and the check on OK. A slot's text in its
// edit field is the slot's whole state.
#include "main/ChimeDlg.h"
#include "core/Texts.h"

#include "core/SlotFile.h"
#include "main/SoundSlots.h"

#include <mmsystem.h>

#include <string>

void CChimeDlg::BrowseForSound(const char* caption, CString& text) {
    CFileDialog dialog("Sounds (*.wav)|*.wav||");
    dialog.m_ofn.lpstrTitle = caption;
    const std::string windows = WindowsDirectory();
    const std::string folder = BrowseStartFolder(text.str(), windows);
    dialog.m_ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    if (!Platform().GetOpenFileName(&dialog.m_ofn))
        return;

    const CString chosen = dialog.GetPathName();
    if (FileFound(BrowsedFile(chosen.str(), windows))) {
        text = chosen;
        return;
    }
    if (MessageBox(kFileNotFound, kWarningCaption, MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
        PlayCue(IDW_CUE_YES);
        text = chosen;
    } else {
        PlayCue(IDW_CUE_NO);
    }
}

BOOL CChimeDlg::ValidateSoundFile(const char* caption, const CString& text) {
    if (!SlotNamesFile(text.str()) || !FindSlotFile(text.str()).empty())
        return TRUE;
    if (MessageBox(kFileNotFound, caption, MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
        PlayCue(IDW_CUE_YES);
        return TRUE;
    }
    PlayCue(IDW_CUE_NO);
    return FALSE;
}

void CChimeDlg::ValidateSlotFiles() {
    // Exactly the slots in use, in order.
    const ChimeOptions options = Options();
    for (const SoundSlotInfo& slot : kSoundSlots) {
        if (!SlotInUse(slot.slot, options))
            continue;
        CString text;
        GetDlgItemText(slot.edit, text);
        if (!ValidateSoundFile(slot.caption, text))
            SetDlgItemText(slot.edit, "");
    }
}

// Both boxes' handlers, and every load, derive the locks from the two boxes as they stand.
// Derived rather than toggled, so no earlier state of either box can leave a lock behind. A
// locked slot keeps its text: its edit is read-only and its buttons are disabled.
void CChimeDlg::ApplyDisableSecondary() { LockSecondarySlots(); }

void CChimeDlg::ApplyUseSame() { LockSecondarySlots(); }

void CChimeDlg::LockSecondarySlots() {
    const ChimeOptions options = Options();
    for (int i = 0; i < 4; ++i) {
        const BOOL used = SlotInUse(kSoundSlots[i].slot, options);
        m_editSlot[i].SetReadOnly(!used);
        m_btnBrowse[i].EnableWindow(used);
        m_btnPlay[i].EnableWindow(used);
    }
}

void CChimeDlg::OnBrowse(UINT id) {
    const SoundSlotInfo* slot = SlotByButton(static_cast<int>(id));
    if (!slot)
        return;
    CString text;
    GetDlgItemText(slot->edit, text);
    BrowseForSound(slot->browseTitle, text);
    if (!text.IsEmpty())
        SetDlgItemText(slot->edit, text);
}

void CChimeDlg::OnPlay(UINT id) {
    if (const SoundSlotInfo* slot = SlotByButton(static_cast<int>(id)))
        m_player.PlayNow(SlotText(slot->slot), Volume());
}
