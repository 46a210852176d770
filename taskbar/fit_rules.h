// The automatic fit of the main window to the visible notification icons: a window shaped
// as one column takes the height its icons need, one shaped as a row the width, and its
// far edge stays on the monitor.
#pragma once

#include <cstdint>
#include <optional>

#include "taskbar/geometry_types.h"

// Room of one visible icon; the row of "5.0" packs its icons tighter.
constexpr int32_t kFitIconSize = 24;
constexpr int32_t kFitIconSize50Row = 21;
// A window within this much of its minimum width (height) counts as one column (row).
constexpr int32_t kFitShapeSlack = 4;

bool IsOneColumn(int32_t width, int32_t minimumWidth);
bool IsOneRow(int32_t height, int32_t minimumHeight);

// What the fit measures of the system. A size is used only when its window exists.
struct FitMeasures {
    const char* flavour;          // "6.1", "5.1", ...
    bool themed;                  // visual styles active
    bool horizontal;              // the notification area lies in a row
    int32_t visibleIcons;         // shown buttons of the icon toolbar
    int32_t totalButtons;         // all of its buttons, hidden ones included
    bool clockExists;
    Size clock;
    bool hiddenIconsButtonExists;
    Size hiddenIconsButton;
    bool showDesktopButtonExists;
    Size showDesktopButton;
    int32_t hiddenCaptionHeight;  // caption height while the title bar is hidden, else 0
    int32_t windows10Rest;        // Windows 10's tray beside its icons (see below); 0 elsewhere
    Size frame;                   // the main window's outer size less its client area
};

// Windows 10's notification area holds more beside its icons than the clock and the two
// buttons: the system icons, the input indicator, the action centre. Its length beside the
// icons along the taskbar's row (column on a vertical taskbar), as the taskbar laid it out
// before the capture, is the rest. Along that row a window takes its icons, that rest and its
// frame: a one-row window on a horizontal taskbar, a one-column one on a vertical taskbar.
// The minimum there makes room for one icon.
int32_t Windows10TrayLength(int32_t rest, int32_t icons, int32_t frame);
// The minimum outer size raised along the taskbar's row to that length for one icon. `frame`
// counts the title bar's height, as the minimum does.
Size Windows10MinimumSize(Size minimum, bool horizontal, int32_t rest, Size frame);

// Outer height to give a one-column window (on Windows 10 along a vertical taskbar, its
// length, from the window's present frame). The computed heights count a title bar, so
// the hidden caption's height comes off them; where the window keeps its old height
// (visual styles on; "6.1" in a row) that height is applied unchanged, or a window
// without a title bar would lose the caption's height at every fit.
int32_t OneColumnHeight(const FitMeasures& m, int32_t oldHeight);

// Outer width to give a one-row window (on Windows 10 along a horizontal taskbar, its length).
int32_t OneRowWidth(const FitMeasures& m, int32_t oldWidth);

// After a resize that kept the top-left corner: the new top (left) that keeps the far
// edge on the monitor, or nothing when the window stays where it is. A window reaching
// to or past the monitor's far edge ends at it; one whose far edge sat at or past both
// the new far edge and the monitor's keeps its old far edge.
std::optional<int32_t> KeepFarEdge(int32_t newStart, int32_t newEnd, int32_t oldEnd, int32_t monitorEnd);

// A window at both minimum width and minimum height gets its old size back after the fit.
bool KeepsOldSize(int32_t oldWidth, int32_t oldHeight, int32_t minimumWidth, int32_t minimumHeight);

// Folds one button's hidden state, in the toolbar's order, into a mark of all of them: two
// readings of the same buttons with the same mark have hidden the same ones (certainly up
// to seven buttons, and with a chance of one in 2^32 beyond).
uint32_t MarkTrayButton(uint32_t mark, bool hidden);
