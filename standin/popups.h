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

// The calendar of Windows 10 (1607 and later): a top-level Windows.UI.Core.CoreWindow that
// the taskbar places at its own corner, activates, and closes when it loses the activation.
void RegisterCalendarClass();
bool OpenCalendar();
// reason: what closed it, for the journal. False when none was open.
bool CloseCalendar(const char* reason);
bool CalendarOpen();
// True once when the calendar lost the activation to a left press on the clock within the
// last second: that press closed it, and its release must not open it again.
bool TakeCalendarClosedByClockPress();
// A month view with today framed, as the flyout and the calendar show it.
void PaintMonthView(HDC dc, const RECT& client);

// Windows 10 and 11: NotifyIconOverflowWindow with its "Overflow Notification Area"
// toolbar, made hidden with the taskbar; opening and closing then show and hide it.
void CreateLastingOverflowWindow();
// Opens above the hidden-icons button, or closes when already open. True: now open.
bool ToggleOverflowWindow(HWND button);
bool CloseOverflowWindow();
// Repaints the overflow window after the icons changed.
void RefreshOverflowWindow();

// The windows that belong to one taskbar; a restart destroys them.
void CloseTaskbarPopups();

bool StartTClock();
bool EndTClock();
