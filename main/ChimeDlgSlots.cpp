// The four sound slots: Browse, Play, the locks and the check on OK. A slot's text in its
// edit field is the slot's whole state.
#include "main/ChimeDlg.h"

#include "SlotFile.h"
#include "app/SlotSoundService.h"

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
    auto check = [this](int editId, const char* caption) {
        CString text;
        GetDlgItemText(editId, text);
        if (!ValidateSoundFile(caption, text))
            SetDlgItemText(editId, "");
    };
    check(IDC_SOUND_HOUR, "Error: Top Of The Hour");
    if (m_chkDisableSecondary.GetCheck() != 0)
        return;
    check(IDC_SOUND_QUARTER_AFTER, "Error: Quarter After");
    if (m_chkUseSame.GetCheck() != 0)
        return;
    check(IDC_SOUND_HALF_PAST, "Error: Half Past");
    check(IDC_SOUND_QUARTER_TIL, "Error: Quarter 'Til");
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

void CChimeDlg::BrowseSlot(int editId, const char* title) {
    CString text;
    GetDlgItemText(editId, text);
    BrowseForSound(title, text);
    if (!text.IsEmpty())
        SetDlgItemText(editId, text);
}

void CChimeDlg::PlaySlot(int editId) {
    CString text;
    GetDlgItemText(editId, text);
    AfxGetApp()->Sound().Play(text, nullptr, SND_FILENAME | SND_NODEFAULT | SND_ASYNC);
}

void CChimeDlg::OnBrowseHour() { BrowseSlot(IDC_SOUND_HOUR, "CHIMO! Top Of The Hour"); }
void CChimeDlg::OnBrowseQuarterAfter() { BrowseSlot(IDC_SOUND_QUARTER_AFTER, "CHIMO! Quarter After"); }
void CChimeDlg::OnBrowseHalfPast() { BrowseSlot(IDC_SOUND_HALF_PAST, "CHIMO! Half Past"); }
void CChimeDlg::OnBrowseQuarterTil() { BrowseSlot(IDC_SOUND_QUARTER_TIL, "CHIMO! Quarter Til"); }
void CChimeDlg::OnPlayHour() { PlaySlot(IDC_SOUND_HOUR); }
void CChimeDlg::OnPlayQuarterAfter() { PlaySlot(IDC_SOUND_QUARTER_AFTER); }
void CChimeDlg::OnPlayHalfPast() { PlaySlot(IDC_SOUND_HALF_PAST); }
void CChimeDlg::OnPlayQuarterTil() { PlaySlot(IDC_SOUND_QUARTER_TIL); }
