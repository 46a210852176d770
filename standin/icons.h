// The notification icons: one record per toolbar button, and the toolbars that show them.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

struct TrayIcon {
    HWND owner;
    UINT id;
    UINT callbackMessage;  // 0: the owner is not told about clicks
    std::string tip;       // CP932
    bool hidden;
    int command;           // the toolbar button's command id
    int image;             // index in the toolbar's image list
};

struct IconChange {
    bool setTip = false;
    std::string tip;
    bool setHidden = false;
    bool hidden = false;
    bool setCallback = false;
    UINT callbackMessage = 0;
};

// A real comctl32 toolbar with an image list. The notification toolbar is subclassed so
// that the reads a foreign process makes of it are journaled.
HWND CreateIconToolbar(HWND parent, const char* caption, bool notificationToolbar);
void FillSystemToolbar(HWND toolbar);

// Forgets every icon; the next icons go to the current tray.iconToolbar.
void ResetTrayIcons();
void AddDemoIcons(HWND owner, int count, unsigned hiddenMask);

bool AddTrayIcon(HWND owner, UINT id, const IconChange& initial);
bool ModifyTrayIcon(HWND owner, UINT id, const IconChange& change);
bool DeleteTrayIcon(HWND owner, UINT id);

const std::vector<TrayIcon>& TrayIcons();
int VisibleTrayIconCount();
HIMAGELIST TrayIconImages();

// Asked of the toolbar itself, past the journaling subclass.
int ToolbarButtonCount(bool visibleOnly);
