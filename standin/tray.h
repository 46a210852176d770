// The stand-in's window tree and the operations the window procedures share.
#pragma once
#include <windows.h>

#include "flavour.h"

// Handles of the windows a real taskbar offers; null where the flavour has none.
struct TrayTree {
    HWND taskbar;
    HWND rebar;
    HWND startButton;
    HWND notifyArea;
    HWND hiddenIconsButton;
    HWND pager;
    HWND iconToolbar;
    HWND systemPager;
    HWND systemToolbar;
    HWND clock;
    HWND showDesktopButton;
    HWND pearlifyButton;
    // Windows 10 and 11 only.
    HWND trayButtons[3];  // action centre, touch keyboard, ink
    HWND inputIndicator;
    HWND island;          // Windows.UI.Composition.DesktopWindowContentBridge
};

extern TrayTree tray;
extern const Flavour* flavour;
extern HINSTANCE instance;
// The hidden window through which tests steer the stand-in; owner of the demo icons.
extern HWND controlWindow;

constexpr int kTaskbarHeight = 30;
constexpr int kIconButtonSize = 24;     // one notification icon in the toolbar
constexpr int kHiddenIconsCommand = 1502;  // the hidden-icons button's control id
constexpr const char kHiddenIconsText[] = "▲";

// Demo icons made at start and after each restart: how many, and which of them are hidden
// (bit i hides demo icon i + 1).
struct DemoIcons {
    int count;
    unsigned hiddenMask;
};
extern DemoIcons demoIcons;
// False: the taskbar is built without a notification area (--no-notify-area).
extern bool withNotifyArea;
// "query-end capture": the next program window that takes the notification area is sent
// WM_QUERYENDSESSION right then, while its SetParent waits on the stand-in, as a log-off
// that reaches a program in the middle of its capture.
extern bool queryEndAtCapture;
// "query-end hide": the next time a program takes the notification area out of the taskbar,
// its window is sent WM_QUERYENDSESSION at the area's hide step, before the move, while the
// program's SetParent waits on the stand-in.
extern bool queryEndAtHide;

void RegisterTrayClasses();
// A window class of the stand-in's, with the arrow cursor; no background brush by default.
void RegisterWindowClass(const char* name, WNDPROC proc, HBRUSH background = nullptr, UINT style = CS_HREDRAW | CS_VREDRAW);
// A visible child of the stand-in's (WS_CLIPSIBLINGS), placed later by a layout.
HWND CreateTrayChild(const char* cls, const char* text, HWND parent, DWORD style = 0, int id = 0);
void CreateTrayTree();
void DestroyTrayTree();
// Destroys the tree, builds a fresh one and tells every top-level window "TaskbarCreated".
void RestartTray();
// Broadcasts "TaskbarCreated", as at every start and restart.
void AnnounceTaskbar();

void LayoutTaskbar();
// Moves the taskbar back along the bottom edge, keeping its height; false when it is there.
bool DockTaskbar();
void LayoutNotifyArea();
// Lays out whatever holds the icons after they changed.
void RelayoutAfterIconChange();
int PreferredNotifyWidth();
bool NotifyAreaInTaskbar();

// The taskbar of Windows 10 and 11 (flavour->modernTray), in modern_tray.cpp.
void RegisterModernClasses();
void CreateModernNotifyArea();
void CreateIsland();
void LayoutModernTaskbar();
void LayoutModernNotifyArea(int width, int height);
int ModernNotifyWidth();
// As Explorer does there after an icon came or went: TrayNotifyWnd is moved and sized to
// where it stands in the taskbar, whichever window holds it now, and the move journaled.
void RelayoutModernTray();

// A font that shows Japanese text legibly, shared by every window of the stand-in.
HFONT UiFont();
HBRUSH FaceBrush();

LRESULT CALLBACK TaskbarProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK NotifyAreaProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PagerProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ClockProc(HWND, UINT, WPARAM, LPARAM);
// The clock of Windows 10 (1607 and later); it leaves painting and the time to ClockProc.
LRESULT CALLBACK ModernClockProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ShowDesktopProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PearlifyProc(HWND, UINT, WPARAM, LPARAM);

// Width of the clock's "HH:MM" (on Windows 10 and 11 also the date below it) with its margins.
int ClockPreferredWidth();
// The time (and on Windows 10 and 11 the date below it) centred in the rectangle.
void DrawClockText(HDC dc, const RECT& where, COLORREF colour);

// WM_COPYDATA sent to Shell_TrayWnd by Shell_NotifyIcon.
LRESULT HandleNotifyIconData(const COPYDATASTRUCT* data);
