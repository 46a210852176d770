// The three system-wide hotkeys of the main window: registration at start and after a change
// in the options window, and the handling of WM_HOTKEY.
#pragma once

#include <windows.h>

#include <atomic>

#include "ui/hotkey_rules.h"

struct HotkeyBinding {
    int id;                       // the global atom of the hotkey's name
    std::atomic<UINT> key;        // virtual-key code; 0 = none; a digit in its keypad form
    std::atomic<UINT> modifiers;  // MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN
};
// Written on the main thread; the tray-watch thread reads hotkeys[0].
extern HotkeyBinding hotkeys[3];

HotkeyCombination CombinationOf(const HotkeyBinding& binding);

void RegisterHotkeysAtStart();
void RegisterHotkeyBinding(int index, bool warnShift);
// Registers what changed in the options window; false when OK must stop. A stop never leaves
// a hotkey without its registration: a failed one keeps its earlier combination.
bool ApplyHotkeyChoices();
// Puts a record and its registration back to the given combination, when they differ.
void RestoreHotkeyBinding(int index, const HotkeyCombination& combination);
void HandleHotkey(LPARAM lParam, WPARAM wParam);
