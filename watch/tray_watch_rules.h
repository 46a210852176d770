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
// `client`; nothing when it lies beyond the notification area's far edge.
std::optional<Placement> PinShowDesktopButton(const Rect& button, const Rect& notifyArea, const Rect& client,
                                              bool horizontal);
