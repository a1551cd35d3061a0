#include "main/SlotSound.h"

#include "core/SlotFile.h"

#include <mmsystem.h>

#include <algorithm>
#include <utility>

namespace {
// A chime is seconds long; a file larger than this is played as named, never read whole.
constexpr unsigned long long kMaxReadBytes = 64ull << 20;

// The size and time of last change of `file`, mixed into one value that changes with either;
// 0 when the file cannot be looked at.
unsigned long long FileStamp(const std::string& file) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data))
        return 0;
    const unsigned long long written =
        (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime;
    return written ^
           (static_cast<unsigned long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow) *
               0x9E3779B97F4A7C15ull;
}

// The whole file, or nothing when it cannot be read or is too large to be a chime.
std::vector<uint8_t> ReadWholeFile(const std::string& file) {
    std::vector<uint8_t> bytes;
    CHandle handle(::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!handle || !::GetFileSizeEx(handle.get(), &size) || size.QuadPart <= 0 ||
        static_cast<unsigned long long>(size.QuadPart) > kMaxReadBytes)
        return bytes;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!::ReadFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
        got = 0;
    bytes.resize(got);
    return bytes;
}

IPlatform& Sound() { return AfxGetApp()->Platform(); }
} // namespace

std::string WindowsDirectory() {
    char buffer[kMaxPathBytes] = "";
    UINT length = ::GetWindowsDirectoryA(buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer)
        return std::string();
    return std::string(buffer, length);
}

BOOL FileFound(const std::string& name) {
    CFileFind find;
    return find.FindFile(name.c_str()) && !find.IsDirectory();
}

std::string FindSlotFile(const std::string& text) {
    for (const std::string& name : SlotLookups(text, WindowsDirectory()))
        if (FileFound(name))
            return name;
    return std::string();
}

bool SlotPlayer::Prepare(const std::string& text, int volume, unsigned leadInMs) {
    const std::string file = FindSlotFile(text);
    if (file.empty()) {
        m_chime = Prepared();
        return false;
    }
    const unsigned long long stamp = FileStamp(file);
    if (file == m_chime.file && volume == m_chime.volume && leadInMs <= m_chime.leadInMs &&
        stamp == m_chime.stamp)
        return !m_chime.image.IsEmpty();
    m_chime = Prepared();
    m_chime.file = file;
    m_chime.volume = volume;
    m_chime.leadInMs = leadInMs;
    m_chime.stamp = stamp;
    const std::vector<uint8_t> bytes = ReadWholeFile(file);
    m_chime.image = ChimeImage(bytes.data(), bytes.size(), volume, leadInMs);
    return !m_chime.image.IsEmpty();
}

void SlotPlayer::Chime(const std::string& text, int count, int volume, unsigned msToNote,
                       unsigned maxLeadInMs) {
    const bool fromMemory = Prepare(text, volume, maxLeadInMs);
    const unsigned leadIn = fromMemory ? std::min(msToNote, maxLeadInMs) : 0;
    if (msToNote > leadIn)
        ::Sleep(msToNote - leadIn);
    for (int i = 0; i < count; ++i) {
        if (fromMemory) {
            const uint8_t* image = m_chime.image.WithLeadIn(i == 0 ? leadIn : 0);
            Sound().Play(reinterpret_cast<const char*>(image), nullptr, SND_MEMORY | SND_NODEFAULT);
        } else {
            // As named: PlaySound looks for it itself, and plays nothing when it finds nothing.
            const std::string& name = m_chime.file.empty() ? text : m_chime.file;
            Sound().Play(name.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT);
        }
    }
}

void SlotPlayer::PlayNow(const std::string& text, int volume) {
    const std::string file = FindSlotFile(text);
    const std::vector<uint8_t> bytes = file.empty() ? std::vector<uint8_t>() : ReadWholeFile(file);
    ChimeImage image(bytes.data(), bytes.size(), volume, 0);
    if (image.IsEmpty()) {
        const std::string name = file.empty() ? text : file;
        Sound().Play(name.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT | SND_ASYNC);
        return;
    }
    PlayAsync(std::move(image));
}

void SlotPlayer::PlayResource(UINT id, int volume) {
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEA(id), "WAVE");
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), "WAVE");
    const auto* bytes =
        found ? static_cast<const uint8_t*>(::LockResource(::LoadResource(module, found)))
              : nullptr;
    PlayAsync(ChimeImage(bytes, bytes ? ::SizeofResource(module, found) : 0, volume, 0));
}

void SlotPlayer::PlayAsync(ChimeImage image) {
    if (image.IsEmpty())
        return;
    const uint8_t* bytes = image.WithLeadIn(0);
    Sound().Play(reinterpret_cast<const char*>(bytes), nullptr,
                 SND_MEMORY | SND_NODEFAULT | SND_ASYNC);
    m_async = std::move(image); // the previous one goes only now
}
