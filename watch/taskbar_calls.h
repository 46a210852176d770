// The watcher threads' calls into the taskbar's windows and popups. Once the ending has
// begun, the notification area is on its way back into the taskbar, which then lays it
// out itself: a watcher's move, size or message measured against the main window would
// put it in the wrong place. So each call looks right before it is made, and is left out
// from then on.
#pragma once

#include <windows.h>

#include "core/shared_state.h"

inline bool EndingBegun() { return endingStarted != 0; }

inline LRESULT SendToTaskbar(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return EndingBegun() ? 0 : SendMessageA(window, message, wParam, lParam);
}

inline void PostToTaskbar(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!EndingBegun()) PostMessageA(window, message, wParam, lParam);
}

inline void PlaceTaskbarWindow(HWND window, int x, int y, int width, int height, UINT flags)
{
    if (!EndingBegun()) SetWindowPos(window, nullptr, x, y, width, height, flags);
}

inline void MoveTaskbarWindow(HWND window, int x, int y, int width, int height)
{
    if (!EndingBegun()) MoveWindow(window, x, y, width, height, TRUE);
}

inline void InvalidateTaskbarWindow(HWND window)
{
    if (!EndingBegun()) InvalidateRect(window, nullptr, FALSE);
}

inline void SetTaskbarWindowExStyle(HWND window, DWORD style)
{
    if (!EndingBegun()) SetWindowLongA(window, GWL_EXSTYLE, static_cast<LONG>(style));
}
