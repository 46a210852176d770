// The orderly ending: the notification area goes back into the taskbar.
#pragma once

// True while RestoreTaskbar runs.
extern bool restorationRunning;

void RestoreTaskbar();
void ShowWaitWindow();
// The main window's WM_DESTROY, WM_QUERYENDSESSION and WM_ENDSESSION (`sessionEnds` false
// when the log-off was cancelled).
void OnDestroy();
void OnQueryEndSession();
void OnEndSession(bool sessionEnds);
