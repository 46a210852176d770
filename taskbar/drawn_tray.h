// Whether the taskbar found by discovery draws its notification area itself.
#pragma once

// Asks the taskbar nothing where it has no composition island: the older taskbars' journals
// stay as they were.
bool TaskbarDrawsTrayNow();
