// Switches the main window's title bar. While it is hidden the program's own notification
// icon carries the popup menu instead of the caption.
#include "ui/title_bar.h"

#include <cstring>

#include "core/messages.h"
#include "core/shared_state.h"
#include "core/startup_rules.h"
#include "core/text_calls.h"
#include "core/texts.h"
#include "ui/title_bar_rules.h"
#include "taskbar/flavour.h"
#include "taskbar/taskbar_windows.h"

NOTIFYICONDATAA trayIconData;
static int titleGrowHeight;

constexpr DWORD kFirstNotifyIconDataSize = 88;

HICON LoadSmallIcon(const char* name)
{
    HWND desktop = GetDesktopWindow();
    HDC dc = GetDC(desktop);
    UINT flags = 0;
    if (IsWindowsVersion("4.20") || IsWindowsVersion("4.0") || IsWindowsVersion("4.10") || IsWindowsVersion("5.0") ||
        !IsNot256ColorDisplay()) {
        flags = LR_VGACOLOR;
    }
    HICON icon = static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, 16, 16, flags));
    ReleaseDC(desktop, dc);
    return icon;
}

void AddTrayIcon()
{
    HICON icon = LoadSmallIcon(MainIconName);
    NOTIFYICONDATAA& d = trayIconData;
    std::memset(&d, 0, sizeof d);
    d.cbSize = kFirstNotifyIconDataSize;
    d.hWnd = mainWindow;
    d.uID = TrayIconId;
    d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    d.uCallbackMessage = TrayIconNotify;
    d.hIcon = icon;
    AddNotifyIcon(d, Text(TEXT_PRODUCT_NAME));
    DestroyIcon(icon);
}

void DeleteTrayIcon()
{
    // The record may never have been filled when the window starts with its title bar.
    trayIconData.cbSize = kFirstNotifyIconDataSize;
    trayIconData.hWnd = mainWindow;
    trayIconData.uID = TrayIconId;
    Shell_NotifyIconA(NIM_DELETE, &trayIconData);
}

static void RecomputeFrame()
{
    const UINT refresh = SWP_NOZORDER | SWP_NOMOVE | SWP_FRAMECHANGED;
    if (IsWindowsVersion("5.0")) {
        // That version redraws the new frame only after a real size change.
        RECT r{};
        GetWindowRect(mainWindow, &r);
        SetWindowPos(mainWindow, nullptr, 0, 0, r.right - r.left - 1, r.bottom - r.top, refresh | SWP_NOSENDCHANGING);
        GetWindowRect(mainWindow, &r);
        SetWindowPos(mainWindow, nullptr, 0, 0, r.right - r.left + 1, r.bottom - r.top, refresh | SWP_NOSENDCHANGING);
    } else {
        SetWindowPos(mainWindow, nullptr, 0, 0, 0, 0, refresh | SWP_NOSIZE);
    }
}

void ToggleTitleBar(int atCapture)
{
    LONG style = GetWindowLongA(mainWindow, GWL_STYLE);
    titleGrowHeight = 0;
    if (titleBarShown) {
        if (style & WS_CAPTION) {
            SetWindowLongA(mainWindow, GWL_STYLE, style & ~WS_CAPTION);
            AddTrayIcon();
        }
        titleBarShown = 0;
        hiddenCaptionHeight = GetSystemMetrics(SM_CYCAPTION);
    } else {
        if (!(style & WS_CAPTION)) {
            SetWindowLongA(mainWindow, GWL_STYLE, style | WS_CAPTION);
            DeleteTrayIcon();
        }
        titleBarShown = 1;
        hiddenCaptionHeight = 0;
    }
    RECT r{};
    GetWindowRect(mainWindow, &r);
    titleGrowHeight = TitleGrowHeight(r.bottom - r.top, minHeight, GetSystemMetrics(SM_CYCAPTION));

    RecomputeFrame();
    SetWindowPos(taskbarWindows.notifyArea, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    InvalidateRect(mainWindow, nullptr, FALSE);

    GetWindowRect(mainWindow, &r);
    TitleBarResize fix = TitleBarHeightCorrection(atCapture != 0, titleBarShown != 0, r.left, r.top, r.right - r.left,
                                                  r.bottom - r.top, minHeight, titleGrowHeight, hiddenCaptionHeight);
    if (fix.apply) {
        UINT flags = SWP_NOSENDCHANGING | SWP_FRAMECHANGED | SWP_NOZORDER;
        if (!fix.move) flags |= SWP_NOMOVE;
        SetWindowPos(mainWindow, nullptr, fix.left, fix.top, fix.width, fix.height, flags);
    }
}
