// A long run of quarters, the clock jumping from boundary to boundary: each rings once or keeps
// quiet for its reason, and at the end the process holds no more kernel handles, GDI and USER
// objects or private memory than after its first day (its first twelve quarters, in a run of
// a day). A day runs in the suite; scripts/bench runs a month (CHIMO_QUARTERS=2880) and reads
// the line it prints.
#include "tests/support/ChimoTest.h"
#include "tests/support/English.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {
// What a leak would add to.
struct Kept {
    long handles = 0, gdi = 0, user = 0, privateKb = 0;
};

// Kernel handles: GetProcessHandleCount, or where it says 0 (Wine) the system's handle table.
long KernelHandles() {
    DWORD count = 0;
    if (::GetProcessHandleCount(::GetCurrentProcess(), &count) && count)
        return static_cast<long>(count);
    using Query = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    struct Entry {
        USHORT process, creator;
        UCHAR type, attributes;
        USHORT handle;
        PVOID object;
        ULONG access;
    };
    std::vector<char> table(4 << 20);
    ULONG got = 0;
    if (!query || query(16 /* SystemHandleInformation */, table.data(),
                        static_cast<ULONG>(table.size()), &got) != 0)
        return -1;
    ULONG entries = 0;
    std::memcpy(&entries, table.data(), sizeof entries);
    const auto* entry = reinterpret_cast<const Entry*>(table.data() + sizeof(void*));
    const auto self = static_cast<USHORT>(::GetCurrentProcessId());
    return static_cast<long>(
        std::count_if(entry, entry + entries, [&](const Entry& e) { return e.process == self; }));
}

// GDI objects: GetGuiResources, or where it says 0 (Wine) the process's GDI handle table,
// whose address the PEB holds.
long GdiObjects() {
    if (const DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS))
        return static_cast<long>(n);
    struct Entry {
        UINT64 object;
        ULONG owner;
        USHORT unique;
        UCHAR type, flags;
        UINT64 user;
    };
    const auto* peb = reinterpret_cast<const char*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    const auto* table = *reinterpret_cast<const Entry* const*>(
        peb + (sizeof(void*) == 8 ? 0xF8 : 0x94)); // GdiSharedHandleTable
    if (!table)
        return -1;
    return static_cast<long>(
        std::count_if(table, table + 0x10000, [](const Entry& e) { return e.type != 0; }));
}

// USER objects: GetGuiResources, or where it says 0 (Wine) the process's windows.
BOOL CALLBACK CountWindow(HWND hwnd, LPARAM counted) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process == ::GetCurrentProcessId()) {
        ++*reinterpret_cast<long*>(counted);
        ::EnumChildWindows(hwnd, CountWindow, counted);
    }
    return TRUE;
}
long UserObjects() {
    if (const DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS))
        return static_cast<long>(n);
    long windows = 0;
    ::EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// Private memory in KB: what Linux holds resident of it under Wine (whose PrivateUsage is not
// the process's), else the private bytes Windows counts.
long PrivateKb() {
    std::ifstream status("Z:\\proc\\self\\status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("RssAnon:", 0) == 0)
            return std::atol(line.c_str() + 8);
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(),
                           reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return static_cast<long>(counters.PrivateUsage / 1024);
}

// Wine keeps display DCs for GetDC in a cache that grows, whenever every one is in use, up to
// 64 and never shrinks, each a DC, a region and a bitmap: which paint of the settings window
// needs one more is a matter of timing, and a run of days would count the cache as a leak.
// Holding 64 of them at once and letting them go fills it, so that from here on the count
// grows only by objects kept, and by DCs got and never released once they outnumber the
// cache's free ones (on Windows this is a few DCs got and released).
void FillDcCache() {
    const HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                          nullptr, nullptr);
    std::vector<HDC> held;
    for (int i = 0; i < 64; ++i)
        if (const HDC dc = ::GetDCEx(window, nullptr, DCX_CACHE))
            held.push_back(dc);
    for (HDC dc : held)
        ::ReleaseDC(window, dc);
    ::DestroyWindow(window);
}

Kept Now() { return {KernelHandles(), GdiObjects(), UserObjects(), PrivateKb()}; }

constexpr int kSaturday = 1 << 5; // the run starts on Sunday 2026-03-29 (Monday is bit 0)
constexpr int kQuarterStrikes = 1, kShipsBells = 2;
const std::string kDevice = "{0.0.0.00000000}.{usb}";
} // namespace

