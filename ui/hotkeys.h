// The three system-wide hotkeys of the main window: registration at start and after a change
// in the options window, and the handling of WM_HOTKEY.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "ui/hotkey_rules.h"

struct HotkeyBinding {
    int id;          // the global atom of the hotkey's name
    UINT key;        // virtual-key code; 0 = none; a digit in its keypad form
    UINT modifiers;  // MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN
    // Key and modifiers as one word, laid out as a WM_HOTKEY's lParam (modifiers in the low
    // word, key in the high word): another thread reads the pair whole, never half changed.
    std::atomic<uint32_t> published;
};
// Written on the main thread (SetHotkeyBinding); the tray-watch thread reads only
// hotkeys[0].published.
extern HotkeyBinding hotkeys[3];
void SetHotkeyBinding(HotkeyBinding& binding, UINT key, UINT modifiers);

HotkeyCombination CombinationOf(const HotkeyBinding& binding);

void RegisterHotkeysAtStart();
void RegisterHotkeyBinding(int index, bool warnShift);
enum class HotkeyChoiceResult { applied, cleared, stop };
// Registers a hotkey's combination as chosen in the options window. `cleared`: it now has no
// key, and the window clears its modifier boxes; `stop`: OK must stop. A stop never leaves a
// hotkey without its registration: a failed one keeps its earlier combination.
HotkeyChoiceResult ApplyHotkeyChoice(int index, const HotkeyCombination& chosen);
// Puts a record and its registration back to the given combination, when they differ.
void RestoreHotkeyBinding(int index, const HotkeyCombination& combination);
// WM_HOTKEY of the main window; wParam 1 is the tray watcher's request to reveal it.
void HandleHotkey(LPARAM lParam, WPARAM wParam);
