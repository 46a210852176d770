// The class names of the taskbar's popups, which the program finds, moves and counts among
// the taskbar's own windows.
#pragma once

inline constexpr char ClockTooltipClass[] = "ClockTooltipWindow";
inline constexpr char ClockFlyoutClass[] = "ClockFlyoutWindow";
inline constexpr char OverflowWindowClass[] = "NotifyIconOverflowWindow";
