// Painting shared by the stand-in's windows: WM_PAINT and WM_PRINTCLIENT draw the same way.
#pragma once
#include <windows.h>

using Painter = void (*)(HWND, HDC);

// Handles WM_PAINT and WM_PRINTCLIENT with the painter; false for any other message.
bool HandlePaintMessage(HWND window, UINT message, WPARAM wParam, Painter paint);
