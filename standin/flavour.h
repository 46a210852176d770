// The taskbar flavours the stand-in can play: which windows each one offers.
#pragma once
#include <string>

struct Flavour {
    const char* name;
    bool pagerLayout;          // hidden-icons button first, the icon toolbar inside a SysPager
    bool systemPager;          // a second SysPager with the system-control toolbar
    bool showDesktopButton;    // TrayShowDesktopButtonWClass at the right end
    bool pearlifyButton;       // TrayPearlifyButtonWClass inside Shell_TrayWnd
    bool topLevelStartButton;  // the Start button is a top-level window, not a taskbar child
    const char* iconToolbarCaption;  // nullptr: no caption
};

// nullptr for a name that is not a known flavour.
const Flavour* FindFlavour(const std::string& name);
