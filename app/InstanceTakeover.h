#pragma once
#include "framework/ScopedWin.h"

#include <windows.h>

#include <vector>

// The top-level windows titled "CHIMO!" of other processes that are instances: marked as
// such, or the settings window of a CHIMO.EXE from before the mark.
std::vector<HWND> FindOtherInstances();

// Makes every running instance save and exit before this one starts: each is sent WM_DESTROY
// and then waited for until its process has ended. The whole wait is bounded: an instance
// that has not ended by then (its thread is hung, or blocked in a long chime) is terminated,
// so that two instances never chime side by side.
void CloseOtherInstances();

constexpr DWORD kTakeoverWaitMs = 8000;

// Makes this the one instance of the user session: takes over every running instance as
// CloseOtherInstances does, and then holds the session's instance lock, which the running
// instance holds for its whole life. Two instances started at the same moment cannot both
// run: the one that waits for the lock takes the other over once its window is there. Gives
// up waiting after three takeovers' time and runs all the same. The lock is held while the
// handle is.
CHandle TakeOverInstanceLock();
