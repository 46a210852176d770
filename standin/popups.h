// The top-level windows the taskbar opens on request: the clock's flyout and tooltip, the
// overflow window of hidden icons, and the window by which TClock shows it is running.
#pragma once
#include <windows.h>

void RegisterPopupClasses();

// The flyout opens beside the clock or closes when it is already open. True: now open.
bool ToggleClockFlyout(HWND clock);
bool CloseClockFlyout();
void OpenClockTooltip(HWND clock);
bool CloseClockTooltip();
bool ClockFlyoutOpen();
bool ClockTooltipOpen();

// Opens above the hidden-icons button, or closes when already open. True: now open.
bool ToggleOverflowWindow(HWND button);
bool CloseOverflowWindow();
// Repaints the overflow window after the icons changed.
void RefreshOverflowWindow();

// The windows that belong to one taskbar; a restart closes them.
void CloseTaskbarPopups();

bool StartTClock();
bool EndTClock();
