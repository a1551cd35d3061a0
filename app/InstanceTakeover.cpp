#include "app/InstanceTakeover.h"

#include "main/ChimeDlg.h"
#include "main/InstanceMark.h"
#include "platform/Platform.h"

#include "framework/CWinApp.h"
#include "framework/ScopedWin.h"

#include <cstring>
#include <string>

namespace {

// Held by the running instance of this user session for its whole life.
const wchar_t kInstanceLock[] = L"Local\\CHIMO!.Instance";

// An instance: marked as one, or a CHIMO.EXE from before the mark (its settings window, of the
// dialog class, is its main window).
bool IsInstance(HWND hwnd, DWORD processId) {
    if (HasInstanceMark(hwnd))
        return true;
    if (!IsDialogWindow(hwnd))
        return false;
    const CString image = ProcessImagePath(processId);
    const char* name = std::strrchr(image, '\\');
    return !lstrcmpiW(WideText(name ? name + 1 : static_cast<const char*>(image)), L"CHIMO.EXE");
}

DWORD MsUntil(DWORD deadline) {
    const DWORD left = deadline - ::GetTickCount();
    return static_cast<LONG>(left) > 0 ? left : 0;
}

// Asks the instance behind `hwnd` to save and exit, and waits until its process has ended.
void CloseInstance(HWND hwnd, DWORD deadline) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hwnd, &processId);
    CHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId));
    DWORD_PTR ignored = 0;
    // A hung instance fails the send at once; a busy one gets the rest of the time.
    ::SendMessageTimeoutW(hwnd, WM_DESTROY, 0, 0, SMTO_ABORTIFHUNG, MsUntil(deadline), &ignored);
    if (!process)
        return;
    if (::WaitForSingleObject(process.get(), MsUntil(deadline)) == WAIT_TIMEOUT) {
        ::TerminateProcess(process.get(), 1);
        ::WaitForSingleObject(process.get(), 1000);
        // Its icon would stay in the tray until the pointer passed over it.
        NOTIFYICONDATAW icon{};
        icon.cbSize = sizeof icon;
        icon.hWnd = hwnd;
        // Every version's id: a newer instance removes the icon of one it had to end.
        icon.uID = ID_TRAY_ICON;
        Platform().Notify(NIM_DELETE, &icon);
    }
}

} // namespace

std::vector<HWND> FindOtherInstances() {
    std::vector<HWND> found;
    const DWORD ownId = ::GetCurrentProcessId();
    // FindWindowEx walks every top-level window with the exact title, hidden ones included.
    for (HWND hwnd = nullptr;
         (hwnd = ::FindWindowExW(nullptr, hwnd, nullptr, kInstanceWindowTitle)) != nullptr;) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(hwnd, &processId);
        if (processId != ownId && IsInstance(hwnd, processId))
            found.push_back(hwnd);
    }
    return found;
}

void CloseOtherInstances() {
    const DWORD deadline = ::GetTickCount() + kTakeoverWaitMs;
    // More than one pass only when instances start while this one looks; each pass closes
    // what it found, and the deadline bounds them all.
    for (int pass = 0; pass < 10; ++pass) {
        const std::vector<HWND> instances = FindOtherInstances();
        if (instances.empty())
            return;
        for (HWND hwnd : instances)
            CloseInstance(hwnd, deadline);
    }
}

CHandle TakeOverInstanceLock() {
    CHandle lock(::CreateMutexW(nullptr, FALSE, kInstanceLock));
    const DWORD deadline = ::GetTickCount() + 3 * kTakeoverWaitMs;
    for (;;) {
        // A running instance lets go of the lock as it ends; one that is still starting has
        // no window to be found yet, and is looked for again a moment later.
        CloseOtherInstances();
        if (!lock)
            return lock;
        const DWORD got = ::WaitForSingleObject(lock.get(), 250);
        if (got == WAIT_OBJECT_0 || got == WAIT_ABANDONED || MsUntil(deadline) == 0)
            return lock;
    }
}
