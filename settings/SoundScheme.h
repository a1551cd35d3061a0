#pragma once
// The current user's sound-scheme registry keys: one per slot, so that the sounds also show in
// the system's sound settings.
#include "framework/CString.h"

// The sound chosen under scheme key `key` (below HKEY_CURRENT_USER; made when it is missing):
// its ".current", or the installer's ".Default" while there is no ".current" yet; "" for none.
CString LoadSchemeSound(const char* key);
// Stores `text` as the ".current" of scheme key `key`, when the key is there.
void SaveSchemeSound(const char* key, const char* text);
// Whether an old version's keys ("Hourly CHIMO!" and "Quarter Hourly CHIMO!") are there, and
// their removal.
bool LegacyEntriesPresent();
void RemoveLegacyKeys();
