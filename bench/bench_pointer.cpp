// Helper of scripts/bench-watchers.
//   bench_pointer away     the pointer over the desktop, the taskbar the foreground window
//   bench_pointer clock    the pointer resting on the clock, wherever it lives now
//   bench_pointer counts   prints the stand-in's counts: "MESSAGES NOTICES"
//   bench_pointer latency JOURNAL N
//                          N times: the pointer far away, then put straight onto the clock;
//                          prints the median and the worst time in ms from the move to the
//                          clock's first pointer notice with wParam 2 in the stand-in's journal
//   bench_pointer fit N    N rounds of four icon changes in the stand-in (add, hide, show and
//                          remove one icon) with the program's window one row high; prints
//                          for each kind the median and the worst time in ms from the
//                          command to the window's new width
//   bench_pointer hide N   N times, with "hide when inactive" on: the window shown with the
//                          pointer on its clock and the focus on it, then the pointer and the
//                          focus taken away; prints the median and the worst time in ms until
//                          the window is hidden
//   bench_pointer shown    prints 1 when the program's window is visible, else 0
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

// Milliseconds until `done` holds, looked at every millisecond; -1 after 3 s.
template <typename Done>
long MillisecondsUntil(DWORD since, Done done)
{
    while (!done()) {
        if (GetTickCount() - since > 3000) return -1;
        Sleep(1);
    }
    return static_cast<long>(GetTickCount() - since);
}

// "MEDIAN WORST"; a try that never got there makes the worst ">3000", and the median is
// that of the others.
std::string MedianAndWorst(std::vector<long> times)
{
    const auto missed = std::count(times.begin(), times.end(), -1L);
    times.erase(std::remove(times.begin(), times.end(), -1L), times.end());
    std::sort(times.begin(), times.end());
    const std::string median = times.empty() ? "?" : std::to_string(times[times.size() / 2]);
    return median + " " + (missed || times.empty() ? ">3000" : std::to_string(times.back()));
}

int WidthOf(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r.right - r.left;
}

int FitTimes(int rounds)
{
    HWND host = FindWindowA("TVeltrWnd", nullptr);
    if (!host) return 1;
    const char* const changes[] = {"add 7 seven", "hide 7", "show 7", "remove 7"};
    std::vector<long> times[4];
    for (int round = 0; round < rounds; ++round) {
        for (int kind = 0; kind < 4; ++kind) {
            Sleep(700);  // a change comes to an idle watcher, whatever its rhythm
            const int before = WidthOf(host);
            const DWORD sent = GetTickCount();
            if (Ask(changes[kind]) != 1) return 1;
            times[kind].push_back(MillisecondsUntil(sent, [&] { return WidthOf(host) != before; }));
        }
    }
    std::printf("%s %s %s %s\n", MedianAndWorst(times[0]).c_str(), MedianAndWorst(times[1]).c_str(),
                MedianAndWorst(times[2]).c_str(), MedianAndWorst(times[3]).c_str());
    return 0;
}

int HideTimes(int tries)
{
    HWND host = FindWindowA("TVeltrWnd", nullptr);
    if (!host) return 1;
    std::vector<long> times;
    for (int i = 0; i < tries; ++i) {
        HWND clock = FindWindowExA(NotifyArea(), nullptr, "TrayClockWClass", nullptr);
        RECT r;
        if (!clock || !GetWindowRect(clock, &r)) return 1;
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        // A hide the watcher decided just before the show may still come after it.
        int shows = 0;
        do {
            ShowWindow(host, SW_SHOWNA);
            SetForegroundWindow(host);
            Sleep(600);
        } while (!IsWindowVisible(host) && ++shows < 5);
        if (!IsWindowVisible(host)) return 1;
        const DWORD left = GetTickCount();
        SetCursorPos(40, 40);
        SetForegroundWindow(StandInTaskbar());
        times.push_back(MillisecondsUntil(left, [&] { return !IsWindowVisible(host); }));
    }
    std::printf("%s\n", MedianAndWorst(times).c_str());
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
    if (std::strcmp(what, "fit") == 0 && argc > 2) return FitTimes(std::atoi(argv[2]));
    if (std::strcmp(what, "hide") == 0 && argc > 2) return HideTimes(std::atoi(argv[2]));
    if (std::strcmp(what, "shown") == 0) {
        HWND host = FindWindowA("TVeltrWnd", nullptr);
        std::printf("%d\n", host && IsWindowVisible(host) ? 1 : 0);
        return 0;
    }
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
    std::fprintf(stderr, "usage: bench_pointer away|clock|counts|shown|latency JOURNAL N|fit N|hide N\n");
    return 2;
}
