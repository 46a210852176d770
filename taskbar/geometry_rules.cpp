// Geometry of the main window: minimum size, edge snapping, start position and popup placement.
#include "taskbar/geometry_rules.h"

#include <algorithm>
#include <cstring>

#include "core/dpi_rules.h"

namespace {

struct MinimumSizeRow {
    bool horizontal;
    bool themed;
    Size base;
    Size flavour61;  // {0, 0}: the base stays
    Size flavour60;
    Size flavour51;
};

// Sizes at which the captured notification area still shows its clock and one icon.
constexpr MinimumSizeRow kMinimumSizes[] = {
    {true, true, {45, 63}, {80, 65}, {85, 63}, {0, 0}},
    {false, true, {60, 95}, {80, 150}, {60, 125}, {0, 0}},
    {true, false, {40, 56}, {44, 50}, {60, 56}, {44, 56}},
    {false, false, {40, 50}, {44, 85}, {44, 80}, {0, 0}},
};

bool Within(int32_t value, int32_t target, int32_t below, int32_t above)
{
    return target + below <= value && value <= target + above;
}

bool StrictlyWithin(int32_t value, int32_t target, int32_t below, int32_t above)
{
    return target + below < value && value < target + above;
}

}  // namespace

bool TrayIsHorizontal(uint32_t edge, uint32_t appBarState)
{
    const bool horizontal = edge == kEdgeTop || edge == kEdgeBottom;
    return appBarState == kAppBarAutoHideOnly ? !horizontal : horizontal;
}

Size MinimumSize(bool horizontal, bool themed, const char* flavour, bool hiddenButtonVisible,
                 int32_t buttonWidth, int32_t buttonHeight, bool pagerLayout)
{
    Size size{0, 0};
    for (const MinimumSizeRow& row : kMinimumSizes) {
        if (row.horizontal != horizontal || row.themed != themed) {
            continue;
        }
        Size column{0, 0};
        if (std::strcmp(flavour, "6.1") == 0) {
            column = row.flavour61;
        } else if (std::strcmp(flavour, "6.0") == 0) {
            column = row.flavour60;
        } else if (std::strcmp(flavour, "5.1") == 0) {
            column = row.flavour51;
        }
        size = column.width != 0 ? column : row.base;
    }
    // With classic styles the hidden-icons button sits beside the icons and
    // takes room the table does not count.
    if (pagerLayout && !themed && hiddenButtonVisible) {
        const int32_t extra = std::min(buttonWidth, buttonHeight);
        if (horizontal) {
            size.width += extra;
        } else {
            size.height += extra;
        }
    }
    return size;
}

Point SnapPosition(int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t flags, const Rect& workArea,
                   const Rect& taskbarRect, uint32_t taskbarEdge, uint32_t dpi)
{
    if (flags == kFrameRefreshFlags) {
        return {x, y};
    }
    Rect bar = taskbarRect;
    if (taskbarEdge > kEdgeBottom) {
        // No known edge: a taskbar side that only repeats the work area's is no target.
        if (bar.left == workArea.left) bar.left = 0;
        if (bar.top == workArea.top) bar.top = 0;
        if (bar.right == workArea.right) bar.right = 0;
        if (bar.bottom == workArea.bottom) bar.bottom = 0;
    }
    const auto d = [dpi](int32_t distance) { return ScaleToDpi(distance, dpi); };

    if (Within(x, 0, d(-15), d(10))) {
        x = 0;
    } else if (Within(x, workArea.left, d(-15), d(10))) {
        x = workArea.left;
    } else if (StrictlyWithin(x, bar.left, d(-10), d(15))) {
        x = bar.left;
    }

    if (Within(y, 0, d(-3), d(10))) {
        y = 0;
    } else if (Within(y, workArea.top, d(-3), d(10))) {
        y = workArea.top;
    } else if (StrictlyWithin(y, bar.top, d(-10), d(15))) {
        y = bar.top;
    }

    // Right and bottom come last and win over the left and top snaps.
    if (Within(x + cx, workArea.right, d(-10), d(15))) {
        x = workArea.right - cx;
    } else if (StrictlyWithin(x + cx, bar.right, d(-10), d(8))) {
        x = bar.right - cx;
    }

    if (Within(y + cy, workArea.bottom, d(-10), d(15))) {
        y = workArea.bottom - cy;
    } else if (StrictlyWithin(y + cy, bar.bottom, d(-10), d(8))) {
        y = bar.bottom - cy;
    }
    return {x, y};
}

