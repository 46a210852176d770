// States of the taskbar that Explorer takes on its own and a test asks for: collapsed to
// a sliver, the notification area's sunken edge put back, and a journal of the band
// area's moves.
#pragma once
#include <windows.h>

// Collapsed: the taskbar keeps only a 2-pixel client area along the bottom edge.
void CollapseTaskbar(bool collapsed);
// Puts WS_EX_STATICEDGE back on the notification area, wherever it lives now.
void RestoreStaticEdge();
// From now on every move or resize of the band area is journaled ("ReBarWindow32",
// "moved", x y w h in the taskbar's client coordinates).
void JournalBandAreaMoves(HWND rebar);
