// The tray-watch cycle's decisions; see tray_watch_rules.h.
#include "watch/tray_watch_rules.h"

int SensedEdgeCount(const EdgeBoxes& boxes, Point pointer, int32_t right, int32_t bottom)
{
    int count = 0;
    if (boxes.top && pointer.y == 0) ++count;
    if (boxes.down && pointer.y >= bottom - 2) ++count;
    if (boxes.left && pointer.x == 0) ++count;
    if (boxes.right && pointer.x >= right - 2) ++count;
    return count;
}

bool ShouldTrimWorkingSet(uint64_t workingSetBytes) { return workingSetBytes >= kWorkingSetThreshold; }

bool IsTaskbarCollapsed(const Rect& c) { return c.right - c.left == 2 || c.bottom - c.top == 2; }

uint32_t FlatExtendedStyle(uint32_t extendedStyle, bool themed, bool flatChecked)
{
    if (!themed && flatChecked) return extendedStyle & ~kStaticEdgeStyle;
    return extendedStyle;
}

Placement StretchBandArea(const Rect& c, Point origin, bool horizontal)
{
    if (horizontal) return {origin.x, origin.y, c.right - origin.x, c.bottom - c.top};
    return {origin.x, origin.y, c.right - c.left, c.bottom - origin.y - c.top};
}

std::optional<Placement> PinShowDesktopButton(const Rect& b, const Rect& n, const Rect& c, bool horizontal)
{
    const int32_t w = b.right - b.left, h = b.bottom - b.top;
    // An area that the taskbar has just laid out at a place of its own (Windows 10 does so
    // after every icon that comes or goes) is not yet the main window's: its button then has
    // the taskbar's thickness, which a pin would keep after the area is put back.
    if (horizontal ? n.bottom - n.top != c.bottom - c.top : n.right - n.left != c.right - c.left) return std::nullopt;
    if (horizontal && b.left <= n.right) return Placement{c.right - w, 0, w, h};
    if (!horizontal && b.top <= n.bottom) return Placement{0, c.bottom - h, w, h};
    return std::nullopt;
}

bool IsDueAgain(bool done, uint32_t at, uint32_t now) { return !done || now - at + kQuietTrayIdlePause >= kQuietRefresh; }

bool AsksSystemAgain(const SystemReading& last, int32_t changes, uint32_t now)
{
    return !last.done || changes != last.changes || now - last.at >= kQuietSystemRefresh;
}

bool ReadsTrayButtons(const ButtonsReading& last, int32_t count, uint32_t now)
{
    return count != last.count || IsDueAgain(last.done, last.at, now);
}

QuietRepaint QuietRepaintFor(const TrayLook* b, const TrayLook& n)
{
    if (!b) return kRepaintAll;
    const bool areaSame = b->area.left == n.area.left && b->area.top == n.area.top && b->area.right == n.area.right &&
                          b->area.bottom == n.area.bottom;
    if (b->buttons != n.buttons || b->hiddenMark != n.hiddenMark || !areaSame || b->themed != n.themed ||
        b->not256Colors != n.not256Colors || b->shown != n.shown || b->width != n.width || b->height != n.height) {
        return kRepaintAll;
    }
    return b->minute != n.minute ? kRepaintClock : kRepaintNothing;
}
