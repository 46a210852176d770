// Every key of velt.ini: its section, its name and the value an absent key stands for,
// named here once for all who read or write it.
#pragma once

#include <cstdint>

struct SettingKey {
    const char* section;
    const char* key;
};

struct Setting : SettingKey {
    int32_t defaultValue;
};

namespace setting {

// The main window's place, saved at every ending. Absent, the window is centred on the
// screen at its default size, which only the screen's size tells.
inline constexpr SettingKey windowLeft{"Window", "Left"};
inline constexpr SettingKey windowTop{"Window", "Top"};
inline constexpr Setting windowWidth{{"Window", "Width"}, 177};
inline constexpr Setting windowHeight{{"Window", "Height"}, 135};
inline constexpr Setting windowAlpha{{"Window", "Alpha"}, 255};
// 1: the title bar is shown.
inline constexpr Setting titleBar{{"Window", "Title"}, 1};
inline constexpr Setting flatArea{{"Window", "Flat"}, 0};
inline constexpr Setting hideWhenInactive{{"Window", "Hide"}, 0};

// The screen edges that reveal the window, and the sensing keys (settings_rules.h).
inline constexpr Setting edgeTop{{"Target", "Top"}, 1};
inline constexpr Setting edgeDown{{"Target", "Down"}, 1};
inline constexpr Setting edgeLeft{{"Target", "Left"}, 1};
inline constexpr Setting edgeRight{{"Target", "Right"}, 1};
inline constexpr Setting sensingKeys{{"Target", "Key"}, 0};

// The three hotkeys, packed as modifiers * 256 + key (settings_rules.h): Ctrl+Shift+A shows
// or hides the window, Ctrl+Alt+T its title bar, Alt+D opens the hidden icons.
inline constexpr Setting hotkeys[3] = {{{"Config", "HotKey"}, 6 * 256 + 'A'},
                                       {{"Config", "HotKey2"}, 3 * 256 + 'T'},
                                       {{"Config", "HotKey3"}, 1 * 256 + 'D'}};
inline constexpr Setting resizeToTray{{"Config", "ReSize"}, 1};
// Read at start only; the options window has no control for these two.
inline constexpr Setting quietWatch{{"Config", "QuietWatch"}, 0};
inline constexpr Setting language{{"Config", "Language"}, 0};

}  // namespace setting
