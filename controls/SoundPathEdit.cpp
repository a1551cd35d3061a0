#include "controls/SoundPathEdit.h"
#include "core/Texts.h"

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
const IID kIidShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
// The target path stored in the shell shortcut `path`, or empty when `path` is not a readable
// shortcut (or names no file, or is too long for a path).
CString ResolveShortcut(const CString& path) {
    CString result;
    if (!FitsPath(path.str()))
        return result;
    CComPtr<IShellLinkA> link;
    CComPtr<IPersistFile> file;
    if (FAILED(::CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkA,
                                  link.Receive())) ||
        FAILED(link->QueryInterface(kIidPersistFile, file.Receive())))
        return result;
    WCHAR widePath[MAX_PATH] = L"";
    if (::MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) > 0 &&
        SUCCEEDED(file->Load(widePath, STGM_READ))) {
        // Room for a whole path in UTF-8, up to three bytes for each of its characters.
        char target[kMaxPathBytes] = "";
        WIN32_FIND_DATAA data{};
        link->GetPath(target, kMaxPathBytes, &data, SLGP_UNCPRIORITY);
        target[kMaxPathBytes - 1] = '\0';
        result = target;
    }
    return result;
}
} // namespace

void CSoundPathEdit::OnDropFiles(HDROP hDrop) {
    CString path;
    const UINT count = ::DragQueryFileA(hDrop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileA(hDrop, i, nullptr, 0);
        CLocalText name(static_cast<char*>(::LocalAlloc(LMEM_ZEROINIT, length + 1)));
        if (!name)
            continue;
        ::DragQueryFileA(hDrop, i, name.get(), length + 1);
        if (path.IsEmpty())
            path = CString(name.get(), static_cast<int>(length));
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
        if (MessageBox(kNotWavFile, kWarningCaption, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
            SetWindowText(path);
    }
}
