// Hands the foreground to a window: Windows refuses SetForegroundWindow to a thread that
// does not own the foreground, so the two threads' input is joined and the foreground-lock
// time-out is zero for the moment of the switch.
#include "core/foreground.h"

void BringWindowToFront(HWND window, HWND other, int show, int useOther)
{
    if (show && !IsWindowVisible(window)) ShowWindow(window, SW_SHOW);
    HWND joined = useOther ? other : GetForegroundWindow();
    DWORD targetThread = GetWindowThreadProcessId(joined, nullptr);
    DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    if (targetThread == windowThread) return;

    AttachThreadInput(windowThread, targetThread, TRUE);
    DWORD savedTimeout = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &savedTimeout, 0);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
    SetForegroundWindow(window);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(savedTimeout)), 0);
    AttachThreadInput(windowThread, targetThread, FALSE);

    if (show) {
        SetWindowPos(other, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
        InvalidateRect(window, nullptr, FALSE);
    }
}
