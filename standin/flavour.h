// The taskbar flavours the stand-in can play: which windows each one offers.
#pragma once
#include <string>

// Windows 11's XAML island, a DesktopWindowContentBridge child of the taskbar.
enum class Island {
    none,       // before Windows 11
    newParts,   // 21H2: it draws the centred buttons and the clock; the old tray is real
    wholeTray,  // 22H2 and later: it draws the whole tray; TrayNotifyWnd is an empty shell
};

struct Flavour {
    const char* name;
    bool pagerLayout;          // hidden-icons button first, the icon toolbar inside a SysPager
    bool systemPager;          // a second SysPager with the system-control toolbar
    bool showDesktopButton;    // TrayShowDesktopButtonWClass at the right end
    bool pearlifyButton;       // TrayPearlifyButtonWClass inside Shell_TrayWnd
    bool topLevelStartButton;  // the Start button is a top-level window, not a taskbar child
    const char* iconToolbarCaption;  // nullptr: no caption
    // The taskbar of Windows 10 (1607 and later) and 11: English captions, a clock that
    // answers clicks rather than private messages, a calendar window, a tooltip control,
    // an overflow window that always exists, and Explorer's re-layout of TrayNotifyWnd
    // whenever an icon comes or goes.
    bool modernTray;
    Island island;
};

// nullptr for a name that is not a known flavour.
const Flavour* FindFlavour(const std::string& name);

// TrayClockWClass exists: everywhere except where the island draws the clock.
inline bool HasClockWindow(const Flavour& f) { return f.island == Island::none; }
// The notification icons are buttons of the icon toolbar (not drawn by the island).
inline bool IconsAreButtons(const Flavour& f) { return f.island != Island::wholeTray; }
