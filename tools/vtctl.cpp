// A small command-line helper for scripts/run: waits for the program's capture and ends the
// program the way a user does, through the popup menu's exit command.
//   vtctl wait-capture MS   exit 0 once the notification area lives in the program's window
//   vtctl end MS            choose "exit" and wait until the program's window is gone
//   vtctl open options|version MS   choose that menu item and wait until its window shows
//   vtctl rect CLASS        print the screen rectangle (left top right bottom) of the
//                           shown top-level window of that class
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static bool Captured()
{
    HWND notifyArea = nullptr;
    HWND taskbar = nullptr;
    while ((taskbar = FindWindowExA(nullptr, taskbar, "Shell_TrayWnd", nullptr))) {
        if ((notifyArea = FindWindowExA(taskbar, nullptr, "TrayNotifyWnd", nullptr))) return false;
    }
    HWND main = FindWindowA("TVeltrWnd", nullptr);
    return main && FindWindowExA(main, nullptr, "TrayNotifyWnd", nullptr);
}

static bool WaitFor(bool (*done)(), DWORD timeout)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeout) return false;
        Sleep(100);
    }
    return true;
}

static bool ProgramGone() { return FindWindowA("TVeltrWnd", nullptr) == nullptr; }

static const char* openClass = "";
static bool WindowShown()
{
    HWND window = FindWindowA(openClass, nullptr);
    return window && IsWindowVisible(window);
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: vtctl wait-capture|end MILLISECONDS | open options|version MILLISECONDS | rect CLASS\n");
        return 2;
    }
    if (!std::strcmp(argv[1], "rect")) {
        HWND window = FindWindowA(argv[2], nullptr);
        RECT r;
        if (!window || !IsWindowVisible(window) || !GetWindowRect(window, &r)) return 1;
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (!std::strcmp(argv[1], "open") && argc >= 4) {
        // The popup menu's items "options" and "version" and the classes of their windows.
        const bool options = !std::strcmp(argv[2], "options");
        if (!options && std::strcmp(argv[2], "version")) return 2;
        openClass = options ? "VeltOption" : "VeltVerWnd";
        PostMessageA(FindWindowA("TVeltrWnd", nullptr), WM_COMMAND, options ? 24 : 26, 0);
        return WaitFor(WindowShown, static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10))) ? 0 : 1;
    }
    DWORD timeout = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
    if (!std::strcmp(argv[1], "wait-capture")) return WaitFor(Captured, timeout) ? 0 : 1;
    if (!std::strcmp(argv[1], "end")) {
        const WPARAM exitCommand = 23;
        PostMessageA(FindWindowA("TVeltrWnd", nullptr), WM_COMMAND, exitCommand, 0);
        return WaitFor(ProgramGone, timeout) ? 0 : 1;
    }
    std::fprintf(stderr, "vtctl: unknown command %s\n", argv[1]);
    return 2;
}
