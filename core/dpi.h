// The main window's DPI awareness against the live system. Every function used here is
// looked up at run time: the thread's and the window's awareness contexts came with
// Windows 10 1607, the monitor's DPI with 8.1.
#pragma once

#include <windows.h>

#include <cstdint>

// Reads the awareness of the notification area `area` (null where there is none) and of this
// thread, and decides how the main window is made. On the main thread, before it is made.
void PlanMainWindowAwareness(HWND area);
// Sets this thread to the planned awareness for the main window's creation (nothing where
// the plan keeps the thread's own). The result is the DPI the new window will see at `at`,
// a point in the program's own awareness.
uint32_t EnterMainWindowCreation(POINT at);
void LeaveMainWindowCreation();

// While one lives, this thread makes windows and reads coordinates in the program's own
// awareness (`programDpi`: the other windows look as they always have) or in the main
// window's (`mainWindowDpi`). Where the main window took the program's own awareness,
// neither changes anything.
class DpiScope {
public:
    enum Kind { programDpi, mainWindowDpi };
    explicit DpiScope(Kind kind);
    ~DpiScope();
    DpiScope(const DpiScope&) = delete;
    DpiScope& operator=(const DpiScope&) = delete;

private:
    HANDLE previous_;
};

// The DPI `window` sees; 96 where the system cannot tell.
uint32_t WindowDpi(HWND window);
