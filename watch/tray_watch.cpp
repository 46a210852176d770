// The tray-watch thread: a cycle every 300 ms.
#include "core/fault_point.h"
#include "watch/watchers.h"

constexpr DWORD kTrayWatchPause = 300;

DWORD WINAPI TrayWatchThread(LPVOID parameter)
{
    WatcherControl& control = *static_cast<WatcherControl*>(parameter);
    for (;;) {
        if (control.stopRequested) return static_cast<DWORD>(control.stopRequested.load());
        FaultPoint(FaultSite::trayWatchCycle);
        // The cycle's work (edge sensing, taskbar upkeep, icon-count watch) is not built yet:
        // for now the thread only keeps its rhythm and answers a stop request.
        WaitForSingleObject(control.wake, kTrayWatchPause);
    }
}
