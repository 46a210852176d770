// The one way any thread hands the foreground to a window.
#pragma once

#include <windows.h>

void BringWindowToFront(HWND window, HWND other, int show, int useOther);
