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

// True while the main window is being created and the capture runs: a close request that
// arrives then (the capture's calls into the taskbar's process let other programs' sent
// messages in) waits until the capture is whole.
extern bool startingUp;
// A close request that arrived while startingUp, to be handled once the start is over.
extern bool closeRequestedAtStart;
// The start was refused (no notification area, or one the taskbar draws elsewhere): the
// program ends with kRefusedStartExitCode.
extern bool startRefused;
constexpr int kRefusedStartExitCode = 1;

void CreateMainWindow();
// WM_CREATE of the main window: finds the taskbar's windows and begins the capture.
void HandleMainWindowCreate(HWND window);
void BeginCapture(HWND window);
// False when an ending began in the middle of it: the capture stopped there.
bool CaptureNotifyArea();
// The taskbar was made anew (Explorer restarted): its notification area is taken again.
void RehostNotifyArea();
// Counts the visible icons afresh and fits the main window to them, as the tray watch does
// when it sees the count change.
void FitToVisibleIcons();
