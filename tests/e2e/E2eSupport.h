#pragma once
// Starting the real CHIMO.EXE and watching it from outside, as a user's system would see it.
#include <windows.h>

#include <string>
#include <vector>

// The program under test: $CHIMO_EXE (a Unix path is mapped to Wine's Z: drive).
std::string ChimoExePath();

struct ChimoProcess {
    PROCESS_INFORMATION info{};
    bool running() const;
    bool WaitForExit(DWORD ms) const;
    void Close();
};

// Starts CHIMO.EXE; `arguments` are ignored by the program but mark the command line.
ChimoProcess StartChimo();

// Top-level windows titled "CHIMO!" of the dialog class, with their process ids.
struct InstanceWindow {
    HWND hwnd;
    DWORD processId;
};
std::vector<InstanceWindow> ChimoWindows();

// Pumps this thread's messages for `ms` milliseconds.
void PumpFor(DWORD ms);

// Waits (pumping this thread's messages) until `process` has its hidden main window.
HWND WaitForMainWindow(const ChimoProcess& process, DWORD ms = 20000);

// Ends every CHIMO! instance the way a newer one would, and waits for them to go.
void StopAllChimos();
