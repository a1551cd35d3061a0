#pragma once
#include <windows.h>

// The title by which instances find each other; the settings window never changes it.
constexpr const wchar_t kInstanceWindowTitle[] = L"CHIMO!";

// Marks `hwnd` as the main window of a running instance. The mark is a window property, which
// other processes can read without the window's help (even while it is busy), and which no
// other program's window titled "CHIMO!" carries, whatever its file is called.
void MarkInstanceWindow(HWND hwnd);
void UnmarkInstanceWindow(HWND hwnd);
bool HasInstanceMark(HWND hwnd);
