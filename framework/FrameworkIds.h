#pragma once
// The string resources the framework itself shows, which the application's resources supply
// (#define lines only: the resource compiler reads this too). MFC's own range.

// Said when an exception reached a window procedure; the exception's words follow.
#define AFX_IDS_INTERNAL_ERROR 0xF100
// A settings file that cannot be written (%1 its path): what the program does instead.
#define AFX_IDS_CANNOT_SAVE 0xF101
