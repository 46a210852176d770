// Counts the messages other programs send or post into the stand-in, for measuring what a
// client costs the taskbar's process (standin.exe --count-messages; control: "messages",
// "notices").
#pragma once
#include <windows.h>

void StartMessageCount();
// Messages sent from other threads to the stand-in's windows, plus WM_NCHITTEST,
// WM_NCLBUTTONDOWN and WM_RBUTTONUP posted to them.
LONG MessagesReceived();
// Of those, the clock's pointer notices (WM_USER + 104).
LONG PointerNoticesReceived();
