// Whether the taskbar draws its notification area itself. From Windows 11 22H2 the taskbar's
// composition island draws the icons and the clock, and TrayNotifyWnd is a shell that shows
// nothing: taken into a window of its own it would show the user an empty window.
#pragma once

#include <cstdint>

// What the taskbar's window tree shows.
struct TrayTree {
    bool island;            // the taskbar holds a Windows.UI.Composition.DesktopWindowContentBridge
    bool clockWindow;       // TrayNotifyWnd holds a TrayClockWClass
    int32_t buttons;        // of the toolbars in TrayNotifyWnd, all together, hidden ones too
    int32_t hiddenButtons;  // of those, the hidden ones; -1 where their states could not be read
};

// The island alone says nothing: Windows 11 21H2 has it beside the old tray, which still
// holds the icons. Only where TrayNotifyWnd shows no button and no clock is the tray drawn
// elsewhere.
bool TaskbarDrawsTray(const TrayTree& tree);
