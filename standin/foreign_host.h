// Showing the notification area while another program's window holds it, under Wine.
// Wine gives a child window of another process no surface of its own, so whatever the
// area paints goes nowhere and the host's window shows stale pixels in its place. Here
// the stand-in, whose windows they are, draws them into the host's window itself.
#pragma once
#include <windows.h>

// True when the stand-in runs under Wine; everything below does nothing otherwise.
bool RunsUnderWine();
// True when the area is drawn into a foreign host: under Wine, unless switched off for a
// measurement (the copies are this stand-in's own work, which a real taskbar never does).
bool PaintsForeignHosts();
void StopPaintingForeignHosts();

// Period of the repeated copy: the host repaints over it at any time, and a longer period
// left the area blank in many more of the moments a viewer looks.
constexpr UINT kForeignCopyPeriodMs = 100;
constexpr UINT_PTR kForeignCopyTimer = 2;
// Posted to the notification area by RequestForeignCopy.
constexpr UINT kForeignCopyMessage = WM_APP + 2;

// Draws the notification area and its visible children into the window that holds it, when
// that window belongs to another process. When the area has come back (or its host
// changed), the rectangle last drawn in the old host is handed back to that host to repaint.
void CopyAreaIntoForeignHost();
// Asks for a copy soon, after one of the area's own windows painted (coalesced).
void RequestForeignCopy();
// The area goes away: the old host repaints what was drawn into it.
void ForgetForeignHost();
