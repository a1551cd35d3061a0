// The four sound slots: Browse, Play, the locks and the check on OK. A slot's text in its
// edit field is the slot's whole state.
#include "main/ChimeDlg.h"
#include "core/Texts.h"

#include "core/SlotFile.h"
#include "main/SoundSlots.h"

#include "sound/SoundPlayer.h"

#include <mmsystem.h>

#include <string>

void CChimeDlg::BrowseForSound(const char* caption, CString& text) {
    CFileDialog dialog(LoadText(IDS_SOUND_FILTER));
    dialog.SetTitle(caption);
    const std::string windows = WindowsDirectory();
    dialog.SetInitialFolder(BrowseStartFolder(text.str(), windows).c_str());
    if (!Platform().GetOpenFileName(&dialog.m_ofn))
        return;

    const CString chosen = dialog.GetPathName();
    if (FileFound(BrowsedFile(chosen.str(), windows))) {
        text = chosen;
        return;
    }
    if (MessageBox(LoadText(IDS_FILE_NOT_FOUND), LoadText(IDS_WARNING_CAPTION),
                   MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
        PlayResource(IDW_CUE_YES);
        text = chosen;
    } else {
        PlayResource(IDW_CUE_NO);
    }
}

BOOL CChimeDlg::ValidateSoundFile(const char* caption, const CString& text) {
    if (!SlotNamesFile(text.str()) || !FindSlotFile(text.str()).empty())
        return TRUE;
    if (MessageBox(LoadText(IDS_FILE_NOT_FOUND), caption, MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
        PlayResource(IDW_CUE_YES);
        return TRUE;
    }
    PlayResource(IDW_CUE_NO);
    return FALSE;
}

void CChimeDlg::ValidateSlotFiles() {
    // Exactly the slots in use, in order.
    const ChimeOptions options = SettingsView(m_hWnd).Options();
    for (const SoundSlotInfo& slot : kSoundSlots) {
        if (!SlotInUse(slot.slot, options))
            continue;
        CString text;
        GetDlgItemText(slot.edit, text);
        if (!ValidateSoundFile(LoadText(slot.caption), text))
            SetDlgItemText(slot.edit, "");
    }
}

// Derived from the two boxes rather than toggled, so no earlier state of either box can leave
// a lock behind. A locked slot keeps its text: its edit is read-only and its buttons are
// disabled.
void CChimeDlg::LockSecondarySlots() {
    const ChimeOptions options = SettingsView(m_hWnd).Options();
    // The two boxes shape Westminster's quarters only.
    for (int box : {IDC_USE_SAME, IDC_DISABLE_SECONDARY})
        ::EnableWindow(::GetDlgItem(m_hWnd, box), options.pattern == Pattern::Westminster);
    for (int i = 0; i < 4; ++i) {
        const BOOL used = SlotInUse(kSoundSlots[i].slot, options);
        m_slots[i].field.SetReadOnly(!used);
        m_slots[i].browse.EnableWindow(used);
        m_slots[i].play.EnableWindow(used);
    }
}

void CChimeDlg::OnPatternChosen() {
    // The way chosen gets its bells where a slot it strikes is empty or still holds a bundled
    // sound (of another way): a sound the user chose stays.
    const std::string folder = BundledFolder();
    const SettingsView view(m_hWnd);
    const Pattern pattern = view.Options().pattern;
    for (const SoundSlotInfo& slot : kSoundSlots) {
        const char* bell = BundledBell(pattern, slot.slot);
        const std::string text = view.SlotText(slot.slot);
        const std::string::size_type cut = text.find_last_of('\\');
        const std::string name = cut == std::string::npos ? text : text.substr(cut + 1);
        const bool bundled = cut != std::string::npos && IsBundledName(name.c_str()) &&
                             !lstrcmpiW(WideText(text.substr(0, cut + 1)), WideText(folder));
        if (bell && (text.empty() || bundled) && FileFound(folder + bell))
            SetDlgItemText(slot.edit, (folder + bell).c_str());
    }
    LockSecondarySlots();
}

void CChimeDlg::OnBrowse(UINT id) {
    const SoundSlotInfo* slot = SlotByButton(static_cast<int>(id));
    if (!slot)
        return;
    CString text;
    GetDlgItemText(slot->edit, text);
    BrowseForSound(LoadText(slot->browseTitle), text);
    if (!text.IsEmpty())
        SetDlgItemText(slot->edit, text);
}

void CChimeDlg::OnPlay(UINT id) {
    if (const SoundSlotInfo* slot = SlotByButton(static_cast<int>(id)))
        m_player.PlayNow(SettingsView(m_hWnd).SlotText(slot->slot), SettingsView(m_hWnd).Volume());
}
