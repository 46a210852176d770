// Fitting the main window's length to the visible notification icons.
#pragma once

// Shows the main window (bringing it forward when it was hidden) and, when `reSizeOn` (the
// options window's "ReSize" box) and any icon is shown, gives a window shaped as one
// column or one row the length its icons need, keeping its far edge on the monitor.
void FitWindowToTray(int minimumWidth, int minimumHeight, bool reSizeOn);
