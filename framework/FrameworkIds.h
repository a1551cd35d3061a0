#pragma once
// The string resources the framework itself shows, which the application's resources supply
// (#define lines only: the resource compiler reads this too). MFC's own range.

// Said when an exception reached a window procedure; the exception's words follow.
#define AFX_IDS_INTERNAL_ERROR 0xF100
