// The window procedure of the main window, the popup menu and near-pointer placement.
#pragma once

#include <windows.h>

extern HWND previousActiveWindow;

// The program's window procedures are noexcept: an exception that left one would reach the
// system's callback dispatcher, which on 64-bit Windows swallows it, and the program would
// go on half done. Stopped at the procedure, it ends the program through the terminate
// handler, which gives the notification area back first.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
void ShowPopupMenu(HWND window, HMENU menu);
void ShowNearPointer(HWND window);
