// The settings store: the sound-scheme registry keys and the private INI profile.
#include "main/ChimeDlg.h"

void CChimeDlg::LoadSettings() {}
void CChimeDlg::SaveSettings() {}
void CChimeDlg::RemoveLegacyEntries() {}
