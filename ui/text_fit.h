// Room for texts longer than the Japanese ones the program's windows were laid out for.
#pragma once

#include <windows.h>

// Widens or heightens the window's controls, and the window, until every text fits whole.
// The controls of `evenRow`, left to right, then stand at even gaps over the span they take.
void FitWindowToTexts(HWND window, const HWND* evenRow = nullptr, size_t evenCount = 0);
