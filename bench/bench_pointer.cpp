// Helper of scripts/bench-watchers.
//   bench_pointer away     the pointer over the desktop, the taskbar the foreground window
//   bench_pointer clock    the pointer resting on the clock, wherever it lives now
//   bench_pointer counts   prints the stand-in's counts: "MESSAGES NOTICES"
//   bench_pointer latency JOURNAL N
//                          N times: the pointer far away, then put straight onto the clock;
//                          prints the median and the worst time in ms from the move to the
//                          clock's first pointer notice with wParam 2 in the stand-in's journal
// The pointer reaches the clock over the frame of the window that holds it, as a hand
// brings it there: a window that has just been placed takes itself for dragged until the
// pointer crosses its frame.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

HWND NotifyArea()
{
    HWND host = FindWindowA("TVeltrWnd", nullptr);
    if (host) return FindWindowExA(host, nullptr, "TrayNotifyWnd", nullptr);
    HWND taskbar = nullptr;
    while ((taskbar = FindWindowExA(nullptr, taskbar, "Shell_TrayWnd", nullptr))) {
        HWND area = FindWindowExA(taskbar, nullptr, "TrayNotifyWnd", nullptr);
        if (area) return area;
    }
    return nullptr;
}

// The stand-in's taskbar window, found by the process of its control window.
HWND StandInTaskbar()
{
    DWORD standIn = 0;
    GetWindowThreadProcessId(FindWindowA("VtStandInControl", nullptr), &standIn);
    HWND taskbar = nullptr;
    while ((taskbar = FindWindowExA(nullptr, taskbar, "Shell_TrayWnd", nullptr))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(taskbar, &owner);
        if (owner == standIn) return taskbar;
    }
    return nullptr;
}

void CrossTheFrame()
{
    HWND host = FindWindowA("TVeltrWnd", nullptr);
    if (!host) return;
    RECT r;
    GetWindowRect(host, &r);
    for (int step = 1; step <= 2; ++step) {
        SetCursorPos(r.left + step, (r.top + r.bottom) / 2);
        Sleep(150);
    }
}

LRESULT Ask(const char* text)
{
    HWND control = FindWindowA("VtStandInControl", nullptr);
    COPYDATASTRUCT copy = {0x5654, static_cast<DWORD>(std::strlen(text)), const_cast<char*>(text)};
    DWORD_PTR result = 0;
    if (!control || !SendMessageTimeoutA(control, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_NORMAL, 5000,
                                         &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

// The journal from `offset` on, as it stands now.
std::string JournalFrom(const char* path, long offset)
{
    std::string text;
    FILE* f = std::fopen(path, "rb");
    if (!f) return text;
    if (std::fseek(f, offset, SEEK_SET) == 0) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, got);
    }
    std::fclose(f);
    return text;
}

// The stand-in's tick of the first complete journal line with the clock's notice 2, or -1.
long FirstNoticeTwo(const std::string& text)
{
    const size_t at = text.find("\tWM_USER+104\twParam=2 ");
    if (at == std::string::npos || text.find('\n', at) == std::string::npos) return -1;
    const size_t lineStart = text.rfind('\n', at);
    return std::strtol(text.c_str() + (lineStart == std::string::npos ? 0 : lineStart + 1), nullptr, 10);
}

int Latency(const char* journal, int tries)
{
    CrossTheFrame();
    std::vector<long> times;
    for (int i = 0; i < tries; ++i) {
        SetCursorPos(40, 40);
        SetForegroundWindow(StandInTaskbar());
        // Long enough for a watcher that lengthens its pause when idle to have done so.
        Sleep(500);
        HWND clock = FindWindowExA(NotifyArea(), nullptr, "TrayClockWClass", nullptr);
        RECT r;
        if (!clock || !GetWindowRect(clock, &r)) return 1;
        FILE* f = std::fopen(journal, "rb");
        if (!f) return 1;
        std::fseek(f, 0, SEEK_END);
        const long offset = std::ftell(f);
        std::fclose(f);
        const DWORD moved = GetTickCount();
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        long tick = -1;
        while (tick < 0 && GetTickCount() - moved < 2000) {
            Sleep(1);
            tick = FirstNoticeTwo(JournalFrom(journal, offset));
        }
        if (tick < 0) {
            std::printf("no notice within 2000 ms\n");
            return 1;
        }
        times.push_back(static_cast<long>(static_cast<DWORD>(tick) - moved));
    }
    std::sort(times.begin(), times.end());
    std::printf("%ld %ld\n", times[times.size() / 2], times.back());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* what = argc > 1 ? argv[1] : "";
    if (std::strcmp(what, "counts") == 0) {
        const LRESULT messages = Ask("messages");
        std::printf("%ld %ld\n", static_cast<long>(messages), static_cast<long>(Ask("notices")));
        return messages < 0 ? 1 : 0;
    }
    if (std::strcmp(what, "latency") == 0 && argc > 3) return Latency(argv[2], std::atoi(argv[3]));
    CrossTheFrame();
    if (std::strcmp(what, "away") == 0) {
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 3);
        SetForegroundWindow(StandInTaskbar());
        return 0;
    }
    if (std::strcmp(what, "clock") == 0) {
        HWND clock = FindWindowExA(NotifyArea(), nullptr, "TrayClockWClass", nullptr);
        RECT r;
        if (!clock || !GetWindowRect(clock, &r)) return 1;
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return 0;
    }
    std::fprintf(stderr, "usage: bench_pointer away|clock|counts|latency JOURNAL N\n");
    return 2;
}
