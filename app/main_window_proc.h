// The window procedure of the main window, the popup menu and near-pointer placement.
#pragma once

#include <windows.h>

extern HWND previousActiveWindow;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ShowPopupMenu(HWND window, HMENU menu);
void ShowNearPointer(HWND window);
