#pragma once
#include <windows.h>

#include <vector>

// Top-level windows of other running instances of this program (see IsOtherInstanceWindow).
std::vector<HWND> FindOtherInstances();

// Makes every running instance save and exit: each gets WM_DESTROY, sent synchronously, so it
// has saved before this returns. Passes repeat, a short pause apart, until none is left, with a
// bound so that a window that survives the message cannot keep the new instance from starting.
void CloseOtherInstances();

constexpr int kMaxTakeoverPasses = 100;
constexpr DWORD kTakeoverPauseMs = 50;
// How long one instance may take to handle the message while it is still responsive.
constexpr UINT kTakeoverSendTimeoutMs = 20000;
