// Taskbar flavour derivation and the set tests built on it.
#include "taskbar/flavour_rules.h"

#include <cstdio>
#include <cstring>

namespace {

FlavourText MakeFlavour(const char* text)
{
    FlavourText flavour{};
    std::snprintf(flavour.text, sizeof flavour.text, "%s", text);
    return flavour;
}

bool IsOneOf(const char* flavour, const char* const* members, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (std::strcmp(flavour, members[i]) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

FlavourText DeriveFlavour(uint32_t reportedMajor, uint32_t reportedMinor, uint32_t platformId,
                          const FlavourProbes& probes)
{
    if (probes.systemControlToolbar) {
        return MakeFlavour("6.0");
    }
    if (probes.showDesktopButton) {
        return MakeFlavour(probes.pearlifyButton ? "6.2" : "6.1");
    }
    if (probes.notificationToolbar) {
        return MakeFlavour("5.1");
    }
    if (reportedMajor == 4 && reportedMinor == 0) {
        // NT 4.0 reports the same numbers as Windows 95 but has a different shell.
        return MakeFlavour(platformId == kPlatformWin32Nt ? "4.20" : "4.0");
    }
    FlavourText flavour{};
    std::snprintf(flavour.text, sizeof flavour.text, "%u.%u", static_cast<unsigned>(reportedMajor),
                  static_cast<unsigned>(reportedMinor));
    return flavour;
}

bool FlavourIs(const FlavourText& flavour, const char* text)
{
    return std::strcmp(flavour.text, text) == 0;
}

bool FlavourIsWin9xFamily(const char* flavour)
{
    static const char* const members[] = {"4.0", "4.10", "4.90"};
    return IsOneOf(flavour, members, sizeof members / sizeof members[0]);
}

bool FlavourIsVersion51To62(const char* flavour)
{
    static const char* const members[] = {"5.1", "5.2", "6.0", "6.1", "6.2"};
    return IsOneOf(flavour, members, sizeof members / sizeof members[0]);
}

bool FlavourIsVersion50To62(const char* flavour)
{
    return std::strcmp(flavour, "5.0") == 0 || FlavourIsVersion51To62(flavour);
}

bool FlavourIsVersion60Or61(const char* flavour)
{
    static const char* const members[] = {"6.0", "6.1"};
    return IsOneOf(flavour, members, sizeof members / sizeof members[0]);
}

bool IsWindows10Taskbar(const char* flavour, const RealVersion& real, bool trayButtonFound)
{
    return std::strcmp(flavour, "6.1") == 0 && real.major == 10 && real.minor == 0 &&
           real.build >= kWindows10NewClockBuild && real.build < kWindows11FirstBuild && trayButtonFound;
}

bool RegistrySwitchIsOn(const unsigned char* data, uint32_t dataSize)
{
    if (data == nullptr || dataSize > kRegistrySwitchBufferSize) {
        return false;
    }
    // Compare as text inside a zeroed buffer, so "1" with or without its
    // terminating zero is on, and a DWORD 1 (01 00 00 00) is not.
    char buffer[kRegistrySwitchBufferSize + 1] = {};
    std::memcpy(buffer, data, dataSize);
    return std::strcmp(buffer, "1") == 0;
}
