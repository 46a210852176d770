// Starting and stopping the watcher threads through their control records.
#include "watch/watchers.h"

void PrepareWatcherControl(WatcherControl& control, HWND owner)
{
    control.owner = owner;
    control.stopRequested = 0;
    control.active = 1;
    if (!control.wake) control.wake = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!control.nudge) control.nudge = CreateEventA(nullptr, FALSE, FALSE, nullptr);
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

void ListenForNudges(WatcherControl& control) { control.listening = 1; }

void NudgeWatcher(WatcherControl& control)
{
    // One signal for each cycle that listens, however many events come meanwhile.
    if (control.listening.exchange(0) && control.nudge) SetEvent(control.nudge);
}

bool WatcherNap(const WatcherControl& control, DWORD milliseconds)
{
    if (!control.nudge || !control.wake) {
        WatcherPause(control, milliseconds);
        return false;
    }
    const HANDLE events[] = {control.wake, control.nudge};
    const DWORD woken = WaitForMultipleObjects(2, events, FALSE, milliseconds);
    if (woken == WAIT_FAILED) Sleep(milliseconds);
    return woken == WAIT_OBJECT_0 + 1;
}
