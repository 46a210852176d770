// Decisions of the tray-watch cycle over plain values: which modifier keys edge sensing
// waits for, which edges the pointer touches, when to trim the working set, when the
// taskbar is collapsed, the flat look, the band area's stretch and the show-desktop pin.
#pragma once

#include <cstdint>
#include <optional>

#include "settings/settings_rules.h"
#include "taskbar/geometry_types.h"

// Whether edge sensing runs this cycle for the stored sum of modifier keys. `held` is
// asked for the keys the sum names in the order Shift, Ctrl, Alt, with kSensingShift,
// kSensingCtrl or kSensingAlt; the first key not held ends the test, so later keys are
// not asked. A sum that names no valid set of keys senses nothing.
template <typename Held>
bool SensingKeysHeld(int32_t sensingKeys, Held held)
{
    const SensingKeys keys = UnpackSensingKeys(sensingKeys);
    if (!keys.valid) return false;
    if (keys.shift && !held(kSensingShift)) return false;
    if (keys.ctrl && !held(kSensingCtrl)) return false;
    if (keys.alt && !held(kSensingAlt)) return false;
    return true;
}

// The edge boxes of the options window.
struct EdgeBoxes {
    bool top, down, left, right;
};

// How many edges the pointer touches (each one reveals the window once). The near edges
// are the row and column at 0; the far ones start two pixels before `right` / `bottom`
// and run on beyond them.
int SensedEdgeCount(const EdgeBoxes& boxes, Point pointer, int32_t right, int32_t bottom);

// The working set is trimmed to between these two sizes once it reaches the threshold.
constexpr uint64_t kWorkingSetThreshold = 2048000;
constexpr uint64_t kWorkingSetTrimMinimum = 512000;
constexpr uint64_t kWorkingSetTrimMaximum = 1024000;
bool ShouldTrimWorkingSet(uint64_t workingSetBytes);

// A taskbar whose client area is exactly 2 pixels wide or high is collapsed (hidden away).
bool IsTaskbarCollapsed(const Rect& taskbarClient);

// The notification area's extended style under the flat look: the static edge goes when
// visual styles are off and the box is checked. The box itself is enabled exactly when
// visual styles are off.
constexpr uint32_t kStaticEdgeStyle = 0x00020000;  // WS_EX_STATICEDGE
uint32_t FlatExtendedStyle(uint32_t extendedStyle, bool themed, bool flatChecked);

// Position and size for SetWindowPos / MoveWindow.
struct Placement {
    int32_t x, y, width, height;
};

// The band area keeps its top-left corner (`origin`, in the taskbar's client coordinates)
// and stretches over the rest of the taskbar: to its right end in a row, to its bottom in
// a column.
Placement StretchBandArea(const Rect& taskbarClient, Point origin, bool horizontal);

// Where the show-desktop button (window rectangle `button`) goes so that it stays at the
// far end of the notification area (`notifyArea`) filling the main window's client area
// `client`; nothing when it lies beyond the notification area's far edge, or while the
// area is not as thick as the client area.
std::optional<Placement> PinShowDesktopButton(const Rect& button, const Rect& notifyArea, const Rect& client,
                                              bool horizontal);

// The quiet tray watch (QuietWatch=1) does only what a change needs. Its pass is the usual
// 300 ms after a pass that found something to do, and longer while nothing changes; either
// way a change takes effect within a second.
constexpr uint32_t kQuietTrayPause = 300;
constexpr uint32_t kQuietTrayIdlePause = 450;
// The icon toolbar's buttons, which the quiet pass reads only now and then, are never older
// than this.
constexpr uint32_t kQuietRefresh = 1000;
// Such a reading, last made `at` (if `done`), is due again now when the pass after this one
// would find it older than kQuietRefresh.
bool IsDueAgain(bool done, uint32_t at, uint32_t now);
// The theme, the colour depth, the tray's direction and the flavour, dear to ask, the quiet
// pass asks again when the main window heard of a change (`changes`, the count of such
// broadcasts, differs from the one they were asked at), and besides every few seconds, for
// a change that nothing told of. The working set is trimmed along with them.
constexpr uint32_t kQuietSystemRefresh = 5000;
struct SystemReading {
    bool done;
    uint32_t at;  // milliseconds
    int32_t changes;
};
bool AsksSystemAgain(const SystemReading& last, int32_t changes, uint32_t now);
// The icon toolbar's count is asked every pass; its buttons are read again only when the
// count changed or the last whole reading is due again.
struct ButtonsReading {
    bool done;
    int32_t count;
    uint32_t at;  // milliseconds
};
bool ReadsTrayButtons(const ButtonsReading& last, int32_t count, uint32_t now);

// What the captured windows' look depends on, as one pass sees it.
struct TrayLook {
    int32_t buttons;      // the icon toolbar's count
    uint32_t hiddenMark;  // which of them are hidden (MarkTrayButton)
    Rect area;            // the notification area within the main window's client area
    bool themed;
    bool not256Colors;
    bool shown;           // the main window
    int32_t width, height;  // the main window's size
    int32_t minute;       // of the local time
};
// What a quiet pass repaints: the captured area, the icon toolbar and the hidden-icons
// button (with the clock and the main window, as the usual pass does) only after a change
// of their own; the clock alone when only the minute turned, so that a clock that does not
// repaint itself while it is away from the taskbar still shows the time. `before` is null
// at the first pass.
enum QuietRepaint : uint32_t { kRepaintNothing = 0, kRepaintClock = 1, kRepaintAll = 3 };
QuietRepaint QuietRepaintFor(const TrayLook* before, const TrayLook& now);
