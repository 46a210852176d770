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
// A message from the main thread to one of the taskbar's windows. The taskbar can stop
// answering for seconds (a shell extension stuck in its process); the program's own windows
// must go on answering meanwhile, so the wait for the answer is bounded, and a window the
// system already knows as hung is not waited for at all. The message still reaches the
// taskbar when it answers again; only its result is then 0.
LRESULT SendToTaskbarBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The buttons of `toolbar` that are not hidden, read out of the taskbar's process; -1 where
// they cannot be read.
int CountShownButtons(HWND toolbar);
int CountVisibleTrayIcons();
bool IsNot256ColorDisplay();
