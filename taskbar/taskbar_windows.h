// The taskbar's windows, found by class, and the reading of the notification toolbar.
#pragma once

#include <windows.h>

struct TaskbarWindows {
    HWND taskbar;
    HWND notifyArea;
    HWND clock;
    HWND showDesktopButton;
    HWND hiddenIconsButton;
    HWND pager;
    HWND pagerToolbar;
    HWND iconToolbar;
    HWND systemPager;
    HWND rebar;
    HWND startButton;
};
// Written on the main thread only; the watcher threads read it.
extern TaskbarWindows taskbarWindows;

void FindTaskbarWindows();
int CountVisibleTrayIcons();
bool IsNot256ColorDisplay();
