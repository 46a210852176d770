// Gives the notification area back: re-parent it, let the taskbar take its home size and
// ask it to lay itself out again.
#include "app/taskbar_return.h"

#include <windows.h>

#include "app/main_window.h"
#include "taskbar/taskbar_windows.h"

void ReturnNotifyAreaToTaskbar()
{
    const TaskbarWindows& t = taskbarWindows;
    SetParent(t.notifyArea, t.taskbar);
    MoveWindow(t.taskbar, 0, 0, notifyAreaHomeRect.right - notifyAreaHomeRect.left,
               notifyAreaHomeRect.bottom - notifyAreaHomeRect.top, TRUE);
    PostMessageA(t.taskbar, WM_SIZE, 0, 0);
    notifyAreaCaptured = false;
    ReleaseToolbarBlocks();
}
