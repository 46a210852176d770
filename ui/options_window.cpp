// The options window, created hidden at capture. For now it holds the switches that other
// parts of the program read (edges, sensing keys, Flat, Hide, ReSize) loaded from the
// settings; its form (hotkey lists, OK, Cancel, defaults) is not built yet.
#include "ui/options_window.h"

#include <commctrl.h>

#include "core/environment.h"
#include "core/messages.h"
#include "core/shared_state.h"
#include "core/window_class.h"
#include "settings/settings_file.h"
#include "settings/settings_rules.h"
#include "taskbar/flavour.h"

OptionsControls optionsControls;

static int Wide() { return IsWindowsVersion("6.0") || IsWindowsVersion("6.1") ? 20 : 0; }

void CreateOptionsWindow()
{
    RegisterProgramClass(OptionsWindowClass, OptionsWindowProc);
    optionsWindow = CreateWindowExA(0, OptionsWindowClass, "オプション", WS_OVERLAPPED | WS_SYSMENU,
                                    GetSystemMetrics(SM_CXSCREEN) / 2 - 225, GetSystemMetrics(SM_CYSCREEN) / 2 - 145,
                                    450 + Wide(), 290, mainWindow, nullptr, instance, nullptr);
    UpdateWindow(optionsWindow);
    optionsControls.trackbar = CreateWindowExA(0, TRACKBAR_CLASSA, nullptr, WS_CHILD | WS_VISIBLE | TBS_NOTICKS | TBS_TOOLTIPS,
                                               10, 100, 196, 20, optionsWindow, reinterpret_cast<HMENU>(1054), instance, nullptr);
    SendMessageA(optionsControls.trackbar, TBM_SETRANGE, TRUE, MAKELPARAM(100, 255));
    SendMessageA(optionsControls.trackbar, TBM_SETPOS, TRUE, ReadSettingInt("Window", "Alpha", 255));
    EnableWindow(optionsControls.trackbar, IsVersion50To62());
}

static HWND CheckBox(const char* text, int x, int y, int width, int id, bool checked)
{
    HWND box = CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, x, y, width, 12, optionsWindow,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont), FALSE);
    SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    return box;
}

void CreateOptionsControls()
{
    OptionsControls& o = optionsControls;
    int wide = Wide();
    o.edgeTop = CheckBox("上", 36, 26, 30, 1, ReadSettingInt("Target", "Top", 1) != 0);
    o.edgeDown = CheckBox("下", 71, 26, 30, 2, ReadSettingInt("Target", "Down", 1) != 0);
    o.edgeLeft = CheckBox("左", 106, 26, 30, 3, ReadSettingInt("Target", "Left", 1) != 0);
    o.edgeRight = CheckBox("右", 142, 26, 30, 4, ReadSettingInt("Target", "Right", 1) != 0);
    sensingKeys = ReadSettingInt("Target", "Key", 0);
    SensingKeys keys = UnpackSensingKeys(sensingKeys);
    o.sensingShift = CheckBox("Shift", 41, 50, 50, 0, keys.valid && keys.shift);
    o.sensingCtrl = CheckBox("Ctrl", 91, 50, 40, 0, keys.valid && keys.ctrl);
    o.sensingAlt = CheckBox("Alt", 136, 50, 40, 0, keys.valid && keys.alt);
    o.flat = CheckBox("タスクトレイをフラットにする", 16, 130, 150 + wide, 7, ReadSettingInt("Window", "Flat", 0) != 0);
    o.hide = CheckBox("非アクティブ時に常に非表示", 16, 150, 160 + wide, 5, ReadSettingInt("Window", "Hide", 0) != 0);
    o.reSize = CheckBox("縦横一列表示にタスクトレイの状態に合わせてリサイズする", 16, 197, 305 + wide, 0,
                        ReadSettingInt("Config", "ReSize", 1) != 0);
}

bool IsOptionChecked(HWND box)
{
    return box && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

LRESULT CALLBACK OptionsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
    case WM_DESTROY:
        // The window lives as long as the program; closing it only hides it.
        ShowWindow(window, SW_HIDE);
        secondaryWindowOpen = 0;
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
