// The automatic fit is not built yet: the window keeps the size the user gave it.
#include "taskbar/fit.h"

void FitWindowToTray(int, int) {}
