// The protocol model of the watcher benchmark: beside a window and its message loop, a
// thread that does only what the pointer watcher must do with the pointer away and its
// window inactive. Every 5 ms: the clock's pointer notice (WM_USER + 104, wParam 1), then
// WM_KILLFOCUS to the pager's toolbar, the icon toolbar and the notification area.
//   bench_protocol_model [reads]
#include "bench_window.h"

namespace {

struct Targets {
    HWND clock, pagerToolbar, iconToolbar, notifyArea;
};

// The taskbar that holds a notification area (Wine keeps a hidden one of its own without).
Targets FindTargets()
{
    Targets t = {};
    HWND taskbar = nullptr;
    while ((taskbar = FindWindowExA(nullptr, taskbar, "Shell_TrayWnd", nullptr))) {
        t.notifyArea = FindWindowExA(taskbar, nullptr, "TrayNotifyWnd", nullptr);
        if (t.notifyArea) break;
    }
    t.clock = FindWindowExA(t.notifyArea, nullptr, "TrayClockWClass", nullptr);
    HWND pager = FindWindowExA(t.notifyArea, nullptr, "SysPager", nullptr);
    t.pagerToolbar = FindWindowExA(pager, nullptr, "ToolbarWindow32", nullptr);
    t.iconToolbar = pager ? t.pagerToolbar : FindWindowExA(t.notifyArea, nullptr, "ToolbarWindow32", nullptr);
    return t;
}

// With "reads" the cycle also asks what any cycle must know before it can send: where the
// pointer is and the window under it, the foreground window, and whether another clock
// program runs.
bool withReads = false;

void ReadWhatACycleMustKnow()
{
    POINT at;
    GetCursorPos(&at);
    WindowFromPoint(at);
    GetForegroundWindow();
    FindWindowA("TClockMainClass", "TClock");
}

DWORD WINAPI SendCycle(LPVOID)
{
    const Targets t = FindTargets();
    for (;;) {
        if (withReads) ReadWhatACycleMustKnow();
        SendMessageA(t.clock, WM_USER + 104, 1, 0);
        SendMessageA(t.pagerToolbar, WM_KILLFOCUS, 0, 0);
        SendMessageA(t.iconToolbar, WM_KILLFOCUS, 0, 0);
        SendMessageA(t.notifyArea, WM_KILLFOCUS, 0, 0);
        Sleep(5);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    withReads = lstrcmpiA(commandLine, "reads") == 0;
    CloseHandle(CreateThread(nullptr, 0, SendCycle, nullptr, 0, nullptr));
    return RunWindowAndLoop(instance, "VtBenchProtocolModel");
}