TEST_F(ChimoTest, QuartersRingOnceEachOrKeepQuietAndLeaveNothingBehind) {
    const char* asked = std::getenv("CHIMO_QUARTERS");
    const int quarters = asked ? std::max(24, std::atoi(asked)) : 96;
    const int settled = quarters > 96 ? 96 : 12;
    const std::string hour = "C:\\CHIMO-MONTH-H.WAV", quarter = "C:\\CHIMO-MONTH-Q.WAV";
    WriteWav(hour, std::vector<int16_t>(200, -8000));
    WriteWav(quarter, std::vector<int16_t>(200, 8000));
    AfxGetApp()->WriteProfileInt("Options", "Days", kEveryDay & ~kSaturday);
    AfxGetApp()->WriteProfileInt("Options", "Multi_Chimo", 1);
    AfxGetApp()->WriteProfileInt("Options", "Pattern", kQuarterStrikes);
    AfxGetApp()->WriteProfileString("Options", "Output_Device", kDevice.c_str());
    fake.devices = {{kDevice, "USB speakers"}};
    fake.SetTime(0, 0, 0);
    fake.Advance(-60); // Saturday 23:59
    Start();
    run->SetText(IDC_SOUND_HOUR, hour);
    for (int id : {IDC_SOUND_QUARTER_AFTER, IDC_SOUND_HALF_PAST, IDC_SOUND_QUARTER_TIL})
        run->SetText(id, quarter);
    run->SetText(IDC_SLEEP_START, "1:00am");
    run->SetText(IDC_SLEEP_STOP, "2:00am");
    run->Command(ID_SLEEP);
    fake.Advance(60);

    int rung = 0, quiet = 0, pattern = kQuarterStrikes;
    Kept first{};
    for (int q = 0; q < quarters; ++q) {
        const int day = q / 96, minutes = q % 96 * 15, hh = minutes / 60, mm = minutes % 60;
        SCOPED_TRACE("day " + std::to_string(day) + " at " + std::to_string(hh) + ":" +
                     std::to_string(mm));
        // Now and then the window opened and closed, with the other way of striking chosen;
        // the time told; the speakers unplugged and back.
        if (q % 24 == 3) {
            Show();
            pattern = pattern == kQuarterStrikes ? kShipsBells : kQuarterStrikes;
            ::SendDlgItemMessageA(run->hwnd(), IDC_PATTERN, CB_SETCURSEL, pattern, 0);
            run->Send(WM_COMMAND, MAKEWPARAM(IDC_PATTERN, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(::GetDlgItem(run->hwnd(), IDC_PATTERN)));
            run->Command(IDOK);
            ASSERT_EQ(AfxGetApp()->GetProfileInt("Options", "Pattern", -1), pattern);
        }
        if (q % 100 == 5) {
            fake.Clear();
            run->Command(ID_TELL_TIME);
            AfterChime();
            EXPECT_FALSE(fake.Sounds().empty()) << "Tell the time strikes";
        }
        if (q % 32 == 6)
            fake.devices.clear();
        if (q % 32 == 22)
            fake.devices = {{kDevice, "USB speakers"}};

        // The clock set a second before the boundary, then its tick.
        fake.Advance(-1);
        run->Send(WM_TIMECHANGE);
        fake.Advance(1);
        fake.Clear();
        run->Send(WM_TIMER, ID_CHIME_TIMER);
        AfterChime();
        fake.Advance(900);

        const bool dayOff = day % 7 == 6; // Saturday
        const bool night = minutes >= 60 && minutes <= 120;
        const bool bellsRest = pattern == kShipsBells && mm % 30 == 15;
        const auto sounds = fake.Sounds();
        const auto tips = Tips();
        if (dayOff || night) {
            EXPECT_TRUE(sounds.empty());
            ASSERT_FALSE(tips.empty());
            EXPECT_EQ(tips.back(), kTipSleeping);
            ++quiet;
        } else if (bellsRest) {
            EXPECT_TRUE(sounds.empty()) << "ship's bells keep the quarters quiet";
            ASSERT_FALSE(tips.empty());
            EXPECT_EQ(tips.back(), kTipActive);
            ++quiet;
        } else {
            ASSERT_EQ(sounds.size(), 1u) << "rung exactly once";
            EXPECT_EQ(sounds[0].device, fake.devices.empty() ? "" : kDevice);
            EXPECT_EQ(tips, (std::vector<std::string>{kTipActive, kTipRinging, kTipActive}));
            ++rung;
        }
        if (q + 1 == settled) {
            FillDcCache();
            first = Now();
        }
    }
    fake.Clear();
    const Kept last = Now();
    std::printf("quarters %d rung %d quiet %d handles %ld %ld gdi %ld %ld user %ld %ld "
                "private_kb %ld %ld\n",
                quarters, rung, quiet, first.handles, last.handles, first.gdi, last.gdi, first.user,
                last.user, first.privateKb, last.privateKb);
    EXPECT_EQ(rung + quiet, quarters);
    EXPECT_GT(first.handles, 0);
    EXPECT_LE(last.handles - first.handles, first.handles / 100);
    EXPECT_LE(last.gdi - first.gdi, first.gdi / 100);
    EXPECT_LE(last.user - first.user, first.user / 100);
    EXPECT_LE(last.privateKb - first.privateKb, 256);
    ::DeleteFileA(hour.c_str());
    ::DeleteFileA(quarter.c_str());
}
