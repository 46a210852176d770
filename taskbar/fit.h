// Fitting the main window's length to the visible notification icons.
#pragma once

void FitWindowToTray(int minimumWidth, int minimumHeight);
