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

// What RtlGetVersion reports: the system's own version, which the compatibility that GetVersionEx
// follows does not change (an exe without a manifest is told 6.2 on Windows 8.1, 10 and 11).
// All zero where the function is missing (95, 98 and Me have no ntdll).
struct RealVersion {
    uint32_t major;
    uint32_t minor;
    uint32_t build;
};

// Windows 10 from 1607 on, the first build whose clock takes clicks instead of the private
// requests; Windows 11 begins at build 22000 and is not this taskbar.
constexpr uint32_t kWindows10NewClockBuild = 14393;
constexpr uint32_t kWindows11FirstBuild = 22000;

// The taskbar is Windows 10's, whose clock and calendar the program treats apart: its show-desktop
// button makes it flavour "6.1", RtlGetVersion reports 10.0 of those builds, and the taskbar has
// one of the TrayButtons (action centre, touch keyboard, ink) that only Windows 10's has. Both
// signs are asked, so that an older layout under a system reporting 10.0 keeps its own ways.
bool IsWindows10Taskbar(const char* flavour, const RealVersion& real, bool trayButtonFound);

// A registry switch (ThemeActive, DragFullWindows) is on exactly when the value
// holds the text "1". `dataSize` is the size the registry reported; values longer
// than the 10-byte read buffer count as off, and so does a DWORD 1.
constexpr uint32_t kRegistrySwitchBufferSize = 10;
bool RegistrySwitchIsOn(const unsigned char* data, uint32_t dataSize);
