#include "sound/SoundPlayer.h"

#include "framework/Afx.h"
#include "platform/Platform.h"

#include <mmsystem.h>

#include <atomic>

namespace {
// A WAV image's sound as a device plays it: the lead-in and the first strike, then the others.
bool WriteStrikes(ISoundOut& out, const Sound& sound) {
    const ChimeImage::Span first = sound.image->Samples(sound.leadInMs);
    const ChimeImage::Span again = sound.image->Samples(0);
    bool written = out.Write(first.data, first.size);
    for (int i = 1; written && i < sound.count; ++i)
        written = out.Write(again.data, again.size);
    return written;
}
} // namespace

unsigned Sound::DurationMs() const {
    const unsigned strikes = count > 0 ? static_cast<unsigned>(count) : 0;
    if (!image || image->IsEmpty())
        return fileMs * strikes;
    const size_t once = image->Samples(0).size;
    return image->DurationMs(image->Samples(leadInMs).size - once + once * strikes);
}

// What a sound's thread and the window's share: the sound (which keeps its image alive while it
// plays), when it starts, and the two events that end it early and say it has ended.
struct SoundPlayer::Job {
    Sound sound;
    std::string device;
    ULONGLONG startAt = 0;
    IPlatform* platform = nullptr;
    CHandle cancel{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    CHandle done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<bool> asNamed{false}; // played through PlaySound, which only PlaySound stops
    HWND notify = nullptr;            // told when it ends
    UINT message = 0;
    unsigned serial = 0;

    // Waits for the start; FALSE when cancelled meanwhile.
    bool WaitForStart() const {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD ms = startAt > now ? static_cast<DWORD>(startAt - now) : 0;
        return ::WaitForSingleObject(cancel.get(), ms) == WAIT_TIMEOUT;
    }
    void Run() {
        // The device is opened before the start, so that the first note waits for nothing.
        if (sound.image && !sound.image->IsEmpty()) {
            if (std::unique_ptr<ISoundOut> out =
                    platform->OpenSound(device, sound.image->Format().data())) {
                // The bound counts from the moment the samples are written: a device that
                // opened late plays the whole sound late.
                if (WaitForStart() && WriteStrikes(*out, sound))
                    out->WaitPlayed(cancel.get(), sound.DurationMs() + kGraceMs);
                if (!out->Close()) {
                    // The driver would not let go of the blocks (a device pulled out while it
                    // played): they, and the samples they point into, stay for good rather
                    // than be freed under it. One sound's worth, and rare.
                    new std::shared_ptr<const ChimeImage>(sound.image);
                    out.release();
                }
                return;
            }
        }
        // As named, on the default device: PlaySound finds the file, or plays nothing.
        if (sound.file.empty() || !WaitForStart())
            return;
        asNamed = true;
        for (int i = 0; i < sound.count && ::WaitForSingleObject(cancel.get(), 0) == WAIT_TIMEOUT;
             ++i)
            platform->Play(sound.file.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT);
    }
    static DWORD WINAPI Thread(void* parameter) {
        const std::unique_ptr<std::shared_ptr<Job>> job(
            static_cast<std::shared_ptr<Job>*>(parameter));
        (*job)->Run();
        // Told before the end is signalled: whoever waits for the end finds the message queued.
        if ((*job)->notify) {
            const bool whole = ::WaitForSingleObject((*job)->cancel.get(), 0) == WAIT_TIMEOUT;
            ::PostMessageW((*job)->notify, (*job)->message, whole, (*job)->serial);
        }
        ::SetEvent((*job)->done.get());
        return 0;
    }
};

SoundPlayer::~SoundPlayer() { Stop(); }

unsigned SoundPlayer::PlayAsync(const Sound& sound, HWND notify, UINT message, unsigned startMs) {
    Stop();
    auto job = std::make_shared<Job>();
    if (!job->cancel || !job->done)
        return 0;
    job->sound = sound;
    job->device = m_device;
    job->startAt = ::GetTickCount64() + startMs;
    job->platform = &Platform();
    job->notify = notify;
    job->message = message;
    job->serial = m_nLastSerial = m_nLastSerial % 0xFFFFFFF0u + 1;
    auto* shared = new std::shared_ptr<Job>(job);
    CHandle thread(::CreateThread(nullptr, 0, &Job::Thread, shared, 0, nullptr));
    if (!thread) {
        delete shared;
        return 0;
    }
    m_current = job;
    return job->serial;
}

bool SoundPlayer::Playing() const { return !Wait(0); }

void SoundPlayer::Stop() {
    const std::shared_ptr<Job> job = std::move(m_current);
    if (!job)
        return;
    ::SetEvent(job->cancel.get());
    // A sound played as named is PlaySound's; only a call of it stops that.
    if (job->asNamed && ::WaitForSingleObject(job->done.get(), 0) == WAIT_TIMEOUT)
        job->platform->Play(nullptr, nullptr, 0);
}

bool SoundPlayer::Wait(DWORD ms) const {
    return !m_current || ::WaitForSingleObject(m_current->done.get(), ms) == WAIT_OBJECT_0;
}

SoundPlayer& Player() {
    static SoundPlayer player;
    return player;
}

void PlayResource(UINT id, int volume) {
    HINSTANCE module = AfxGetInstanceHandle();
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"WAVE");
    const auto* bytes =
        found ? static_cast<const uint8_t*>(::LockResource(::LoadResource(module, found)))
              : nullptr;
    Sound sound;
    sound.image =
        std::make_shared<ChimeImage>(bytes, bytes ? ::SizeofResource(module, found) : 0, volume, 0);
    Player().PlayAsync(sound);
}

void EndAllSound() {
    constexpr DWORD kLetGoMs = 300;
    Player().Stop();
    Platform().StopSpeech(kLetGoMs);
    Player().Wait(kLetGoMs);
}
