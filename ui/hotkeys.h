// The three system-wide hotkeys of the main window.
#pragma once

#include <windows.h>

struct HotkeyBinding {
    int id;         // the global atom of the hotkey's name
    UINT key;       // virtual-key code; 0 = none
    UINT modifiers; // MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN
};
extern HotkeyBinding hotkeys[3];

void RegisterHotkeysAtStart();
void RegisterHotkeyBinding(int index, bool warnShift);
void HandleHotkey(LPARAM lParam, WPARAM wParam);
