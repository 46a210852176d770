// Room for texts longer than the Japanese ones the program's windows were laid out for.
#pragma once

#include <windows.h>

// Widens or heightens the window's controls, and the window, until every text fits whole.
void FitWindowToTexts(HWND window);
