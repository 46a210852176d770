// Probes the taskbar's windows and the reported version for the flavour, and reads the
// visual-style and full-drag switches from the registry.
#include "taskbar/flavour.h"

#include <windows.h>

#include <cstring>

#include "core/optional_functions.h"
#include "core/shared_state.h"
#include "taskbar/flavour_rules.h"
#include "taskbar/taskbar_windows.h"

static HWND SystemControlToolbarIn(HWND parent)
{
    HWND systemPager = FindWindowExA(parent, taskbarWindows.pager, "SysPager", nullptr);
    return FindWindowExA(systemPager, nullptr, "ToolbarWindow32", "システム コントロール領域");
}

static FlavourProbes ProbeTaskbar()
{
    const TaskbarWindows& t = taskbarWindows;
    FlavourProbes p{};
    p.systemControlToolbar = SystemControlToolbarIn(t.notifyArea) || SystemControlToolbarIn(mainWindow);
    if (p.systemControlToolbar) return p;
    p.showDesktopButton = FindWindowExA(t.notifyArea, nullptr, "TrayShowDesktopButtonWClass", nullptr) ||
                          FindWindowExA(mainWindow, nullptr, "TrayShowDesktopButtonWClass", nullptr);
    if (p.showDesktopButton) {
        p.pearlifyButton = FindWindowExA(t.taskbar, nullptr, "TrayPearlifyButtonWClass", nullptr) != nullptr;
        return p;
    }
    p.notificationToolbar = FindWindowExA(t.pager, nullptr, "ToolbarWindow32", "通知領域") ||
                            FindWindowExA(mainWindow, nullptr, "ToolbarWindow32", "通知領域");
    return p;
}

void CurrentFlavour(char* flavour)
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    FlavourText derived = DeriveFlavour(version.dwMajorVersion, version.dwMinorVersion,
                                        version.dwPlatformId, ProbeTaskbar());
    std::memcpy(flavour, derived.text, sizeof derived.text);
}

bool IsWindowsVersion(const char* flavour)
{
    char current[sizeof(FlavourText::text)];
    CurrentFlavour(current);
    return std::strcmp(current, flavour) == 0;
}

// The current flavour's membership in one of the sets the flavour rules name.
static bool CurrentFlavourIn(bool (*isMember)(const char*))
{
    char current[sizeof(FlavourText::text)];
    CurrentFlavour(current);
    return isMember(current);
}

bool IsWin9xFamily() { return CurrentFlavourIn(FlavourIsWin9xFamily); }
bool IsVersion51To62() { return CurrentFlavourIn(FlavourIsVersion51To62); }
bool IsVersion50To62() { return CurrentFlavourIn(FlavourIsVersion50To62); }
bool IsVersion60Or61() { return CurrentFlavourIn(FlavourIsVersion60Or61); }

// RtlGetVersion of ntdll, which is in every NT process; 9x has neither.
static RealVersion ReadRealVersion()
{
    LONG(WINAPI * rtlGetVersion)(OSVERSIONINFOW*) = nullptr;
    RealVersion real{};
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (LookUpFunction(GetModuleHandleA("ntdll.dll"), "RtlGetVersion", rtlGetVersion) && rtlGetVersion(&info) == 0) {
        real = RealVersion{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
    }
    return real;
}

bool IsWindows10Taskbar(const char* flavour)
{
    // Only a "6.1" taskbar can be Windows 10's: the other flavours ask nothing more.
    if (std::strcmp(flavour, "6.1") != 0) return false;
    const TaskbarWindows& t = taskbarWindows;
    const bool trayButton = FindWindowExA(t.notifyArea, nullptr, "TrayButton", nullptr) ||
                            FindWindowExA(t.taskbar, nullptr, "TrayButton", nullptr);
    return IsWindows10Taskbar(flavour, ReadRealVersion(), trayButton);
}

bool IsWindows10Taskbar()
{
    char current[sizeof(FlavourText::text)];
    CurrentFlavour(current);
    return IsWindows10Taskbar(current);
}

bool ReadRegistrySwitch(int selector)
{
    const char* path = selector ? "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager"
                                : "Control Panel\\Desktop";
    const char* name = selector ? "ThemeActive" : "DragFullWindows";
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    unsigned char data[kRegistrySwitchBufferSize] = {};
    DWORD size = sizeof data;
    bool on = RegQueryValueExA(key, name, nullptr, nullptr, data, &size) == ERROR_SUCCESS &&
              RegistrySwitchIsOn(data, size);
    RegCloseKey(key);
    return on;
}

bool IsThemeActive() { return ReadRegistrySwitch(1); }
bool IsDragFullWindows() { return ReadRegistrySwitch(0); }
