#include "tests/support/Harness.h"

#include "core/Wave.h"
#include "res/resource.h"
#include "sound/SoundPlayer.h"

#include <mmsystem.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <map>

namespace {
ModalSession* g_session = nullptr;

// Waits until `done` holds or `ms` pass, serving this thread's messages meanwhile (the dialog's
// thread may send to windows of this one, e.g. when it disables an owner that lives here).
template <class F> bool PumpUntil(F done, DWORD ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

std::string TextOf(HWND hwnd) { return WindowTextOf(hwnd).str(); }

// Every SetTimer of this program goes through here: the import table's entry is redirected.
std::mutex g_timersMutex;
std::map<UINT_PTR, UINT> g_timers;
decltype(&::SetTimer) g_setTimer = reinterpret_cast<decltype(&::SetTimer)>(
    reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "SetTimer")));
UINT_PTR WINAPI RecordedSetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    {
        std::lock_guard<std::mutex> lock(g_timersMutex);
        g_timers[id] = elapse;
    }
    return g_setTimer(hwnd, id, elapse, proc);
}
const bool g_timersRecorded = [] {
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    const auto real = reinterpret_cast<ULONG_PTR>(g_setTimer);
    bool found = false;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); d->Name; ++d)
        for (auto* t = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk); t->u1.Function;
             ++t)
            if (t->u1.Function == real) {
                DWORD was = 0;
                ::VirtualProtect(&t->u1.Function, sizeof t->u1.Function, PAGE_READWRITE, &was);
                t->u1.Function = reinterpret_cast<ULONG_PTR>(&RecordedSetTimer);
                ::VirtualProtect(&t->u1.Function, sizeof t->u1.Function, was, &was);
                found = true;
            }
    return found;
}();
} // namespace

UINT TimerSet(UINT_PTR id) {
    EXPECT_TRUE(g_timersRecorded) << "SetTimer is not imported where it can be seen";
    std::lock_guard<std::mutex> lock(g_timersMutex);
    return g_timers.count(id) ? g_timers[id] : 0;
}

FakePlatform::FakePlatform() { SetPlatform(this); }
FakePlatform::~FakePlatform() {
    // No sound outlives the fake it plays through.
    Player().Stop();
    Player().Wait(5000);
    PumpUntil([this] { return m_open == m_strandedCount; }, 5000);
    SetPlatform(nullptr);
}

namespace {
// The program's WAVE resource whose samples are `samples`, or 0.
UINT ResourceOf(const std::vector<uint8_t>& samples) {
    for (UINT id : {IDW_ABOUT_SOUND, IDW_CUE_NO, IDW_CUE_YES}) {
        HMODULE module = ::GetModuleHandleA(nullptr);
        HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), "WAVE");
        const auto* bytes =
            static_cast<const uint8_t*>(::LockResource(::LoadResource(module, found)));
        const WaveLayout layout = ReadWaveLayout(bytes, ::SizeofResource(module, found));
        if (layout.complete && samples.size() == layout.samplesSize &&
            std::equal(samples.begin(), samples.end(), bytes + layout.samplesAt))
            return id;
    }
    return 0;
}
} // namespace

// A device of the fake: plays what it is given at once, or never (a stall), and, as a real
// device does, reads the blocks only as it plays them: they are recorded as it closes.
class FakePlatform::Out : public ISoundOut {
public:
    Out(FakePlatform& fake, size_t index, DWORD bytesPerSecond)
        : m_fake(fake), m_index(index), m_bytesPerSecond(bytesPerSecond) {
        ++m_fake.m_open;
    }
    ~Out() override {
        Close();
        --m_fake.m_open;
    }
    bool Close() override {
        if (m_closed)
            return true;
        std::lock_guard<std::mutex> lock(m_fake.m_mutex);
        if (m_fake.closeFails) {
            m_fake.m_stranded.push_back(m_blocks);
            ++m_fake.m_strandedCount;
            return false;
        }
        m_closed = true;
        if (m_index < m_fake.m_sounds.size()) {
            Sound& sound = m_fake.m_sounds[m_index];
            for (const auto& block : m_blocks)
                sound.samples.insert(sound.samples.end(), block.first, block.first + block.second);
            sound.cut = m_cut;
            sound.resource = ResourceOf(sound.samples);
        }
        return true;
    }
    bool Write(const void* samples, size_t size) override {
        std::function<void(const Sound&)> hook;
        Sound started;
        {
            std::lock_guard<std::mutex> lock(m_fake.m_mutex);
            if (m_index >= m_fake.m_sounds.size())
                return true; // cleared meanwhile
            Sound& sound = m_fake.m_sounds[m_index];
            m_blocks.emplace_back(static_cast<const uint8_t*>(samples), size);
            m_bytes += size;
            sound.blocks.push_back(size);
            if (sound.blocks.size() == 1) {
                sound.written = ::GetTickCount64();
                hook = m_fake.onPlay;
                started = sound;
            }
        }
        if (hook)
            hook(started);
        return true;
    }
    // A stalled device never says its blocks are done: the wait ends with its time, or when
    // the player ends it. One in real time takes as long as its samples last.
    bool WaitPlayed(HANDLE cancel, DWORD ms) override {
        if (m_fake.stall) {
            ::WaitForSingleObject(cancel, ms);
            m_cut = true;
            return false;
        }
        if (!m_fake.realTime || !m_bytesPerSecond)
            return true;
        const DWORD lasts = static_cast<DWORD>(m_bytes * 1000 / m_bytesPerSecond);
        if (::WaitForSingleObject(cancel, std::min(lasts, ms)) == WAIT_OBJECT_0 || lasts > ms) {
            m_cut = true;
            return false;
        }
        return true;
    }

private:
    FakePlatform& m_fake;
    size_t m_index;
    DWORD m_bytesPerSecond;
    size_t m_bytes = 0;
    std::vector<std::pair<const uint8_t*, size_t>> m_blocks;
    bool m_cut = false, m_closed = false;
};

