// The resident's cost per tick, accelerated: the real main window's display and rules ticks driven
// directly, hidden and then shown, with the processor time of this thread and the growth of GDI
// objects, windows and private memory over the run. The machine's free memory moves across more
// numbers than the tray keeps pictures of, so every rules tick hands the shell a picture made
// anew: a leak in making, keeping or letting go of pictures shows in the growth.
#include <windows.h>
#include <commctrl.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>

#include "app/main_window/main_dlg_win.h"
#include "memory/memory_status.h"

namespace {

constexpr int kDisplayTicks = 10000;
constexpr int kRulesTicks = 5000;
constexpr int kWarmUpTicks = 200; // lets lazily made buffers and caches exist before counting

// GetGuiResources is a stub under Wine: count the live entries of the process's GDI handle table
// there (on x64 its address is at PEB + 0xF8: 0x10000 entries of 24 bytes, byte 14 set when live).
unsigned long GdiObjects()
{
    if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return count;
#ifdef _WIN64
    using QueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0)
        return 0;
    const auto* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
    const auto* table = *reinterpret_cast<const BYTE* const*>(peb + 0xF8);
    if (!table)
        return 0;
    unsigned long live = 0;
    for (size_t i = 0; i < 0x10000; ++i)
        live += table[i * 24 + 14] != 0;
    return live;
#else
    return 0;
#endif
}

BOOL CALLBACK CountOwn(HWND window, LPARAM count)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<unsigned long*>(count);
        EnumChildWindows(window, CountOwn, count);
    }
    return TRUE;
}

unsigned long OwnWindows()
{
    unsigned long count = 0;
    EnumWindows(CountOwn, reinterpret_cast<LPARAM>(&count));
    for (HWND window = nullptr; (window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr));)
        CountOwn(window, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Committed private memory, walked region by region (the process counters' figure is 0 under Wine).
uint64_t PrivateBytes()
{
    uint64_t bytes = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* address = nullptr;
         VirtualQuery(address, &region, sizeof(region)) == sizeof(region);
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            bytes += region.RegionSize;
    }
    return bytes;
}

uint64_t ThreadCpu100ns()
{
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    const auto value = [](const FILETIME& t) { return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
    return value(kernel) + value(user);
}

struct Counts {
    unsigned long gdi = 0, windows = 0;
    uint64_t privateBytes = 0;
};

Counts Count() { return {GdiObjects(), OwnWindows(), PrivateBytes()}; }

// What the message loop would do between two ticks: paint, and whatever else is queued. The
// window's own timers are dropped: the bench drives the ticks itself.
void Pump(HWND window)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_TIMER && msg.hwnd == window)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Tick(HWND window, UINT_PTR timer)
{
    SendMessageA(window, WM_TIMER, timer, 0);
    Pump(window);
}

// Microseconds of this thread's processor time per tick.
double Run(HWND window, UINT_PTR timer, int ticks)
{
    const uint64_t start = ThreadCpu100ns();
    for (int i = 0; i < ticks; ++i)
        Tick(window, timer);
    return static_cast<double>(ThreadCpu100ns() - start) / 10.0 / ticks;
}

struct Phase {
    double displayUs = 0, rulesUs = 0;
    long gdi = 0, windows = 0;
    long long privateKB = 0;
};

Phase Measure(HWND window)
{
    for (int i = 0; i < kWarmUpTicks; ++i) {
        Tick(window, CMainDlg::kDisplayTimer);
        Tick(window, CMainDlg::kRulesTimer);
    }
    const Counts before = Count();
    Phase phase;
    phase.displayUs = Run(window, CMainDlg::kDisplayTimer, kDisplayTicks);
    phase.rulesUs = Run(window, CMainDlg::kRulesTimer, kRulesTicks);
    const Counts after = Count();
    phase.gdi = static_cast<long>(after.gdi) - static_cast<long>(before.gdi);
    phase.windows = static_cast<long>(after.windows) - static_cast<long>(before.windows);
    phase.privateKB = (static_cast<long long>(after.privateBytes) - static_cast<long long>(before.privateBytes)) / 1024;
    return phase;
}

void Print(const char* name, const Phase& p)
{
    std::printf("%-6s display tick %7.1f us, rules tick %7.1f us of thread CPU; growth: gdi %ld, windows %ld, "
                "private %lld KB\n",
                name, p.displayUs, p.rulesUs, p.gdi, p.windows, p.privateKB);
}

} // namespace

int main()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    SetAlertSoundPlayer([](const std::string&) {});
    constexpr uint64_t kMB = 1024 * 1024;
    // Thirteen numbers, one more each reading: odd, so that the rules tick meets all of them also
    // when a display tick reads in between.
    int reading = 0;
    SetMemoryStatusSource([&reading] {
        const uint64_t total = 4096 * kMB, free = total * static_cast<uint64_t>(40 + reading++ % 13) / 100;
        return MemoryFigures{0, total, free, 2 * total, total, 128 * 1024 * kMB, 120 * 1024 * kMB};
    });
    CMainDlg dialog;
    if (!dialog.CreateModeless()) {
        std::printf("the main window could not be made\n");
        return 1;
    }
    const HWND window = dialog.hwnd();
    std::printf("%d display and %d rules ticks per phase, after %d of each\n", kDisplayTicks, kRulesTicks,
                kWarmUpTicks);
    ShowWindow(window, SW_HIDE);
    const Phase hidden = Measure(window);
    Print("hidden", hidden);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    const Phase shown = Measure(window);
    Print("shown", shown);
    std::printf("gdi growth over %d ticks = %ld\n", kDisplayTicks, hidden.gdi + shown.gdi);
    std::printf("window growth over %d ticks = %ld\n", kDisplayTicks, hidden.windows + shown.windows);
    DestroyWindow(window);
    return 0;
}
