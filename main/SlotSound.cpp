#include "main/SlotSound.h"

#include "core/Repeater.h"
#include "core/SlotFile.h"

#include <mmsystem.h>

#include <algorithm>
#include <utility>

namespace {
// A chime is seconds long; a file larger than this is played as named, never read whole.
constexpr unsigned long long kMaxReadBytes = 16ull << 20;
// Enough of a file's start for the chunks before its samples.
constexpr DWORD kHeadBytes = 64 << 10;

// The size and time of last change of `file`, mixed into one value that changes with either;
// 0 when the file cannot be looked at.
unsigned long long FileStamp(const std::string& file) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(WideText(file), GetFileExInfoStandard, &data))
        return 0;
    const unsigned long long written =
        (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime;
    return written ^
           (static_cast<unsigned long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow) *
               0x9E3779B97F4A7C15ull;
}

// The whole file, or nothing when it cannot be read or is too large to be a chime; `head`
// reads only as much of its start as holds a header, whatever its size.
std::vector<uint8_t> ReadFile(const std::string& file, bool head = false) {
    std::vector<uint8_t> bytes;
    CHandle handle(::CreateFileW(WideText(file), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!handle || !::GetFileSizeEx(handle.get(), &size) || size.QuadPart <= 0 ||
        (!head && static_cast<unsigned long long>(size.QuadPart) > kMaxReadBytes))
        return bytes;
    bytes.resize(head && size.QuadPart > kHeadBytes ? kHeadBytes
                                                    : static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!::ReadFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
        got = 0;
    bytes.resize(got);
    return bytes;
}

} // namespace

std::string WindowsDirectory() {
    wchar_t buffer[MAX_PATH] = L"";
    const UINT length = ::GetWindowsDirectoryW(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    return Utf8(buffer, static_cast<int>(length)).str();
}

BOOL FileFound(const std::string& name) { return IsFile(name.c_str()); }

std::string BundledFolder() {
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = 0;
    while ((length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) >=
               path.size() &&
           path.size() < 32768)
        path.resize(path.size() * 2);
    const std::string program = Utf8(path.data(), static_cast<int>(length)).str();
    const std::string::size_type cut = program.find_last_of('\\');
    return cut == std::string::npos ? std::string() : program.substr(0, cut + 1) + "Sounds\\";
}

std::string FindSlotFile(const std::string& text) {
    // Where the settings travel with the program, a path without a drive or root, such as
    // "Sounds\Hour.wav", is in the program's folder, wherever that is now.
    const PathParts parts = SplitPath(text);
    if (AfxGetApp() && AfxGetApp()->IsPortable() && parts.drive.empty() &&
        !parts.directory.empty() && parts.directory[0] != '\\') {
        const std::string inside = AfxGetApp()->ProgramFolder().str() + text;
        if (FitsPath(inside) && FileFound(inside))
            return inside;
    }
    for (const std::string& name : SlotLookups(text, WindowsDirectory()))
        if (FileFound(name))
            return name;
    return std::string();
}

std::vector<uint8_t> ReadSlotFile(const std::string& text) {
    const std::string file = FindSlotFile(text);
    return file.empty() ? std::vector<uint8_t>() : ReadFile(file);
}

std::vector<uint8_t> MixSlotStrokes(const std::vector<Stroke>& strokes, const SlotTexts& texts,
                                    int volume) {
    Pcm sounds[4];
    bool read[4] = {};
    for (const Stroke& stroke : strokes) {
        const auto slot = static_cast<size_t>(stroke.slot);
        if (!std::exchange(read[slot], true)) {
            const std::vector<uint8_t> bytes = ReadSlotFile(texts[slot]);
            sounds[slot] = DecodeWave(bytes.data(), bytes.size());
        }
    }
    return MixStrokes(sounds, strokes, volume);
}

Sound SlotSound(const std::string& text, int volume, unsigned leadInMs) {
    Sound sound;
    const std::string file = FindSlotFile(text);
    // As named when it cannot be played from memory: PlaySound looks for it itself, and plays
    // nothing when it finds nothing.
    sound.file = file.empty() ? text : file;
    if (file.empty())
        return sound;
    const std::vector<uint8_t> bytes = ReadFile(file);
    auto image = std::make_shared<ChimeImage>(bytes.data(), bytes.size(), volume, leadInMs);
    if (!image->IsEmpty()) {
        sound.image = std::move(image);
    } else {
        const std::vector<uint8_t> head = ReadFile(file, true);
        sound.fileMs = WaveDurationMs(head.data(), head.size());
    }
    return sound;
}

bool SlotPlayer::Prepare(const std::string& text, int volume, unsigned leadInMs) {
    const std::string file = FindSlotFile(text);
    const unsigned long long stamp = file.empty() ? 0 : FileStamp(file);
    const bool same = !file.empty() && file == m_chime.file && volume == m_chime.volume &&
                      leadInMs <= m_chime.leadInMs && stamp == m_chime.stamp;
    if (!same) {
        m_chime = Prepared();
        m_chime.file = file;
        m_chime.volume = volume;
        m_chime.leadInMs = leadInMs;
        m_chime.stamp = stamp;
        m_chime.sound = SlotSound(text, volume, leadInMs);
    }
    return m_chime.sound.image && m_chime.sound.image->IsScaled();
}

unsigned SlotPlayer::Start(Sound sound, bool scaled, unsigned msToNote, unsigned maxLeadInMs,
                           HWND notify, UINT message) {
    sound.leadInMs = scaled ? std::min(msToNote, maxLeadInMs) : 0;
    return Player().PlayAsync(sound, notify, message, msToNote - sound.leadInMs);
}

unsigned SlotPlayer::Chime(const std::string& text, int count, int volume, unsigned msToNote,
                           unsigned maxLeadInMs, HWND notify, UINT message) {
    const bool scaled = Prepare(text, volume, maxLeadInMs);
    Sound sound = m_chime.sound;
    sound.count = count;
    return Start(sound, scaled, msToNote, maxLeadInMs, notify, message);
}

bool SlotPlayer::PrepareStrokes(const std::vector<Stroke>& strokes, const SlotTexts& texts,
                                int volume, unsigned leadInMs) {
    PreparedStrokes wanted;
    wanted.strokes = strokes;
    wanted.volume = volume;
    wanted.leadInMs = leadInMs;
    bool used[4] = {};
    for (const Stroke& stroke : strokes)
        used[static_cast<int>(stroke.slot)] = true;
    for (size_t slot = 0; slot < 4; ++slot) {
        if (!used[slot])
            continue;
        wanted.files[slot] = FindSlotFile(texts[slot]);
        wanted.stamps[slot] = wanted.files[slot].empty() ? 0 : FileStamp(wanted.files[slot]);
    }
    const bool same = wanted.strokes == m_strokes.strokes && wanted.files == m_strokes.files &&
                      wanted.stamps == m_strokes.stamps && volume == m_strokes.volume &&
                      leadInMs <= m_strokes.leadInMs && m_strokes.sound.image;
    if (!same) {
        const std::vector<uint8_t> mixed = MixSlotStrokes(strokes, wanted.files, volume);
        wanted.sound.image =
            std::make_shared<ChimeImage>(mixed.data(), mixed.size(), 100, leadInMs);
        m_strokes = std::move(wanted);
    }
    return m_strokes.sound.image && !m_strokes.sound.image->IsEmpty() &&
           m_strokes.sound.image->IsScaled();
}

unsigned SlotPlayer::ChimeStrokes(const std::vector<Stroke>& strokes, const SlotTexts& texts,
                                  int volume, unsigned msToNote, unsigned maxLeadInMs, HWND notify,
                                  UINT message) {
    if (!PrepareStrokes(strokes, texts, volume, maxLeadInMs))
        return 0;
    return Start(m_strokes.sound, true, msToNote, maxLeadInMs, notify, message);
}

void SlotPlayer::PlayNow(const std::string& text, int volume) {
    Player().PlayAsync(SlotSound(text, volume, 0));
}
