// The two watcher threads and the state the pointer watcher shares with the main window.
#pragma once

#include <windows.h>

#include "core/shared_state.h"
#include "watch/pointer_rules.h"

// Clock-click and tooltip state of the pointer watcher, reset by the main window's timers.
extern SharedWord clockClickCount;
extern SharedWord clickTimersStarted;
extern SharedWord tipTimerArmed;
extern SharedWord clockLeftHeld;
extern SharedWord clockRightPressed;
extern SharedWord lastPointerX;
extern SharedWord lastPointerY;
// SetTimer results kept for the timers the pointer watcher arms on the main window.
extern SharedWord clickWindowTimerSet;
extern SharedWord singleClickTimerSet;
extern SharedWord tooltipDelayTimerSet;

DWORD WINAPI TrayWatchThread(LPVOID control);
// One test of the pointer against the screen edges chosen in the options window; each
// edge touched reveals the main window.
void SenseScreenEdges();
// Shows a hidden main window and brings it forward.
void RevealMainWindow();
DWORD WINAPI PointerWatchThread(LPVOID control);

// How the captured clock is driven on this taskbar (see pointer_rules.h), asked afresh.
ClockKind CurrentClockKind();
// One cycle of the clock handling of the pointer watcher.
void TrackClockPointer();
// The pointer or the focus is on the tray, the clock's popups or the program's windows.
bool IsPointerOrFocusOnTray();
// Button 0 is the logical left (primary) button, 1 the logical right one.
bool IsLogicalButtonDown(int button);
bool IsLogicalButtonUp(int button);

// Fills a control record for a watcher that is to run; its wake event is made once.
void PrepareWatcherControl(WatcherControl& control, HWND owner);
// Asks a watcher to end and cuts its pause short.
void RequestWatcherStop(WatcherControl& control);
// A watcher's pause, its cycle's or a wait within one, cut short by a stop request. False
// when the watcher is to go no further: it is to stop, or the ending has begun.
bool WatcherPause(const WatcherControl& control, DWORD milliseconds);
// A quiet watcher's pause between cycles, which a nudge also cuts short: a nudge that came
// since the cycle began (ListenForNudges) ends it at once. True when a nudge ended it.
bool WatcherNap(const WatcherControl& control, DWORD milliseconds);
void ListenForNudges(WatcherControl& control);
// What can need a napping watcher has happened (the pointer over the main window, its
// activation, a hotkey, an edge reveal, a move or size of the main window). Does nothing
// unless the watcher listens, so a usual watcher never hears of it.
void NudgeWatcher(WatcherControl& control);
