// The orderly ending: the notification area goes back into the taskbar.
#pragma once

// True while RestoreTaskbar runs.
extern bool restorationRunning;

void RestoreTaskbar();
void ShowWaitWindow();
void HandleDestroy();
void HandleQueryEndSession();