std::vector<std::vector<uint8_t>> FakePlatform::StrandedSamples() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::vector<uint8_t>> all;
    for (const auto& blocks : m_stranded) {
        all.emplace_back();
        for (const auto& block : blocks)
            all.back().insert(all.back().end(), block.first, block.first + block.second);
    }
    return all;
}

std::vector<SoundDevice> FakePlatform::SoundDevices() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return devices;
}

std::unique_ptr<ISoundOut> FakePlatform::OpenSound(const std::string& id, const void* format) {
    if (const DWORD delay = openDelayMs)
        ::Sleep(delay);
    std::lock_guard<std::mutex> lock(m_mutex);
    Sound sound;
    // As the system does: a device that is not connected gives way to the default one.
    for (const SoundDevice& device : devices)
        if (device.id == id)
            sound.device = id;
    const auto* wave = static_cast<const uint8_t*>(format);
    sound.format.assign(wave, wave + 18 + (wave[16] | wave[17] << 8));
    m_sounds.push_back(sound);
    DWORD bytesPerSecond = 0;
    std::memcpy(&bytesPerSecond, wave + 8, sizeof bytesPerSecond);
    return std::make_unique<Out>(*this, m_sounds.size() - 1, bytesPerSecond);
}

BOOL FakePlatform::Play(const char* name, HMODULE, DWORD flags) {
    if (!name)
        return TRUE; // stops what plays as named: nothing does for long here
    Sound sound;
    sound.name = name;
    sound.flags = flags;
    std::function<void(const Sound&)> hook;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_sounds.push_back(sound);
        hook = onPlay;
    }
    if (hook)
        hook(sound);
    return TRUE;
}

std::vector<FakePlatform::Sound> FakePlatform::Sounds() const {
    Player().Wait(5000);
    // A sound that was stopped is no longer the player's, but its device may still be closing.
    for (int waited = 0; m_open != m_strandedCount && waited < 5000; waited += 10)
        ::Sleep(10);
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_sounds;
}
std::vector<std::string> FakePlatform::Files() const {
    std::vector<std::string> files;
    for (const Sound& sound : Sounds())
        if (!sound.name.empty())
            files.push_back(sound.name);
    return files;
}

BOOL FakePlatform::Notify(DWORD message, NOTIFYICONDATAW* data) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_tray.push_back({message, *data});
    return TRUE;
}
std::vector<NOTIFYICONDATAW> FakePlatform::Tray(DWORD message) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<NOTIFYICONDATAW> records;
    for (const auto& call : m_tray)
        if (call.first == message)
            records.push_back(call.second);
    return records;
}

void FakePlatform::Clear() {
    Player().Wait(5000);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sounds.clear(), m_tray.clear(), m_spoken.clear(), m_spokenOn.clear();
}

void FakePlatform::SetTime(int hour, int minute, int second, int millisecond) {
    const long long midnight = m_utc - ((m_utc % 86400) + 86400) % 86400;
    m_utc = midnight + (hour * 60 + minute) * 60 + second;
    m_millisecond = millisecond;
}

BOOL FakePlatform::PackageRunning(const char* family) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::find(packages.begin(), packages.end(), family) != packages.end();
}

