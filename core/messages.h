// Message numbers, timer ids, command ids, class names and the icon's name of the program,
// defined once.
#pragma once

#include <windows.h>

// Callback message of the program's own notification icon.
constexpr UINT TrayIconNotify = WM_USER + 32;
constexpr UINT TrayIconId = 100;

// The pointer watcher asks the main thread to hide the shown main window, which it does only
// if no options or version window has opened and the window has not come to the foreground
// since the watcher decided: a hide carried out later would take the main window away from
// under the window just opened, or hide it just after a hotkey or an edge revealed it.
constexpr UINT HideWhenLeftRequest = WM_APP + 1;

// Private messages the taskbar clock understands.
constexpr UINT ClockFlyoutRequest = WM_USER + 102;
constexpr UINT ClockTooltipRequest = WM_USER + 103;
constexpr UINT ClockPointerNotice = WM_USER + 104;

// Asks the notification area to open the overflow window of hidden icons.
constexpr WPARAM OverflowCommand = 1502;

// Timers.
constexpr UINT_PTR ClickWindowTimer = 1057;
constexpr UINT_PTR SingleClickTimer = 1063;
constexpr UINT_PTR TooltipHideTimer = 1064;
constexpr UINT_PTR TooltipDelayTimer = 1065;

// Popup menu commands.
constexpr UINT CommandExit = 23;
constexpr UINT CommandOptions = 24;
constexpr UINT CommandHelp = 25;
constexpr UINT CommandVersion = 26;
constexpr UINT CommandSeparator = 27;

// Window classes of our own.
inline constexpr char MainWindowClass[] = "TVeltrWnd";
inline constexpr char OwnerWindowClass[] = "VeltrinDummy";
inline constexpr char WaitWindowClass[] = "WaitWnd";
inline constexpr char OptionsWindowClass[] = "VeltOption";
inline constexpr char VersionWindowClass[] = "VeltVerWnd";
inline constexpr char ClockTipWindowClass[] = "VeltClockTip";

// The program's icon, as res/veltrin.rc names it.
inline constexpr char MainIconName[] = "Main";

