// The taskbar flavour and the two registry switches, asked afresh on every call.
#pragma once

// Writes the current flavour ("6.1", "4.20", ...) into a buffer of at least 24 bytes.
void CurrentFlavour(char* flavour);

bool IsWindowsVersion(const char* flavour);
bool IsWin9xFamily();
bool IsVersion51To62();
bool IsVersion50To62();
bool IsVersion60Or61();
// Windows 10's taskbar (flavour "6.1" there), asked afresh; the first form for a flavour the
// caller already has.
bool IsWindows10Taskbar(const char* flavour);
bool IsWindows10Taskbar();

bool ReadRegistrySwitch(int selector);
bool IsThemeActive();
bool IsDragFullWindows();
