#include "main/SoundSlots.h"

#include "framework/Afx.h"
#include "res/resource.h"
#include "settings/SoundScheme.h"

// The key paths are fixed; "Quarter Til" has no apostrophe.
const SoundSlotInfo kSoundSlots[4] = {
    {SoundSlot::Hour, IDC_SOUND_HOUR, IDC_BROWSE_HOUR, IDC_PLAY_HOUR,
     "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:00) Hourly", "Hour", IDS_BROWSE_HOUR, IDS_MISSING_HOUR},
    {SoundSlot::QuarterAfter, IDC_SOUND_QUARTER_AFTER, IDC_BROWSE_QUARTER_AFTER,
     IDC_PLAY_QUARTER_AFTER, "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:15) Quarter After",
     "Quarter_After", IDS_BROWSE_QUARTER_AFTER, IDS_MISSING_QUARTER_AFTER},
    {SoundSlot::HalfPast, IDC_SOUND_HALF_PAST, IDC_BROWSE_HALF_PAST, IDC_PLAY_HALF_PAST,
     "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:30) Half Past", "Half_Past", IDS_BROWSE_HALF_PAST,
     IDS_MISSING_HALF_PAST},
    {SoundSlot::QuarterTil, IDC_SOUND_QUARTER_TIL, IDC_BROWSE_QUARTER_TIL, IDC_PLAY_QUARTER_TIL,
     "AppEvents\\Schemes\\Apps\\CHIMO!\\(XX:45) Quarter Til", "Quarter_Til", IDS_BROWSE_QUARTER_TIL,
     IDS_MISSING_QUARTER_TIL},
};

const SoundSlotInfo& SlotInfo(SoundSlot slot) { return kSoundSlots[static_cast<int>(slot)]; }

const SoundSlotInfo* SlotByButton(int id) {
    for (const SoundSlotInfo& info : kSoundSlots)
        if (info.browse == id || info.play == id)
            return &info;
    return nullptr;
}

CString StoredSlotSound(const SoundSlotInfo& slot) {
    CWinApp* app = AfxGetApp();
    return app->IsPortable() ? app->GetProfileString("Sounds", slot.entry)
                             : LoadSchemeSound(slot.key);
}

void StoreSlotSound(const SoundSlotInfo& slot, const std::string& text) {
    CWinApp* app = AfxGetApp();
    if (!app->IsPortable()) {
        SaveSchemeSound(slot.key, text.c_str());
        return;
    }
    // Inside the program's folder, by its path from there: the drive may change.
    const std::string& folder = app->ProgramFolder().str();
    const bool inside = text.size() > folder.size() && !folder.empty() &&
                        !lstrcmpiW(WideText(text.substr(0, folder.size())), WideText(folder));
    app->WriteProfileString("Sounds", slot.entry,
                            inside ? text.substr(folder.size()).c_str() : text.c_str());
}

// The message map routes the Browse and Play buttons as two ranges of ids.
static_assert(IDC_BROWSE_QUARTER_TIL - IDC_BROWSE_HOUR == 3 &&
                  IDC_PLAY_QUARTER_TIL - IDC_PLAY_HOUR == 3,
              "the slots' buttons have consecutive ids");
