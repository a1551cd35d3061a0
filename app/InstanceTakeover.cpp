#include "app/InstanceTakeover.h"

#include "InstanceMatch.h"

#include <string>

namespace {

std::string ProcessImage(DWORD processId) {
    std::string image;
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return image;
    char path[MAX_PATH * 4];
    DWORD size = sizeof path;
    if (::QueryFullProcessImageNameA(process, 0, path, &size))
        image.assign(path, size);
    ::CloseHandle(process);
    return image;
}

std::string OwnImage() {
    char path[MAX_PATH * 4];
    DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, n < sizeof path ? n : 0);
}

std::string WindowString(HWND hwnd, bool className) {
    char text[256];
    int n = className ? ::GetClassNameA(hwnd, text, sizeof text)
                      : ::GetWindowTextA(hwnd, text, sizeof text);
    return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
}

} // namespace

std::vector<HWND> FindOtherInstances() {
    std::vector<HWND> found;
    const std::string own = OwnImage();
    const DWORD ownId = ::GetCurrentProcessId();
    // FindWindowEx walks every top-level window with the title, hidden ones included.
    for (HWND hwnd = nullptr;
         (hwnd = ::FindWindowExA(nullptr, hwnd, nullptr, kInstanceWindowTitle)) != nullptr;) {
        WindowFacts facts;
        facts.title = WindowString(hwnd, false);
        facts.className = WindowString(hwnd, true);
        DWORD processId = 0;
        ::GetWindowThreadProcessId(hwnd, &processId);
        facts.processId = processId;
        if (processId != ownId)
            facts.processImage = ProcessImage(processId);
        if (IsOtherInstanceWindow(facts, own, ownId))
            found.push_back(hwnd);
    }
    return found;
}

void CloseOtherInstances() {
    for (int pass = 0; pass < kMaxTakeoverPasses; ++pass) {
        std::vector<HWND> instances = FindOtherInstances();
        if (instances.empty())
            return;
        for (HWND hwnd : instances) {
            DWORD_PTR ignored = 0;
            ::SendMessageTimeoutA(hwnd, WM_DESTROY, 0, 0, SMTO_NOTIMEOUTIFNOTHUNG,
                                  kTakeoverSendTimeoutMs, &ignored);
        }
        // The old instance ends its modal run on the message; its window goes a moment later.
        ::Sleep(kTakeoverPauseMs);
    }
}
