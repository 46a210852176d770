// The three hotkeys: show or hide the main window, switch its title bar, open the overflow
// window of hidden icons.
#include "ui/hotkeys.h"

#include "core/environment.h"
#include "core/foreground.h"
#include "core/messages.h"
#include "core/shared_state.h"
#include "core/ui_text.h"
#include "settings/settings_file.h"
#include "settings/settings_rules.h"
#include "taskbar/flavour.h"
#include "taskbar/taskbar_windows.h"
#include "ui/options_window.h"
#include "ui/title_bar.h"

HotkeyBinding hotkeys[3];

void SetHotkeyBinding(HotkeyBinding& binding, UINT key, UINT modifiers)
{
    binding.key = key;
    binding.modifiers = modifiers;
    binding.published = (static_cast<uint32_t>(key & 0xFFFF) << 16) | (modifiers & 0xFFFF);
}

HotkeyCombination CombinationOf(const HotkeyBinding& binding)
{
    return HotkeyCombination{binding.key, binding.modifiers};
}

static HotkeyValue StoredHotkey(int index) { return UnpackHotkey(ReadSettingInt(setting::hotkeys[index])); }

void RegisterHotkeyBinding(int index, bool warnShift)
{
    HotkeyBinding& h = hotkeys[index];
    SetHotkeyBinding(h, RegisteredKeyCode(h.key), h.modifiers);
    if (h.key == 0) return;
    if (warnShift && (h.modifiers & MOD_SHIFT)) {
        ShowMessage(optionsWindow, Text(TEXT_SHIFT_KEYPAD), caption,
                    MB_TOPMOST | MB_ICONINFORMATION);
    }
    RegisterHotKey(mainWindow, h.id, h.modifiers, h.key);
}

// In English the punctuation keys are named by the user's keyboard, whose characters for
// them differ from the Japanese layout's; the codes stay the same.
static void AddKeyLabel(HWND list, const KeyListEntry& entry)
{
    if (entry.code == 0) {
        AddComboText(list, Text(TEXT_NO_KEY));
        return;
    }
    if (TextLanguage() == Language::english && IsLayoutNamedKey(entry.code)) {
        // The key's character without Shift; dead keys carry a flag in the high bits.
        const UINT character = MapVirtualKeyA(entry.code, 2) & 0xffffu;
        if (character > ' ' && character < 0x100) {
            const char label[2] = {static_cast<char>(character), '\0'};
            AddComboText(list, label);
            return;
        }
    }
    AddComboText(list, entry.label);
}

static HWND CreateKeyList(HWND group, int id)
{
    HWND list = CreateTextWindow(0, "COMBOBOX", nullptr,
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT, 8, 23, 100,
                                 150, group, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    for (const KeyListEntry& entry : keyList) AddKeyLabel(list, entry);
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont), FALSE);
    return list;
}

void RegisterHotkeysAtStart()
{
    OptionsControls& o = optionsControls;
    for (int i = 0; i < 3; ++i) o.keyList[i] = CreateKeyList(o.hotkeyGroup[i], i);
    for (int i = 0; i < 3; ++i) {
        SendMessageA(o.keyList[i], CB_SETCURSEL, KeyListPosition(StoredHotkey(i).key), 0);
    }
    for (int i = 0; i < 3; ++i) {
        HotkeyValue stored = StoredHotkey(i);
        SetHotkeyBinding(hotkeys[i], stored.key, stored.modifiers);
    }
    for (int i = 0; i < 3; ++i) {
        // A hotkey without a key still holds its id, with its stored modifiers and key code 0.
        if (hotkeys[i].key == 0) RegisterHotKey(mainWindow, hotkeys[i].id, hotkeys[i].modifiers, 0);
        RegisterHotkeyBinding(i, false);
    }
    if (IsWin9xFamily()) EnableWindow(o.keyList[2], FALSE);
}

static ModifierBoxes CheckedModifiers(const OptionsControls::ModifierBoxSet& boxes)
{
    return ModifierBoxes{IsOptionChecked(boxes.shift), IsOptionChecked(boxes.ctrl), IsOptionChecked(boxes.alt),
                         IsOptionChecked(boxes.win)};
}

static bool Register(int index, const HotkeyCombination& combination)
{
    SetHotkeyBinding(hotkeys[index], combination.key, combination.modifiers);
    // A binding without a key still holds its id, with key code 0.
    return RegisterHotKey(mainWindow, hotkeys[index].id, combination.modifiers, RegisteredKeyCode(combination.key)) ||
           combination.key == 0;
}

