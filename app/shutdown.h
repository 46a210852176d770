// The orderly ending: the notification area goes back into the taskbar.
#pragma once

// True while RestoreTaskbar runs.
extern bool restorationRunning;

void RestoreTaskbar();
void ShowWaitWindow();
void HandleDestroy();
void HandleQueryEndSession();
// WM_ENDSESSION: true when the session ends, false when the log-off was cancelled.
void HandleEndSession(bool sessionEnds);
