// The quarter-hour chime.
#include "main/ChimeDlg.h"

void CChimeDlg::ChimeTick(UINT_PTR) { Default(); }
