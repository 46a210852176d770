// Helper of scripts/bench-watchers --calls: what one call costs that a watcher cycle makes
// besides its messages to the taskbar, against the stand-in's windows with the pointer
// resting where bench_pointer left it.
//   bench_calls            lists the names of the calls, one a line
//   bench_calls NAME [N]   makes that call N times (default 20000) and prints
//                          "NAME WALL_US THREAD_US": microseconds a call, wall clock and
//                          this thread's CPU; the Wine server's share is read from outside.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Windows {
    HWND taskbar, notifyArea, clock, own, otherThreads;
    POINT pointer;
};

// A check box of another thread of this process, as the options window's are to a watcher.
std::atomic<HWND> otherThreadsBox{nullptr};

DWORD WINAPI OtherThread(LPVOID)
{
    otherThreadsBox = CreateWindowExA(0, "BUTTON", "", WS_POPUP | BS_AUTOCHECKBOX, 0, 0, 10, 10, nullptr,
                                               nullptr, nullptr, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}

Windows FindWindows()
{
    Windows w = {};
    while ((w.taskbar = FindWindowExA(nullptr, w.taskbar, "Shell_TrayWnd", nullptr))) {
        w.notifyArea = FindWindowExA(w.taskbar, nullptr, "TrayNotifyWnd", nullptr);
        if (w.notifyArea) break;
    }
    w.clock = FindWindowExA(w.notifyArea, nullptr, "TrayClockWClass", nullptr);
    GetCursorPos(&w.pointer);
    w.own = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CloseHandle(CreateThread(nullptr, 0, OtherThread, nullptr, 0, nullptr));
    while (!otherThreadsBox) Sleep(1);
    w.otherThreads = otherThreadsBox;
    return w;
}

void MakeCall(int which, const Windows& w)
{
    POINT at;
    RECT r;
    switch (which) {
    case 0: GetCursorPos(&at); break;
    case 1: WindowFromPoint(w.pointer); break;
    case 2: FindWindowA("TClockMainClass", "TClock"); break;
    case 3: GetForegroundWindow(); break;
    case 4: GetWindowRect(w.notifyArea, &r); break;
    case 5: {
        WINDOWINFO info = {};
        info.cbSize = sizeof info;
        GetWindowInfo(w.own, &info);
        break;
    }
    case 6: GetAsyncKeyState(VK_LBUTTON); break;
    case 7: SendMessageA(w.clock, WM_USER + 104, 1, 0); break;
    case 8: SendMessageA(w.otherThreads, BM_GETCHECK, 0, 0); break;
    }
}

const char* const kNames[] = {"GetCursorPos", "WindowFromPoint", "FindWindowA", "GetForegroundWindow",
                              "GetWindowRect(taskbar's)", "GetWindowInfo(own)", "GetAsyncKeyState",
                              "SendMessage(clock)", "BM_GETCHECK(other-thread)"};
constexpr int kCount = sizeof kNames / sizeof kNames[0];

ULONGLONG ThreadMicroseconds()
{
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ticks = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return (ticks(kernel) + ticks(user)) / 10;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        for (const char* name : kNames) std::printf("%s\n", name);
        return 0;
    }
    int which = 0;
    while (which < kCount && std::strcmp(kNames[which], argv[1]) != 0) ++which;
    if (which == kCount) {
        std::fprintf(stderr, "bench_calls: no call named %s\n", argv[1]);
        return 2;
    }
    const int n = argc > 2 ? std::atoi(argv[2]) : 20000;
    const Windows w = FindWindows();
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    const ULONGLONG cpu0 = ThreadMicroseconds();
    QueryPerformanceCounter(&start);
    for (int i = 0; i < n; ++i) MakeCall(which, w);
    QueryPerformanceCounter(&end);
    const ULONGLONG cpu1 = ThreadMicroseconds();
    std::printf("%s %.1f %.1f\n", kNames[which], 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart / n,
                static_cast<double>(cpu1 - cpu0) / n);
    return 0;
}
