#include "ui/hotkey_rules.h"

#include "core/text_ids.h"

// Letters and digits carry their character codes; the punctuation entries name the keys of
// the Japanese layout that send these codes. The first entry, no key, has its label in the
// string tables.
const KeyListEntry keyList[kKeyListSize] = {
    {"", 0},
    {"A", 65}, {"B", 66}, {"C", 67}, {"D", 68}, {"E", 69}, {"F", 70}, {"G", 71}, {"H", 72}, {"I", 73},
    {"J", 74}, {"K", 75}, {"L", 76}, {"M", 77}, {"N", 78}, {"O", 79}, {"P", 80}, {"Q", 81}, {"R", 82},
    {"S", 83}, {"T", 84}, {"U", 85}, {"V", 86}, {"W", 87}, {"X", 88}, {"Y", 89}, {"Z", 90},
    {"0", 48}, {"1", 49}, {"2", 50}, {"3", 51}, {"4", 52}, {"5", 53}, {"6", 54}, {"7", 55}, {"8", 56}, {"9", 57},
    {"F1", 112}, {"F2", 113}, {"F3", 114}, {"F4", 115}, {"F5", 116}, {"F6", 117},
    {"F7", 118}, {"F8", 119}, {"F9", 120}, {"F10", 121}, {"F11", 122}, {"F12", 123},
    {"Insert", 45}, {"Home", 36}, {"End", 35}, {"Delete", 46},
    {"BackSpace", 8}, {"PageUp", 33}, {"PageDown", 34},
    {"Up", 38}, {"Down", 40}, {"Left", 37}, {"Right", 39},
    {"-", 189}, {"\\", 220}, {"@", 192}, {"[", 219}, {"]", 221},
    {":", 186}, {";", 187}, {"/", 191}, {".", 190}, {",", 188},
};

int KeyListPosition(uint32_t code)
{
    for (int i = 0; i < kKeyListSize; ++i) {
        if (keyList[i].code == code) return i;
    }
    return 0;
}

uint32_t KeyListCode(int position)
{
    return position >= 0 && position < kKeyListSize ? keyList[position].code : 0;
}

bool IsLayoutNamedKey(uint32_t code) { return (code >= 186 && code <= 192) || (code >= 219 && code <= 223); }

int EnglishKeyNameText(uint32_t code)
{
    switch (code) {
    case 8: return TEXT_KEY_BACKSPACE;
    case 33: return TEXT_KEY_PAGE_UP;
    case 34: return TEXT_KEY_PAGE_DOWN;
    default: return 0;
    }
}

uint32_t RegisteredKeyCode(uint32_t key) { return key >= 48 && key <= 57 ? key + 48 : key; }

bool IsKeypadLikeKey(uint32_t key)
{
    return (key >= 48 && key <= 57) || (key >= 96 && key <= 105) || (key >= 109 && key <= 111) ||
           (key >= 189 && key <= 191);
}

ModifierBoxes ModifierBoxesFromByte(uint32_t modifiers)
{
    if (modifiers == 0 || modifiers > 15) return ModifierBoxes{false, false, false, false};
    return ModifierBoxes{(modifiers & kModShift) != 0, (modifiers & kModControl) != 0, (modifiers & kModAlt) != 0,
                         (modifiers & kModWin) != 0};
}

uint32_t ModifiersFromBoxes(const ModifierBoxes& boxes)
{
    return (boxes.shift ? kModShift : 0) | (boxes.ctrl ? kModControl : 0) | (boxes.alt ? kModAlt : 0) |
           (boxes.win ? kModWin : 0);
}

HotkeyCombination ChosenCombination(int listPosition, const ModifierBoxes& boxes)
{
    uint32_t key = KeyListCode(listPosition);
    return HotkeyCombination{key, key != 0 ? ModifiersFromBoxes(boxes) : 0};
}

bool SameAsRegistered(const HotkeyCombination& chosen, const HotkeyCombination& registered)
{
    return chosen.modifiers == registered.modifiers &&
           RegisteredKeyCode(chosen.key) == RegisteredKeyCode(registered.key);
}

bool MayShadowShortcuts(uint32_t modifiers) { return modifiers == kModControl || modifiers == kModWin; }

HotkeyAction DecideHotkey(uint32_t key, uint32_t modifiers, const HotkeyCombination bindings[3],
                          bool hiddenIconsButtonVisible)
{
    if ((modifiers == bindings[0].modifiers && (key == bindings[0].key || key == 0)) || IsKeypadLikeKey(key)) {
        return HotkeyAction::toggleWindow;
    }
    if ((modifiers == bindings[1].modifiers && key == bindings[1].key) || key == 0) return HotkeyAction::toggleTitleBar;
    if (modifiers == bindings[2].modifiers && key == bindings[2].key && hiddenIconsButtonVisible) {
        return HotkeyAction::openOverflow;
    }
    return HotkeyAction::none;
}

ToggleStep MainWindowToggleStep(bool wasVisible, bool fromPointerSensing)
{
    if (!wasVisible) return fromPointerSensing ? ToggleStep::bringToFront : ToggleStep::setForeground;
    return fromPointerSensing ? ToggleStep::nothing : ToggleStep::hide;
}

static bool AnyEdge(const EdgeChoice& e) { return e.top || e.down || e.left || e.right; }

bool LeavesNoWayBack(const HotkeyCombination& firstHotkey, const EdgeChoice& edges)
{
    return firstHotkey.key == 0 && firstHotkey.modifiers == 0 && !AnyEdge(edges);
}

EdgeChoice EdgesAfterGuard(const EdgeChoice& shownWith)
{
    return AnyEdge(shownWith) ? shownWith : EdgeChoice{true, true, true, true};
}
