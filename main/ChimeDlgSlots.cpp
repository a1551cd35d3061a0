// The four sound slots: Browse, Play, the locks and the check on OK. A slot's text in its
// edit field is the slot's whole state.
#include "main/ChimeDlg.h"

#include "core/SlotFile.h"
#include "app/SlotSoundService.h"
#include "main/SoundSlots.h"

#include <mmsystem.h>

#include <string>

namespace {
const char kFileNotFound[] =
    "CHIMO! can not find the file specified.\nWould you still like to use this file?";

// Read-only edit and disabled buttons; the text is left as it is.
void LockSlot(CEdit& edit, CButton& browse, CButton& play, int lock) {
    edit.SendMessage(EM_SETREADONLY, static_cast<WPARAM>(lock), 0);
    browse.EnableWindow(lock == 0);
    play.EnableWindow(lock == 0);
}
} // namespace

void CChimeDlg::BrowseForSound(const char* caption, CString& text) {
    CFileDialog dialog(TRUE, nullptr, nullptr, 0, "Sounds (*.wav)|*.wav||", nullptr);
    dialog.m_ofn.lpstrTitle = caption;
    const std::string windows = WindowsDirectory();
    const std::string folder = BrowseStartFolder(text.str(), windows);
    dialog.m_ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    if (dialog.DoModal() != IDOK)
        return;

    const CString chosen = dialog.GetPathName();
    if (FileFound(BrowsedFile(chosen.str(), windows))) {
        text = chosen;
        return;
    }
    if (MessageBox(kFileNotFound, "CHIMO!: Warning...", MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
        PlayCue(IDW_CUE_YES);
        text = chosen;
    } else {
        PlayCue(IDW_CUE_NO);
    }
}

BOOL CChimeDlg::ValidateSoundFile(const char* caption, const CString& text) {
    if (!SlotNamesFile(text.str()))
        return TRUE;
    for (const std::string& name : SlotLookups(text.str(), WindowsDirectory()))
        if (FileFound(name))
            return TRUE;
    if (MessageBox(kFileNotFound, caption, MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
        PlayCue(IDW_CUE_YES);
        return TRUE;
    }
    PlayCue(IDW_CUE_NO);
    return FALSE;
}

void CChimeDlg::ValidateSlotFiles() {
    // Exactly the unlocked slots, in order: the Hour slot always, Quarter After unless the
    // secondary slots are disabled, Half Past and Quarter 'Til unless Use-same holds as well.
    const bool disabled = m_chkDisableSecondary.GetCheck() != 0;
    const bool same = m_chkUseSame.GetCheck() != 0;
    for (const SoundSlotInfo& slot : kSoundSlots) {
        if (slot.slot != SoundSlot::Hour && disabled)
            break;
        if ((slot.slot == SoundSlot::HalfPast || slot.slot == SoundSlot::QuarterTil) && same)
            break;
        CString text;
        GetDlgItemText(slot.edit, text);
        if (!ValidateSoundFile(slot.caption, text))
            SetDlgItemText(slot.edit, "");
    }
}

// Both boxes' handlers, and every load, derive the locks from the two boxes as they stand:
// with Disable-secondary checked all three secondary slots are locked, with only Use-same
// checked Half Past and Quarter 'Til are. Derived rather than toggled, so no earlier state of
// either box can leave a lock behind.
void CChimeDlg::ApplyDisableSecondary() { LockSecondarySlots(); }

void CChimeDlg::ApplyUseSame() { LockSecondarySlots(); }

void CChimeDlg::LockSecondarySlots() {
    const int disabled = m_chkDisableSecondary.GetCheck() != 0;
    const int locked = disabled || m_chkUseSame.GetCheck() != 0;
    LockSlot(m_editQuarterAfter, m_btnBrowseQuarterAfter, m_btnPlayQuarterAfter, disabled);
    LockSlot(m_editHalfPast, m_btnBrowseHalfPast, m_btnPlayHalfPast, locked);
    LockSlot(m_editQuarterTil, m_btnBrowseQuarterTil, m_btnPlayQuarterTil, locked);
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
    const SoundSlotInfo* slot = SlotByButton(static_cast<int>(id));
    if (!slot)
        return;
    CString text;
    GetDlgItemText(slot->edit, text);
    AfxGetApp()->Sound().Play(text, nullptr, SND_FILENAME | SND_NODEFAULT | SND_ASYNC);
}
