// Windows 10's calendar, as the pointer watcher learns it after a press on the clock: the
// window that the single-click timer leaves in front, and that hide-when-inactive counts
// among the tray's windows while the user reads it.
#pragma once

#include <windows.h>

// A press on Windows 10's clock: its calendar is awaited. `inFront` is the foreground window
// as the press found it.
void AwaitClockCalendar(HWND inFront);
// The pointer watcher's look, once a cycle, while a calendar is awaited; `held` while the
// press's button is still down.
void LookForClockCalendar(bool held);
// The calendar found last; null until one is.
HWND ClockCalendar();
// The calendar is the foreground window now: the one found, or one arriving right now.
bool ClockCalendarInFront();
