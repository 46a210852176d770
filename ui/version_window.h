// The version window, reached from the popup menu: the icon, the product's version and two
// links, to the web site and to a mail to the support address.
#pragma once

#include <windows.h>

// Made with the options window's controls; the rest by CreateVersionControls.
extern HWND versionOkButton;
constexpr int kVersionOkId = 1060;
extern HWND webLink;
extern HWND mailLink;

void CreateVersionWindow();
void CreateVersionControls();
LRESULT CALLBACK VersionWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
