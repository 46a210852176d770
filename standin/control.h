// The window through which tests steer the stand-in (see control.cpp for the commands).
#pragma once
#include <windows.h>

constexpr UINT kQuitMessage = WM_APP + 1;
// "hang MS": after its answer the stand-in's only thread sleeps, as Explorer stops
// answering while a shell extension hangs.
constexpr UINT kHangMessage = WM_APP + 2;

HWND CreateControlWindow(const char* title);
