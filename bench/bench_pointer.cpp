// Helper of scripts/bench-watchers.
//   bench_pointer away     the pointer over the desktop, the taskbar the foreground window
//   bench_pointer clock    the pointer resting on the clock, wherever it lives now
//   bench_pointer counts   prints the stand-in's counts: "MESSAGES NOTICES"
// The pointer reaches the clock over the frame of the window that holds it, as a hand
// brings it there: a window that has just been placed takes itself for dragged until the
// pointer crosses its frame.
#include <windows.h>

#include <cstdio>
#include <cstring>

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

}  // namespace

int main(int argc, char** argv)
{
    const char* what = argc > 1 ? argv[1] : "";
    if (std::strcmp(what, "counts") == 0) {
        const LRESULT messages = Ask("messages");
        std::printf("%ld %ld\n", static_cast<long>(messages), static_cast<long>(Ask("notices")));
        return messages < 0 ? 1 : 0;
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
    std::fprintf(stderr, "usage: bench_pointer away|clock|counts\n");
    return 2;
}
