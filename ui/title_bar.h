// The main window's title bar and the program's own notification icon.
#pragma once

#include <windows.h>
#include <shellapi.h>

// The icon's record, in its first 88-byte form; kept for the whole process so the icon can be
// deleted at the end whatever state the title bar is in.
extern NOTIFYICONDATAA trayIconData;

void ToggleTitleBar(int atCapture);
void AddTrayIcon();
// Removes the icon whether or not it is there.
void DeleteTrayIcon();
HICON LoadSmallIcon(const char* name);
