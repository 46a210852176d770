// Finds the taskbar's windows and counts the visible notification icons by reading the
// toolbar's buttons out of the taskbar's process.
#include "taskbar/taskbar_windows.h"

#include <commctrl.h>

#include "core/optional_functions.h"
#include "taskbar/flavour.h"

TaskbarWindows taskbarWindows;

void FindTaskbarWindows()
{
    TaskbarWindows& t = taskbarWindows;
    t.taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    t.notifyArea = FindWindowExA(t.taskbar, nullptr, "TrayNotifyWnd", nullptr);
    t.clock = FindWindowExA(t.notifyArea, nullptr, "TrayClockWClass", nullptr);
    t.showDesktopButton = FindWindowExA(t.notifyArea, nullptr, "TrayShowDesktopButtonWClass", nullptr);
    if (IsVersion51To62()) {
        t.hiddenIconsButton = FindWindowExA(t.notifyArea, nullptr, "Button", nullptr);
        t.pager = FindWindowExA(t.notifyArea, nullptr, "SysPager", nullptr);
        t.pagerToolbar = FindWindowExA(t.pager, nullptr, "ToolbarWindow32", nullptr);
        t.iconToolbar = t.pagerToolbar;
        t.systemPager = FindWindowExA(t.notifyArea, t.pager, "SysPager", nullptr);
    } else {
        t.iconToolbar = FindWindowExA(t.notifyArea, nullptr, "ToolbarWindow32", nullptr);
    }
    t.rebar = FindWindowExA(t.taskbar, nullptr, "ReBarWindow32", nullptr);
}

// TB_GETBUTTON writes the taskbar's own TBBUTTON (20 bytes in the 32-bit layout, 32 in the
// 64-bit one); the state byte sits at offset 8 in both. A page is committed in any case.
constexpr SIZE_T kRemoteBlockSize = 4096;
constexpr SIZE_T kRemoteButtonSize = 20;
constexpr SIZE_T kStateOffset = 8;

int CountShownButtons(HWND toolbar)
{
    const OptionalFunctions& f = optionalFunctions;
    if (!f.virtualAllocEx || !f.virtualFreeEx || !toolbar) return -1;
    DWORD processId = 0;
    GetWindowThreadProcessId(toolbar, &processId);
    if (!processId) return -1;
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) return -1;
    void* remote = f.virtualAllocEx(process, nullptr, kRemoteBlockSize, MEM_COMMIT, PAGE_READWRITE);
    int visible = -1;
    if (remote) {
        int count = static_cast<int>(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
        visible = 0;
        for (int i = 0; i < count; ++i) {
            unsigned char button[kRemoteButtonSize] = {};
            SIZE_T copied = 0;
            SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(remote));
            if (!ReadProcessMemory(process, remote, button, sizeof button, &copied) || copied != sizeof button) {
                visible = -1;
                break;
            }
            if (!(button[kStateOffset] & TBSTATE_HIDDEN)) ++visible;
        }
        f.virtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return visible;
}

int CountVisibleTrayIcons()
{
    // A partial count would make the fit shrink the window wrongly: none counts as 0.
    const int visible = CountShownButtons(taskbarWindows.iconToolbar);
    return visible < 0 ? 0 : visible;
}

bool IsNot256ColorDisplay()
{
    HWND desktop = GetDesktopWindow();
    HDC dc = GetDC(desktop);
    int depth = GetDeviceCaps(dc, PLANES) * GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(desktop, dc);
    return depth != 8;
}

LRESULT SendToTaskbarBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Three of these make one paint of the main window: together they stay well under a second.
    constexpr UINT kAnswerBound = 250;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, kAnswerBound, &result)) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}