Point ClampInitialPosition(int32_t x, int32_t y, int32_t w, int32_t h, int32_t screenW, int32_t screenH,
                           bool singleScreen, const Rect& workArea)
{
    const Rect bounds = singleScreen ? Rect{0, 0, screenW, screenH} : workArea;
    if (x + w > bounds.right) {
        x = bounds.right - w;
    } else if (x < bounds.left) {
        x = bounds.left;
    }
    if (y + h > bounds.bottom) {
        y = bounds.bottom - h;
    } else if (y < bounds.top) {
        y = bounds.top;
    }
    return {x, y};
}

Point PlacePopupNearWindow(int32_t mode, Point pointer, const Rect& anchor, int32_t popupW, int32_t popupH,
                           const Rect& workArea, int32_t screenW, int32_t screenH, bool flavourIs61AndThemed)
{
    const int32_t bottomLimit = screenH;
    const bool noWorkArea = workArea.right == 0 && workArea.bottom == 0;
    const int32_t rightLimit = (noWorkArea || workArea.bottom == screenH) ? screenW : workArea.right;

    int32_t x = pointer.x - popupW / 2;
    int32_t y = 0;
    if (mode == kPopupFlyout) {
        // Under the 6.1 visual style the flyout's shadow needs a little room.
        y = anchor.bottom + (flavourIs61AndThemed ? 6 : 0);
        if (popupH + anchor.bottom >= bottomLimit) {
            y = anchor.top - popupH;
        }
        if (anchor.right + popupW >= rightLimit) {
            x = rightLimit - popupW;
        } else if (anchor.left - popupW <= 0 && x <= 0) {
            x = 0;
        }
    } else {
        if (x + popupW >= rightLimit) {
            x = rightLimit - popupW;
        } else if (x <= 0) {
            x = 0;
        }
        y = anchor.bottom;
        if (anchor.bottom >= bottomLimit) {
            y = anchor.top - popupH;
        }
    }
    return {x, y};
}

Point NearPointerPosition(const Rect& area, Point pointer, int32_t w, int32_t h, int32_t screenW,
                          int32_t screenH)
{
    const Rect a = (area.right == 0 && area.bottom == 0) ? Rect{0, 0, screenW, screenH} : area;
    const int32_t x0 = pointer.x - w / 2;
    const int32_t y0 = pointer.y - h / 2;
    const bool nearLeft = x0 <= a.left + 10;
    const bool nearTop = y0 <= a.top + 10;
    const bool nearRight = pointer.x + w >= a.right;
    const bool nearBottom = pointer.y + h >= a.bottom;

    const int32_t insideLeft = a.left + 20;
    const int32_t insideTop = a.top + 20;
    const int32_t insideRight = a.right - w - 20;
    const int32_t insideBottom = a.bottom - h - 20;
    if (nearLeft && nearTop) return {insideLeft, insideTop};
    if (nearLeft && nearBottom) return {insideLeft, insideBottom};
    if (nearRight && nearTop) return {insideRight, insideTop};
    if (nearRight && nearBottom) return {insideRight, insideBottom};
    // One near edge: the other coordinate stays centred, except that the left and
    // top rows use screen coordinate 20 and the top and bottom rows the pointer's x.
    if (nearLeft) return {20, y0};
    if (nearTop) return {pointer.x, 20};
    if (nearRight) return {insideRight, y0};
    if (nearBottom) return {pointer.x, insideBottom};
    return {x0, y0};
}
