// The owner window and the main window, and the capture of the notification area.
#pragma once

#include <windows.h>

extern RECT notifyAreaHomeRect;
extern HMENU popupMenu;
extern UINT taskbarCreatedMessage;
extern HANDLE trayWatchHandle;
extern HANDLE pointerWatchHandle;
// Set once the notification area has been taken into the main window; a refused start
// never sets it, so its ending leaves the taskbar and the saved geometry alone.
extern bool notifyAreaCaptured;

void CreateMainWindow();
void HandleMainWindowCreate(HWND window);
void BeginCapture(HWND window);
void CaptureNotifyArea();
void RehostNotifyArea();
