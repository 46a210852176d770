// The three hotkeys: show or hide the main window, switch its title bar, open the overflow
// window of hidden icons.
#include "ui/hotkeys.h"

#include "core/environment.h"
#include "core/foreground.h"
#include "core/messages.h"
#include "core/shared_state.h"
#include "core/test_counters.h"
#include "core/text_calls.h"
#include "core/texts.h"
#include "settings/settings_file.h"
#include "settings/settings_rules.h"
#include "taskbar/flavour.h"
#include "taskbar/geometry.h"
#include "taskbar/geometry_rules.h"
#include "taskbar/popup_classes.h"
#include "taskbar/taskbar_windows.h"
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

void RegisterHotkeysAtStart()
{
    for (int i = 0; i < 3; ++i) {
        HotkeyValue stored = StoredHotkey(i);
        SetHotkeyBinding(hotkeys[i], stored.key, stored.modifiers);
    }
    for (int i = 0; i < 3; ++i) {
        // A hotkey without a key still holds its id, with its stored modifiers and key code 0.
        if (hotkeys[i].key == 0) RegisterHotKey(mainWindow, hotkeys[i].id, hotkeys[i].modifiers, 0);
        RegisterHotkeyBinding(i, false);
    }
}

static bool Register(int index, const HotkeyCombination& combination)
{
    SetHotkeyBinding(hotkeys[index], combination.key, combination.modifiers);
    // A binding without a key still holds its id, with key code 0.
    return RegisterHotKey(mainWindow, hotkeys[index].id, combination.modifiers, RegisteredKeyCode(combination.key)) ||
           combination.key == 0;
}

HotkeyChoiceResult ApplyHotkeyChoice(int i, const HotkeyCombination& chosen)
{
    HotkeyBinding& h = hotkeys[i];
    HotkeyCombination earlier = CombinationOf(h);
    if (SameAsRegistered(chosen, earlier)) return HotkeyChoiceResult::applied;
    if (MayShadowShortcuts(chosen.modifiers)) {
        int answer = ShowMessage(optionsWindow,
                                 Text(TEXT_SHORTCUT_CLASH), caption, MB_YESNO | MB_ICONINFORMATION);
        if (answer == IDNO) return HotkeyChoiceResult::stop;
    }
    // The earlier combination is released first, so that choosing it again, or a key that
    // it held, can succeed.
    UnregisterHotKey(mainWindow, h.id);
    if (chosen.key == 0) {
        SetHotkeyBinding(h, 0, 0);
        RegisterHotKey(mainWindow, h.id, 0, 0);
        return HotkeyChoiceResult::cleared;
    }
    if (!RegisterHotKey(mainWindow, h.id, chosen.modifiers, chosen.key)) {
        Register(i, earlier);
        ShowMessage(mainWindow, Text(TEXT_HOTKEY_TAKEN), caption, MB_ICONINFORMATION);
        return HotkeyChoiceResult::stop;
    }
    // A digit is held by its keypad code. Windows keeps a second registration under the
    // same id beside the first, and releases one per UnregisterHotKey: the main-row code
    // that was only a test of the combination is released before the keypad code is
    // registered, or it would stay held after the next change.
    if (RegisteredKeyCode(chosen.key) != chosen.key) UnregisterHotKey(mainWindow, h.id);
    SetHotkeyBinding(h, chosen.key, chosen.modifiers);
    RegisterHotkeyBinding(i, true);
    return HotkeyChoiceResult::applied;
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
    HWND overflow = FindWindowA(OverflowWindowClass, nullptr);
    // On Windows 10 beside the main window, where a click on the chevron brings it too.
    if (overflow && IsWindows10Taskbar()) {
        const POINT at = PlacePopupNearWindow(mainWindow, overflow, kPopupBelow);
        SetWindowPos(overflow, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return;
    }
    // Centred on the pointer by the main window's half sizes, not the overflow window's.
    if (overflow) {
        SetWindowPos(overflow, nullptr, pointer.x - (r.right - r.left) / 2, pointer.y - (r.bottom - r.top) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
    }
}

void HandleHotkey(LPARAM lParam, WPARAM wParam)
{
    if (wParam == 1) CountTestEvent(TestCounter::revealHotkey);
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
