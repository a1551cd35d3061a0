#include "main/Microphone.h"

#include "core/Quiet.h"
#include "framework/Afx.h"
#include "platform/Platform.h"
#include "framework/ScopedWin.h"

#include <tlhelp32.h>

#include <cwchar>

namespace {
const char kStore[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\CapabilityAccessManager\\ConsentStore\\"
    "microphone";
const char kClassic[] = "NonPackaged";

bool ReadTime(HKEY key, const wchar_t* name, unsigned long long& value) {
    DWORD type = 0, size = sizeof value;
    return ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
               ERROR_SUCCESS &&
           type == REG_QWORD && size == sizeof value;
}

// The records below `parent`: Store apps (by package family), or (`classic`) the classic
// programs (by key name).
void ReadUses(HKEY parent, bool classic, std::vector<MicrophoneUse>& uses) {
    for (DWORD i = 0;; ++i) {
        // The longest key name there can be (255 characters, a program's path among them, so
        // in any script), and its terminator.
        wchar_t name[255 + 1];
        DWORD length = 255 + 1;
        const LONG result =
            ::RegEnumKeyExW(parent, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            return;
        if (!classic && !lstrcmpiW(name, WideText(kClassic)))
            continue;
        CRegKey key;
        MicrophoneUse use;
        const std::string utf8 = Utf8(name, static_cast<int>(length)).str();
        if (key.Open(parent, utf8.c_str()) != ERROR_SUCCESS ||
            !ReadTime(key, L"LastUsedTimeStart", use.start) ||
            !ReadTime(key, L"LastUsedTimeStop", use.stop))
            continue;
        (classic ? use.program : use.package) = utf8;
        uses.push_back(use);
    }
}

// Whether a process runs whose program's path, written as the store writes it in a key name,
// is `keyName`. The path is encoded, never the key name decoded: a "#" of a path stays one.
bool ProgramRunning(const std::string& keyName) {
    CHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    const WideText key(keyName);
    for (BOOL more = snapshot && ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry)) {
        // Only a process whose file the key name ends with is looked at closer.
        const size_t file = std::wcslen(entry.szExeFile);
        if (file >= key.size() || key[key.size() - file - 1] != L'#' ||
            lstrcmpiW(key.get() + key.size() - file, entry.szExeFile))
            continue;
        const CString image = ProcessImagePath(entry.th32ProcessID);
        if (!image.IsEmpty() && !lstrcmpiW(WideText(KeyNameOf(image.str())), key))
            return true;
    }
    return false;
}
} // namespace

bool MicrophoneInUseNow(long long nowUtc) {
    CRegKey store, classic;
    if (store.Open(HKEY_CURRENT_USER, kStore, KEY_READ) != ERROR_SUCCESS)
        return false;
    std::vector<MicrophoneUse> uses;
    ReadUses(store, false, uses);
    if (classic.Open(store, kClassic, KEY_READ) == ERROR_SUCCESS)
        ReadUses(classic, true, uses);
    const unsigned long long now =
        static_cast<unsigned long long>(nowUtc + 11644473600LL) * 10000000ull;
    IPlatform& platform = Platform();
    return MicrophoneInUse(uses, now, [&](const MicrophoneUse& use) {
        return use.package.empty() ? ProgramRunning(use.program)
                                   : platform.PackageRunning(use.package.c_str());
    });
}
