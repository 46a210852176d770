// The version window, reached from the popup menu.
#pragma once

#include <windows.h>

void CreateVersionWindow();
void CreateVersionControls();
LRESULT CALLBACK VersionWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
