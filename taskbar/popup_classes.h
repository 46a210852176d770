// The class names of the taskbar's popups, which the program finds, moves and counts among
// the taskbar's own windows.
#pragma once

inline constexpr char ClockTooltipClass[] = "ClockTooltipWindow";
inline constexpr char ClockFlyoutClass[] = "ClockFlyoutWindow";
inline constexpr char OverflowWindowClass[] = "NotifyIconOverflowWindow";
// Windows 10's calendar; Start's window has the same class.
inline constexpr char CalendarClass[] = "Windows.UI.Core.CoreWindow";