// One hotkey of an OK; false when OK must stop.
static bool ApplyHotkeyChoice(int i)
{
    const OptionsControls& o = optionsControls;
    HotkeyBinding& h = hotkeys[i];
    int position = static_cast<int>(SendMessageA(o.keyList[i], CB_GETCURSEL, 0, 0));
    HotkeyCombination chosen = ChosenCombination(position, CheckedModifiers(o.hotkeyBoxes[i]));
    HotkeyCombination earlier = CombinationOf(h);
    if (SameAsRegistered(chosen, earlier)) return true;
    if (MayShadowShortcuts(chosen.modifiers)) {
        int answer = ShowMessage(optionsWindow,
                                 Text(TEXT_SHORTCUT_CLASH), caption, MB_YESNO | MB_ICONINFORMATION);
        if (answer == IDNO) return false;
    }
    // The earlier combination is released first, so that choosing it again, or a key that
    // it held, can succeed.
    UnregisterHotKey(mainWindow, h.id);
    if (chosen.key == 0) {
        SetHotkeyBinding(h, 0, 0);
        RegisterHotKey(mainWindow, h.id, 0, 0);
        const OptionsControls::ModifierBoxSet& boxes = o.hotkeyBoxes[i];
        for (HWND box : {boxes.shift, boxes.ctrl, boxes.alt, boxes.win}) SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
        return true;
    }
    if (!RegisterHotKey(mainWindow, h.id, chosen.modifiers, chosen.key)) {
        Register(i, earlier);
        ShowMessage(mainWindow, Text(TEXT_HOTKEY_TAKEN), caption, MB_ICONINFORMATION);
        return false;
    }
    // A digit is held by its keypad code. Windows keeps a second registration under the
    // same id beside the first, and releases one per UnregisterHotKey: the main-row code
    // that was only a test of the combination is released before the keypad code is
    // registered, or it would stay held after the next change.
    if (RegisteredKeyCode(chosen.key) != chosen.key) UnregisterHotKey(mainWindow, h.id);
    SetHotkeyBinding(h, chosen.key, chosen.modifiers);
    RegisterHotkeyBinding(i, true);
    return true;
}

bool ApplyHotkeyChoices()
{
    for (int i = 0; i < 3; ++i) {
        if (!ApplyHotkeyChoice(i)) return false;
    }
    return true;
}

void RestoreHotkeyBinding(int index, const HotkeyCombination& combination)
{
    HotkeyCombination now = CombinationOf(hotkeys[index]);
    if (now.key == combination.key && now.modifiers == combination.modifiers) return;
    UnregisterHotKey(mainWindow, hotkeys[index].id);
    // Another program may have taken the earlier combination meanwhile.
    if (!Register(index, combination)) ShowMessage(mainWindow, Text(TEXT_HOTKEY_TAKEN), caption, MB_ICONINFORMATION);
}

static void ToggleMainWindow(WPARAM source)
{
    bool wasVisible = ShowWindow(mainWindow, SW_SHOW) != 0;
    switch (MainWindowToggleStep(wasVisible, source == 1)) {
    case ToggleStep::bringToFront: BringWindowToFront(mainWindow, taskbarWindows.notifyArea, 1, 0); break;
    case ToggleStep::setForeground: SetForegroundWindow(mainWindow); break;
    case ToggleStep::hide: ShowWindow(mainWindow, SW_HIDE); break;
    case ToggleStep::nothing: break;
    }
}

static void OpenOverflowWindow()
{
    const TaskbarWindows& t = taskbarWindows;
    SendToTaskbarBounded(t.notifyArea, WM_COMMAND, OverflowCommand, reinterpret_cast<LPARAM>(t.hiddenIconsButton));
    Sleep(250);
    POINT pointer{};
    GetCursorPos(&pointer);
    RECT r{};
    GetWindowRect(mainWindow, &r);
    // Centred on the pointer by the main window's half sizes, not the overflow window's.
    HWND overflow = FindWindowA("NotifyIconOverflowWindow", nullptr);
    if (overflow) {
        SetWindowPos(overflow, nullptr, pointer.x - (r.right - r.left) / 2, pointer.y - (r.bottom - r.top) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
    }
}

void HandleHotkey(LPARAM lParam, WPARAM wParam)
{
    const HotkeyCombination bindings[3] = {CombinationOf(hotkeys[0]), CombinationOf(hotkeys[1]), CombinationOf(hotkeys[2])};
    switch (DecideHotkey(HIWORD(lParam), LOWORD(lParam), bindings, IsWindowVisible(taskbarWindows.hiddenIconsButton))) {
    case HotkeyAction::toggleWindow: ToggleMainWindow(wParam); break;
    case HotkeyAction::toggleTitleBar:
        ToggleTitleBar(0);
        WriteSettingNumber(setting::titleBar, titleBarShown);
        break;
    case HotkeyAction::openOverflow: OpenOverflowWindow(); break;
    case HotkeyAction::none: break;
    }
}
