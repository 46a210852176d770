// The pointer and clock watcher: a cycle every 5 ms.
#include "core/fault_point.h"
#include "taskbar/taskbar_windows.h"
#include "watch/watchers.h"

SharedWord clockClickCount{0};
SharedWord clickTimersStarted{0};
SharedWord tipTimerArmed{0};
SharedWord clockLeftHeld{0};
SharedWord lastPointerX{0};
SharedWord lastPointerY{0};
SharedWord clickWindowTimerSet{0};
SharedWord singleClickTimerSet{0};
SharedWord tooltipDelayTimerSet{0};

constexpr DWORD kPointerWatchPause = 5;

// Explorer lays the notification area out for its own size, so it must follow every change
// of the main window's client area.
static void KeepNotifyAreaFilling()
{
    RECT client{};
    GetClientRect(mainWindow, &client);
    MoveWindow(taskbarWindows.notifyArea, 0, 0, client.right, client.bottom, TRUE);
}

DWORD WINAPI PointerWatchThread(LPVOID parameter)
{
    WatcherControl& control = *static_cast<WatcherControl*>(parameter);
    for (;;) {
        if (control.stopRequested) return static_cast<DWORD>(control.stopRequested.load());
        if (!control.active || endingStarted) continue;
        FaultPoint(FaultSite::pointerWatchCycle);
        // Clock tracking and hiding on deactivation are not built yet.
        KeepNotifyAreaFilling();
        WaitForSingleObject(control.wake, kPointerWatchPause);
    }
}
