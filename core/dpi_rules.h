// How the main window meets the DPI awareness of the notification area it hosts, and how its
// own sizes follow the DPI it sees. A SetParent across two awareness modes makes the system
// reset the DPI handling of the taskbar's process; a main window of the area's awareness
// avoids it.
#pragma once

#include <cstdint>

// A window's or a thread's awareness. The two per-monitor kinds are one mode to SetParent;
// they differ only in how the system scales a window's frame.
enum class DpiAwareness : int32_t { unknown = -1, unaware, system, perMonitor, perMonitorV2 };

// Which of the system's DPI functions exist: none (Windows 95 to 8), only the process-wide
// setting (8.1, 10 before 1607), or the thread's and the window's contexts (10 1607 on).
enum class DpiFunctions { none, processWide, threadContexts };

// What to do around the main window's creation: set the thread to `context`, create the
// window, set the thread back. Where the system refuses `context`, `fallback` is tried
// (unknown: nothing more).
struct DpiPlan {
    bool setThreadContext;
    DpiAwareness context;
    DpiAwareness fallback;
};
DpiPlan PlanMainWindowDpi(DpiFunctions functions, DpiAwareness area, DpiAwareness thread);

constexpr uint32_t kBaseDpi = 96;

// The DPI a new window of `awareness` sees: 96 unaware, the system's when system aware, the
// monitor's when per-monitor aware. A DPI that could not be read (0) counts as 96.
uint32_t DpiOfNewWindow(DpiAwareness awareness, uint32_t systemDpi, uint32_t monitorDpi);

// A length of 96 DPI at `dpi`, and back, rounded to the nearest pixel.
int32_t ScaleToDpi(int32_t value, uint32_t dpi);
int32_t ScaleFromDpi(int32_t value, uint32_t dpi);

// The window's place as velt.ini keeps it.
struct Place {
    int32_t left, top, width, height;
};
// velt.ini keeps the place in 96-DPI units, as every copy so far wrote it (its window was DPI
// unaware, and the system showed it such units at any scale). A window that sees another DPI
// takes it scaled on the way in and gives it back scaled on the way out, so that a file
// written before keeps its place and size on the screen, and either kind of copy reads what
// the other wrote.
Place PlaceForWindow(const Place& saved, uint32_t dpi);
Place PlaceForSettings(const Place& window, uint32_t dpi);
