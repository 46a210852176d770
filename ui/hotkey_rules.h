// The keys offered for a hotkey and the decisions around the three hotkeys, as plain values.
#pragma once

#include <cstdint>

// Windows hotkey modifier bits.
constexpr uint32_t kModAlt = 1;
constexpr uint32_t kModControl = 2;
constexpr uint32_t kModShift = 4;
constexpr uint32_t kModWin = 8;

struct KeyListEntry {
    const char* label;
    uint32_t code;  // virtual-key code; 0 for "none"
};

// The keys in the order of the key lists; the index is the list position.
constexpr int kKeyListSize = 70;
extern const KeyListEntry keyList[kKeyListSize];

// First list position holding the code; 0 ("none") when no entry does.
int KeyListPosition(uint32_t code);
// The code at a list position; 0 for a position outside the list.
uint32_t KeyListCode(int position);

// The punctuation keys, whose characters differ from one keyboard layout to the next.
bool IsLayoutNamedKey(uint32_t code);
// The keys that English names as Windows does, unlike the list's labels (Backspace, Page Up,
// Page Down): the number of the English text, 0 for every other key.
int EnglishKeyNameText(uint32_t code);

// Digits are registered as the numeric keypad's digits, 48-57 becoming 96-105.
uint32_t RegisteredKeyCode(uint32_t key);

// Digits, keypad digits, keypad minus, point and divide, and the main keyboard's minus,
// period and slash: these always act as the first hotkey.
bool IsKeypadLikeKey(uint32_t key);

struct ModifierBoxes {
    bool shift, ctrl, alt, win;
};
// A stored modifier byte from 1 to 15 checks the boxes of its bits; 0 and anything above 15
// check none.
ModifierBoxes ModifierBoxesFromByte(uint32_t modifiers);
uint32_t ModifiersFromBoxes(const ModifierBoxes& boxes);

struct HotkeyCombination {
    uint32_t key;        // as the record holds it (a digit already in its keypad form)
    uint32_t modifiers;
};

// The combination the options window asks for: no key reads no boxes.
HotkeyCombination ChosenCombination(int listPosition, const ModifierBoxes& boxes);
// True when the chosen combination (a list code) is what is registered now, so that nothing
// needs registering again.
bool SameAsRegistered(const HotkeyCombination& chosen, const HotkeyCombination& registered);
// Exactly Ctrl or exactly Win alone may take over shortcuts such as Ctrl+C or Win+F.
bool MayShadowShortcuts(uint32_t modifiers);

enum class HotkeyAction { none, toggleWindow, toggleTitleBar, openOverflow };

// Which hotkey a WM_HOTKEY means, from the key and modifiers it carries and the three
// records. The tests run in order and the first that holds decides.
HotkeyAction DecideHotkey(uint32_t key, uint32_t modifiers, const HotkeyCombination bindings[3],
                          bool hiddenIconsButtonVisible);

enum class ToggleStep { bringToFront, setForeground, hide, nothing };
// What follows ShowWindow(SW_SHOW) for the first hotkey: a real hotkey toggles the window,
// the pointer-sensing request (wParam 1) only ever shows it.
ToggleStep MainWindowToggleStep(bool wasVisible, bool fromPointerSensing);

// No hotkey to show the main window and no screen edge to reveal it: once hidden it could
// never come back.
struct EdgeChoice {
    bool top, down, left, right;
};
bool LeavesNoWayBack(const HotkeyCombination& firstHotkey, const EdgeChoice& edges);
// The edges put back when the guard catches a choice: those the window was shown with, or
// all four when those left none either.
EdgeChoice EdgesAfterGuard(const EdgeChoice& shownWith);