HRESULT FakePlatform::QueryDoNotDisturb(ULONG* size, DWORD* value) {
    *size = dndSize;
    *value = dndValue;
    return dndResult;
}

// Local time is UTC here.
LocalTime FakePlatform::Now() {
    const long long utc = m_utc, seconds = (utc % 86400 + 86400) % 86400;
    const int s = static_cast<int>(seconds);
    // 1970-01-01 was a Thursday (3 counting from Monday).
    const int weekday = static_cast<int>(((utc - seconds) / 86400 % 7 + 7 + 3) % 7);
    return LocalTime{
        s / 3600, s / 60 % 60, s % 60, m_millisecond, utc, weekday, utc * 1000 + m_millisecond};
}

BOOL FakePlatform::GetOpenFileName(OPENFILENAMEW* ofn) {
    lastTitle = Utf8(ofn->lpstrTitle).str();
    lastFolder = Utf8(ofn->lpstrInitialDir).str();
    if (choice.empty())
        return FALSE;
    lstrcpynW(ofn->lpstrFile, WideText(choice), static_cast<int>(ofn->nMaxFile));
    return TRUE;
}

HRESULT FakePlatform::QueryUserState(QUERY_USER_NOTIFICATION_STATE* state) {
    if (SUCCEEDED(userResult))
        *state = userState;
    return userResult;
}

BOOL FakePlatform::RegisterHotKey(HWND, int id, UINT modifiers, UINT key) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (std::make_pair(modifiers & ~MOD_NOREPEAT, key) == refusedKey)
        return FALSE;
    m_hotKeys.push_back({id, {modifiers & ~MOD_NOREPEAT, key}});
    return TRUE;
}
void FakePlatform::UnregisterHotKey(HWND, int id) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (size_t i = 0; i < m_hotKeys.size(); ++i)
        if (m_hotKeys[i].first == id)
            m_hotKeys.erase(m_hotKeys.begin() + static_cast<long>(i--));
}
std::vector<std::pair<UINT, UINT>> FakePlatform::HotKeys() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::pair<UINT, UINT>> keys;
    for (const auto& entry : m_hotKeys)
        keys.push_back(entry.second);
    return keys;
}

HRESULT FakePlatform::Speak(const wchar_t* text, const SpeechStyle& style) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_spoken.push_back(text ? text : L"");
    m_spokenOn.push_back(style.device);
    if (text && *text)
        m_lastStyle = style;
    return voice;
}
SpeechStyle FakePlatform::LastStyle() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastStyle;
}
std::vector<std::string> FakePlatform::SpokenOn() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_spokenOn;
}
std::vector<std::wstring> FakePlatform::Spoken() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_spoken;
}

std::string ProfilePath() {
    char dir[MAX_PATH];
    ::GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\" + AfxGetApp()->m_pszProfileName;
}

void ForgetStoredSettings() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\CHIMO!");
    ::DeleteFileA(ProfilePath().c_str());
}

std::string StoredSlot(const char* slotKey) {
    CRegKey key;
    CString text;
    if (key.Open(HKEY_CURRENT_USER, (std::string(slotKey) + "\\.current").c_str()) ||
        key.QueryDefaultText(text))
        return "<none>";
    return text.str();
}

ModalSession::ModalSession(CDialog& dialog, std::vector<int> answers)
    : m_dialog(dialog), m_answers(std::move(answers)),
      m_asMainWindow(AfxGetApp()->m_pMainWnd == nullptr) {
    g_session = this;
    m_thread = std::thread([this] {
        // As the program's start-up does: dropped shortcuts are resolved through COM. The hooks
        // live on this thread: one set from another would be called through its queue.
        CComInit com;
        CHook boxes = HookThisThread(WH_CBT, Activated),
              calls = HookThisThread(WH_CALLWNDPROC, Called),
              got = HookThisThread(WH_GETMESSAGE, Got);
        if (m_asMainWindow)
            AfxGetApp()->m_pMainWnd = &m_dialog;
        m_dialog.DoModal();
        if (AfxGetApp()->m_pMainWnd == &m_dialog)
            AfxGetApp()->m_pMainWnd = nullptr;
        m_ended = true;
    });
    // The loop shows the window the first time it runs dry: questions asked while the dialog
    // initialised are over by then.
    PumpUntil([this] { return m_looping || m_ended; }, 10000);
    m_hwnd = m_dialog.m_hWnd;
    if (m_hwnd)
        Send(WM_NULL);
}

