#include "controls/SoundPathEdit.h"
#include "res/resource.h"

#include "core/SlotFile.h"
#include "framework/IsFile.h"
#include "framework/ScopedWin.h"

#include <shlobj.h>

const MessageMap& CSoundPathEdit::GetMessageMap() const {
    static const MessageMap map{&CWnd::GetMessageMap(),
                                {on::Message<WM_DROPFILES>(&CSoundPathEdit::OnDropFiles)}};
    return map;
}

namespace {
// The shell-link class and interfaces, defined here rather than taken from the uuid import
// library, whose one object file brings some 40 KB of other GUIDs along.
const CLSID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidShellLinkW = {0x000214F9, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
// The target path stored in the shell shortcut `path`, or empty when `path` is not a readable
// shortcut (or names no file, or is too long for a path).
CString ResolveShortcut(const CString& path) {
    CString result;
    if (!FitsPath(path.str()))
        return result;
    CComPtr<IShellLinkW> link;
    CComPtr<IPersistFile> file;
    if (FAILED(::CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkW,
                                  link.Receive())) ||
        FAILED(link->QueryInterface(kIidPersistFile, file.Receive())))
        return result;
    if (SUCCEEDED(file->Load(WideText(path.str()), STGM_READ))) {
        wchar_t target[MAX_PATH] = L"";
        WIN32_FIND_DATAW data{};
        link->GetPath(target, MAX_PATH, &data, SLGP_UNCPRIORITY);
        target[MAX_PATH - 1] = L'\0';
        result = Utf8(target);
    }
    return result;
}
} // namespace

void CSoundPathEdit::OnDropFiles(HDROP hDrop) {
    CString path;
    const UINT count = ::DragQueryFileW(hDrop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count && path.IsEmpty(); ++i) {
        const UINT length = ::DragQueryFileW(hDrop, i, nullptr, 0);
        std::vector<wchar_t> name(length + 1, L'\0');
        const UINT copied = ::DragQueryFileW(hDrop, i, name.data(), length + 1);
        path = Utf8(name.data(), static_cast<int>(copied));
    }
    ::DragFinish(hDrop);

    // No file function takes a longer name: such a drop is treated as one that is not there,
    // rather than cut down to the name of some other file.
    if (path.IsEmpty() || !FitsPath(path.str()))
        return;
    CString target = ResolveShortcut(path);
    if (!target.IsEmpty())
        path = target;

    if (IsFile(path)) {
        path.MakeUpper();
        if (path.Right(3) == "WAV") {
            SetWindowText(path);
            return;
        }
        if (MessageBox(LoadText(IDS_NOT_WAV_FILE), LoadText(IDS_WARNING_CAPTION),
                       MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
            SetWindowText(path);
    }
}
