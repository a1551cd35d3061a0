#include "tests/e2e/E2eSupport.h"

#include <chrono>
#include <cstdlib>

std::string ChimoExePath() {
    const char* path = std::getenv("CHIMO_EXE");
    std::string p = path ? path : "CHIMO.EXE";
    if (!p.empty() && p[0] == '/') {
        for (char& c : p)
            if (c == '/')
                c = '\\';
        p = "Z:" + p;
    }
    return p;
}

bool ChimoProcess::running() const {
    return info.hProcess && ::WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT;
}

bool ChimoProcess::WaitForExit(DWORD ms) const {
    return !info.hProcess || ::WaitForSingleObject(info.hProcess, ms) == WAIT_OBJECT_0;
}

void ChimoProcess::Close() {
    if (info.hProcess)
        ::CloseHandle(info.hProcess);
    if (info.hThread)
        ::CloseHandle(info.hThread);
    info = {};
}

ChimoProcess StartChimo() {
    ChimoProcess process;
    std::string exe = ChimoExePath();
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &process.info);
    return process;
}

std::vector<InstanceWindow> ChimoWindows() {
    std::vector<InstanceWindow> found;
    for (HWND hwnd = nullptr; (hwnd = ::FindWindowExA(nullptr, hwnd, "#32770", "CHIMO!"));) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hwnd, &pid);
        found.push_back({hwnd, pid});
    }
    return found;
}

void PumpFor(DWORD ms) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (std::chrono::steady_clock::now() < until);
}

HWND WaitForMainWindow(const ChimoProcess& process, DWORD ms) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until && process.running()) {
        for (const InstanceWindow& w : ChimoWindows())
            if (w.processId == process.info.dwProcessId)
                return w.hwnd;
        PumpFor(50);
    }
    return nullptr;
}

void StopAllChimos() {
    for (int pass = 0; pass < 50; ++pass) {
        std::vector<InstanceWindow> windows = ChimoWindows();
        if (windows.empty())
            return;
        for (const InstanceWindow& w : windows) {
            DWORD_PTR ignored;
            ::SendMessageTimeoutA(w.hwnd, WM_DESTROY, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        }
        PumpFor(100);
    }
}
