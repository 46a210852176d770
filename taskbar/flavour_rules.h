// Taskbar flavour: which kind of taskbar we are hosting, derived from the system version and the taskbar's windows.
#pragma once

#include <cstdint>

// What the four window probes found, in the order they are consulted.
struct FlavourProbes {
    bool systemControlToolbar;  // "システム コントロール領域" toolbar in the system pager
    bool showDesktopButton;     // TrayShowDesktopButtonWClass in the notification area
    bool pearlifyButton;        // TrayPearlifyButtonWClass in the taskbar
    bool notificationToolbar;   // "通知領域" toolbar in the pager
};

// A flavour is a "major.minor" text such as "6.1". Fits any pair of 32-bit numbers.
struct FlavourText {
    char text[24];
};

constexpr uint32_t kPlatformWin32Nt = 2;  // VER_PLATFORM_WIN32_NT

// The taskbar's windows outrank the reported version: system control, then
// show-desktop, then the notification toolbar; only then the reported numbers.
FlavourText DeriveFlavour(uint32_t reportedMajor, uint32_t reportedMinor, uint32_t platformId,
                          const FlavourProbes& probes);

// Exact, byte-wise comparison of a flavour with one of the known texts.
bool FlavourIs(const FlavourText& flavour, const char* text);

// Set memberships (not numeric ranges): an unknown flavour such as "6.3" is in none.
bool FlavourIsWin9xFamily(const char* flavour);   // "4.0", "4.10", "4.90"
bool FlavourIsVersion51To62(const char* flavour); // "5.1" .. "6.2"
bool FlavourIsVersion50To62(const char* flavour); // "5.0" .. "6.2"
bool FlavourIsVersion60Or61(const char* flavour); // "6.0", "6.1"

// A registry switch (ThemeActive, DragFullWindows) is on exactly when the value
// holds the text "1". `dataSize` is the size the registry reported; values longer
// than the 10-byte read buffer count as off, and so does a DWORD 1.
constexpr uint32_t kRegistrySwitchBufferSize = 10;
bool RegistrySwitchIsOn(const unsigned char* data, uint32_t dataSize);
