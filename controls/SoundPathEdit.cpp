#include "controls/SoundPathEdit.h"

#include "SlotFile.h"

#include <shlobj.h>
#include <sys/stat.h>
#include <sys/types.h>

const MessageMap& CSoundPathEdit::GetMessageMap() const {
    static const MessageMap map{&CWnd::GetMessageMap(),
                                {
                                    on::Message<WM_CREATE>(&CSoundPathEdit::OnCreate),
                                    on::Message<WM_DROPFILES>(&CSoundPathEdit::OnDropFiles),
                                }};
    return map;
}

// Only for a field this object creates itself; template fields carry WS_EX_ACCEPTFILES.
int CSoundPathEdit::OnCreate(LPCREATESTRUCTA) {
    if (Default() == -1)
        return -1;
    DragAcceptFiles(TRUE);
    return 0;
}

void CSoundPathEdit::OnDropFiles(HDROP hDrop) {
    CString path;
    const UINT count = ::DragQueryFileA(hDrop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileA(hDrop, i, nullptr, 0);
        HLOCAL buffer = ::LocalAlloc(LMEM_ZEROINIT, length + 1);
        if (!buffer)
            continue;
        char* name = static_cast<char*>(buffer);
        ::DragQueryFileA(hDrop, i, name, length + 1);
        if (path.IsEmpty())
            path = CString(name, static_cast<int>(length));
        ::LocalFree(buffer);
    }
    ::DragFinish(hDrop);

    // No file function takes a longer name: such a drop is treated as one that is not there,
    // rather than cut down to the name of some other file.
    if (path.IsEmpty() || static_cast<size_t>(path.GetLength()) > kMaxPathLength)
        return;
    CString target = ResolveShortcut(path);
    if (!target.IsEmpty())
        path = target;

    struct _stat info {};
    if (::_stat(path, &info) != 0)
        return;
    if (info.st_mode & _S_IFDIR) {
        if (m_bFolderMode)
            SetWindowText(path);
        return;
    }
    if ((info.st_mode & _S_IFREG) && !m_bFolderMode) {
        path.MakeUpper();
        if (path.Right(3) == "WAV") {
            SetWindowText(path);
            return;
        }
        if (MessageBox("This file does not appear to be a WAV file.\nWould you still like to use "
                       "this file?",
                       "CHIMO!: Warning...", MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
            SetWindowText(path);
    }
}

namespace {
// The shell-link class and interfaces, defined here rather than taken from the uuid import
// library, whose one object file brings some 40 KB of other GUIDs along.
const CLSID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
} // namespace

CString CSoundPathEdit::ResolveShortcut(CString& path) {
    CString result;
    if (static_cast<size_t>(path.GetLength()) > kMaxPathLength)
        return result;
    IShellLinkA* link = nullptr;
    if (FAILED(::CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkA,
                                  reinterpret_cast<void**>(&link))))
        return result;
    IPersistFile* file = nullptr;
    if (FAILED(link->QueryInterface(kIidPersistFile, reinterpret_cast<void**>(&file)))) {
        link->Release();
        return result;
    }
    WCHAR widePath[MAX_PATH] = L"";
    if (::MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) > 0 &&
        SUCCEEDED(file->Load(widePath, STGM_READ))) {
        char target[MAX_PATH] = "";
        WIN32_FIND_DATAA data{};
        link->GetPath(target, MAX_PATH, &data, SLGP_UNCPRIORITY);
        target[MAX_PATH - 1] = '\0';
        result = target;
    }
    file->Release();
    link->Release();
    return result;
}
