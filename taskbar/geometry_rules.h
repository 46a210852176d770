// Geometry of the main window: minimum size, edge snapping, start position and popup placement.
#pragma once

#include <cstdint>

#include "taskbar/geometry_types.h"

// Taskbar edges as SHAppBarMessage reports them (ABE_LEFT .. ABE_BOTTOM).
constexpr uint32_t kEdgeLeft = 0;
constexpr uint32_t kEdgeTop = 1;
constexpr uint32_t kEdgeRight = 2;
constexpr uint32_t kEdgeBottom = 3;
constexpr uint32_t kAppBarAutoHideOnly = 1;  // ABS_AUTOHIDE without ABS_ALWAYSONTOP

// The notification area lies in a row on a top or bottom taskbar. An auto-hiding
// taskbar that is not always on top lays it out the other way round.
bool TrayIsHorizontal(uint32_t edge, uint32_t appBarState);

// Minimum outer size, title bar included. `pagerLayout` is the 5.1-6.2 family;
// there, with visual styles off, a visible hidden-icons button adds its smaller
// side along the row.
Size MinimumSize(bool horizontal, bool themed, const char* flavour, bool hiddenButtonVisible,
                 int32_t buttonWidth, int32_t buttonHeight, bool pagerLayout);

// SetWindowPos flags that only refresh the frame; such a call is never snapped.
constexpr uint32_t kFrameRefreshFlags = 0x13E;

// Snaps a proposed top-left (x, y) of a cx by cy window to the screen origin,
// the work area and the taskbar while it is dragged. The distances are those of
// 96 DPI, scaled to the `dpi` the window sees.
Point SnapPosition(int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t flags, const Rect& workArea,
                   const Rect& taskbarRect, uint32_t taskbarEdge, uint32_t dpi = 96);

// Pulls a saved position onto the screen: the whole primary screen when there is
// a single screen, else the given work area of the monitor nearest the position.
Point ClampInitialPosition(int32_t x, int32_t y, int32_t w, int32_t h, int32_t screenW, int32_t screenH,
                           bool singleScreen, const Rect& workArea);

// Popup placement beside the anchor (the main window). Mode 0: overflow window
// and clock tooltips; mode 1: the clock flyout. `workArea` is all zero when the
// monitor functions are missing. The result is signed: a popup on a monitor left
// of or above the primary screen keeps its negative place.
constexpr int32_t kPopupBelow = 0;
constexpr int32_t kPopupFlyout = 1;
Point PlacePopupNearWindow(int32_t mode, Point pointer, const Rect& anchor, int32_t popupW, int32_t popupH,
                           const Rect& workArea, int32_t screenW, int32_t screenH, bool flavourIs61AndThemed);

// Top-left for a secondary window of w by h shown near the pointer, kept 20
// pixels inside the work area near its edges. An area with right and bottom
// both 0 stands for the primary screen.
Point NearPointerPosition(const Rect& area, Point pointer, int32_t w, int32_t h, int32_t screenW,
                          int32_t screenH);