ModalSession::~ModalSession() {
    // The program's window ends as a newer instance ends it; any other dialog is cancelled.
    if (!m_ended && m_hwnd && ::IsWindow(m_hwnd))
        ::PostMessageA(m_hwnd, m_asMainWindow ? WM_DESTROY : WM_COMMAND,
                       m_asMainWindow ? 0 : IDCANCEL, 0);
    if (!WaitForEnd(3000))
        ::PostThreadMessageA(::GetWindowThreadProcessId(m_hwnd, nullptr), WM_QUIT, 0, 0);
    if (m_thread.joinable())
        m_thread.join();
    g_session = nullptr;
}

// A message box becomes active: answered once; recorded as it goes, when its texts are set.
LRESULT CALLBACK ModalSession::Activated(int code, WPARAM wParam, LPARAM lParam) {
    HWND box = reinterpret_cast<HWND>(wParam);
    char cls[32] = "";
    ::GetClassNameA(box, cls, sizeof cls);
    if ((code == HCBT_ACTIVATE || code == HCBT_DESTROYWND) && g_session &&
        !lstrcmpA(cls, "#32770") && !CWnd::FromHandlePermanent(box) && ::GetDlgItem(box, 0xFFFF)) {
        ModalSession& s = *g_session;
        std::lock_guard<std::mutex> lock(s.m_mutex);
        bool seen = false;
        for (HWND answered : s.m_answered)
            seen = seen || answered == box;
        const bool yesNo = ::GetDlgItem(box, IDNO) != nullptr;
        if (code == HCBT_DESTROYWND && seen) {
            s.m_boxes.push_back({TextOf(box), TextOf(::GetDlgItem(box, 0xFFFF)), yesNo,
                                 ::GetWindow(box, GW_OWNER)});
        } else if (code == HCBT_ACTIVATE && !seen) {
            s.m_answered.push_back(box);
            int answer = yesNo ? IDNO : IDOK;
            if (!s.m_answers.empty()) {
                answer = s.m_answers.front();
                s.m_answers.erase(s.m_answers.begin());
            }
            ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(box, answer)));
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ModalSession::Called(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_session && msg->hwnd == g_session->m_dialog.m_hWnd) {
        const char* event = nullptr;
        if (msg->message == WM_SHOWWINDOW)
            event = msg->wParam ? "show" : "hide";
        else if (msg->message == WM_SIZE && msg->wParam == SIZE_MINIMIZED)
            event = "minimize";
        else if (msg->message == WM_WINDOWPOSCHANGED &&
                 (reinterpret_cast<const WINDOWPOS*>(msg->lParam)->flags & SWP_SHOWWINDOW))
            event = "visible";
        else if (msg->message == WM_ACTIVATE && LOWORD(msg->wParam) != WA_INACTIVE)
            event = "active";
        if (event) {
            std::lock_guard<std::mutex> lock(g_session->m_mutex);
            g_session->m_events.push_back(event);
            g_session->m_looping = true;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The dialog's real timers (the chime's) would race the test's clock: they are swallowed.
namespace {
// A posted WM_NULL with this, taken from the queue, tells Drain that all before it was handled.
constexpr LPARAM kDrainMark = 0x4E495244;
} // namespace

bool ModalSession::Drain() {
    const unsigned mark = ++m_drainPosted;
    if (m_ended || !::PostMessageA(m_hwnd, WM_NULL, 0, kDrainMark))
        return false;
    return PumpUntil([&] { return m_drained >= mark || m_ended; }, 10000);
}

LRESULT CALLBACK ModalSession::Got(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && g_session && msg->message == WM_NULL &&
        msg->lParam == kDrainMark && msg->hwnd == g_session->m_dialog.m_hWnd)
        ++g_session->m_drained;
    if (code == HC_ACTION && wParam == PM_REMOVE && g_session && msg->message == WM_TIMER &&
        msg->hwnd && msg->hwnd == g_session->m_dialog.m_hWnd)
        msg->message = WM_NULL;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string ModalSession::Text(int id) const { return TextOf(::GetDlgItem(m_hwnd, id)); }
void ModalSession::Answer(int button) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_answers.push_back(button);
}
std::vector<Box> ModalSession::Boxes() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_boxes;
}
std::vector<std::string> ModalSession::Events() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_events;
}
void ModalSession::Clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_boxes.clear();
    m_events.clear();
}
bool ModalSession::WaitForEnd(DWORD ms) {
    return PumpUntil([this] { return m_ended.load(); }, ms);
}
bool ModalSession::SettleUntil(const std::function<bool()>& done) const {
    return PumpUntil(
        [&] {
            if (!m_ended && ::IsWindow(m_hwnd))
                Send(WM_NULL);
            return done();
        },
        5000);
}
