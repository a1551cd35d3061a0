#pragma once
#include <windows.h>

#include <vector>

// The title by which instances find each other; the settings window never changes it.
constexpr const char kInstanceWindowTitle[] = "CHIMO!";

// Marks `hwnd` as the main window of a running instance. The mark is a window property, which
// other processes can read without the window's help (even while it is busy), and which no
// other program's window titled "CHIMO!" carries, whatever its file is called.
void MarkInstanceWindow(HWND hwnd);
void UnmarkInstanceWindow(HWND hwnd);

// The marked top-level windows titled "CHIMO!" of other processes.
std::vector<HWND> FindOtherInstances();

// Makes every running instance save and exit before this one starts: each is sent WM_DESTROY
// and then waited for until its process has ended. The whole wait is bounded: an instance
// that has not ended by then (its thread is hung, or blocked in a long chime) is terminated,
// so that two instances never chime side by side.
void CloseOtherInstances();

constexpr DWORD kTakeoverWaitMs = 8000;
