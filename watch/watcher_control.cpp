// Starting and stopping the watcher threads through their control records.
#include "watch/watchers.h"

void PrepareWatcherControl(WatcherControl& control, HWND owner)
{
    control.owner = owner;
    control.stopRequested = 0;
    control.active = 1;
    if (!control.wake) control.wake = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

void RequestWatcherStop(WatcherControl& control)
{
    control.stopRequested = 1;
    control.active = 0;
    if (control.wake) SetEvent(control.wake);
}

bool WatcherPause(const WatcherControl& control, DWORD milliseconds)
{
    // Without its event (it could not be made) a watcher still pauses, rather than spin.
    if (!control.wake || WaitForSingleObject(control.wake, milliseconds) == WAIT_FAILED) Sleep(milliseconds);
    return !control.stopRequested && !endingStarted;
}
