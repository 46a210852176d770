// Registers the three hotkeys from the settings and acts on them: show or hide the main
// window, switch its title bar, open the overflow window of hidden icons.
#include "ui/hotkeys.h"

#include "core/foreground.h"
#include "core/shared_state.h"
#include "ui/title_bar.h"
#include "settings/settings_file.h"
#include "settings/settings_rules.h"
#include "taskbar/taskbar_windows.h"

HotkeyBinding hotkeys[3];

static const char* const kSettingKeys[3] = {"HotKey", "HotKey2", "HotKey3"};
static const int kDefaults[3] = {1601, 852, 324};

void RegisterHotkeyBinding(int index, bool)
{
    const HotkeyBinding& h = hotkeys[index];
    UINT key = h.key;
    // Digits are registered as their numeric-keypad keys.
    if (key == 0) return;  // "none" registers nothing
    if (key >= '0' && key <= '9') key = key - '0' + VK_NUMPAD0;
    RegisterHotKey(mainWindow, h.id, h.modifiers, key);
}

void RegisterHotkeysAtStart()
{
    for (int i = 0; i < 3; ++i) {
        HotkeyValue stored = UnpackHotkey(ReadSettingInt("Config", kSettingKeys[i], kDefaults[i]));
        hotkeys[i].key = stored.key;
        hotkeys[i].modifiers = stored.modifiers;
        RegisterHotkeyBinding(i, false);
    }
}

static bool IsKeypadLikeKey(UINT key)
{
    return (key >= 48 && key <= 57) || (key >= 96 && key <= 105) || (key >= 109 && key <= 111) ||
           (key >= 189 && key <= 191);
}

static void ToggleMainWindow(WPARAM source)
{
    bool wasVisible = ShowWindow(mainWindow, SW_SHOW) != 0;
    if (!wasVisible) {
        if (source == 1) BringWindowToFront(mainWindow, taskbarWindows.notifyArea, 1, 0);
        else SetForegroundWindow(mainWindow);
    } else if (source != 1) {
        ShowWindow(mainWindow, SW_HIDE);
    }
}

static void OpenOverflowWindow()
{
    const TaskbarWindows& t = taskbarWindows;
    SendMessageA(t.notifyArea, WM_COMMAND, 1502, reinterpret_cast<LPARAM>(t.hiddenIconsButton));
    Sleep(250);
    POINT pointer{};
    GetCursorPos(&pointer);
    RECT r{};
    GetWindowRect(mainWindow, &r);
    HWND overflow = FindWindowA("NotifyIconOverflowWindow", nullptr);
    SetWindowPos(overflow, nullptr, pointer.x - (r.right - r.left) / 2, pointer.y - (r.bottom - r.top) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}

void HandleHotkey(LPARAM lParam, WPARAM wParam)
{
    UINT key = HIWORD(lParam);
    UINT mods = LOWORD(lParam);
    if ((mods == hotkeys[0].modifiers && (key == hotkeys[0].key || key == 0)) || IsKeypadLikeKey(key)) {
        ToggleMainWindow(wParam);
    } else if ((mods == hotkeys[1].modifiers && key == hotkeys[1].key) || key == 0) {
        ToggleTitleBar(0);
        WriteSettingNumber("Window", "Title", titleBarShown);
    } else if (mods == hotkeys[2].modifiers && key == hotkeys[2].key &&
               IsWindowVisible(taskbarWindows.hiddenIconsButton)) {
        OpenOverflowWindow();
    }
}
