// The one way any thread hands the foreground to a window.
#pragma once

#include <windows.h>

void BringWindowToFront(HWND window, HWND other, int show, int useOther);
// For a process about to die in the middle of a switch: the user's foreground-lock time-out
// is put back if a switch has it at zero. Takes no lock.
void PutBackForegroundLockTimeout();
