// Window geometry against the live system: orientation, monitors, minimum size, snapping
// and popup placement.
#pragma once

#include <windows.h>

#include "taskbar/geometry_types.h"

// A RECT as the rules take it.
Rect ToRect(const RECT& r);

bool IsTrayHorizontal();
RECT GetMonitorArea(bool usePointer, int x, int y, bool wholeMonitor);
void ComputeMinimumSize();
POINT PlacePopupNearWindow(HWND anchor, HWND popup, int mode);
POINT ClampInitialPosition(int x, int y, int width, int height, int screenWidth, int screenHeight);
void SnapWindowPos(WINDOWPOS* wp);
