// The window through which tests steer the stand-in (see control.cpp for the commands).
#pragma once
#include <windows.h>

constexpr UINT kQuitMessage = WM_APP + 1;

HWND CreateControlWindow(const char* title);
