// Process-wide state shared by the main thread and the two watcher threads.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

// Flags and values that more than one thread reads: one 32-bit word each, written and read
// whole. No step relies on two of them changing together, so no lock is taken.
using SharedWord = std::atomic<int32_t>;
extern SharedWord endingStarted;
extern SharedWord frameDragging;
extern SharedWord secondaryWindowOpen;
extern SharedWord pointerOnOwnWindows;
extern SharedWord titleBarShown;
extern SharedWord hiddenCaptionHeight;
extern SharedWord minWidth;
extern SharedWord minHeight;
extern SharedWord visibleIconCount;
extern SharedWord sensingKeys;
// Raised by the main window for each broadcast that tells of a change of the display, the
// system's settings or colours, or the visual style, and for a new taskbar: the quiet tray
// watch asks the theme, the colour depth, the tray's direction and the flavour again then.
extern SharedWord systemChanges;

// The program's windows; a handle is empty until its window exists. Written on the main
// thread before the watchers start.
extern HINSTANCE instance;
extern HWND mainWindow;
extern HWND ownerWindow;
extern HWND optionsWindow;
extern HWND versionWindow;
extern HWND clockTipWindow;
extern HWND waitWindow;

// How the main thread runs and stops a watcher thread. `wake` lets a stop request cut a
// watcher's pause short instead of waiting out the cycle. `quiet` chooses the quiet
// watcher; it is set before the thread starts and never changes. A quiet watcher may take
// a long nap when nothing can need it soon: `nudge` (an event that resets itself) cuts the
// nap short, and `listening` says that the watcher wants to hear of a nudge since its
// cycle began.
struct WatcherControl {
    HWND owner;
    SharedWord stopRequested;
    SharedWord active;
    HANDLE wake;
    SharedWord quiet;
    HANDLE nudge;
    SharedWord listening;
};
extern WatcherControl trayWatchControl;
extern WatcherControl pointerWatchControl;
