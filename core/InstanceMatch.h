#pragma once
// Which top-level windows belong to another running instance of this program.

#include <string>

// The title by which instances find each other; the settings window never changes it.
constexpr const char* kInstanceWindowTitle = "CHIMO!";
// The class of every dialog window.
constexpr const char* kDialogClassName = "#32770";

struct WindowFacts {
    std::string title;
    std::string className;
    std::string processImage; // full path of the owning process's executable; empty if unknown
    unsigned long processId = 0;
};

// A window of another instance: the exact title, a dialog, in another process whose executable
// has the same file name as ours. A stranger's window titled "CHIMO!" is never closed.
bool IsOtherInstanceWindow(const WindowFacts& window, const std::string& ownImage,
                           unsigned long ownProcessId);
