// The orderly ending: the notification area goes back into the taskbar.
#pragma once

void RestoreTaskbar();
void ShowWaitWindow();
void HandleDestroy();
void HandleQueryEndSession();
