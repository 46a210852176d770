// Fitting the main window's length to the visible notification icons.
#pragma once

// Windows 10's tray beside its icons along the taskbar's row (see fit_rules.h), measured
// before the capture; 0 on any other taskbar.
int Windows10TrayRest();
// Measures it while the notification area still stands in the taskbar.
void MeasureWindows10TrayRest();

// Shows the main window (bringing it forward when it was hidden) and, when `reSizeOn` (the
// options window's "ReSize" box) and any icon is shown, gives a window shaped as one
// column or one row the length its icons need, keeping its far edge on the monitor.
void FitWindowToTray(int minimumWidth, int minimumHeight, bool reSizeOn);
