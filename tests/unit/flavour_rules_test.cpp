// Flavour derivation, the flavour sets and the registry switch.
#include "taskbar/flavour_rules.h"

#include <gtest/gtest.h>

namespace {

constexpr FlavourProbes kNone{false, false, false, false};
constexpr FlavourProbes kSystemControl{true, false, false, false};
constexpr FlavourProbes kShowDesktop{false, true, false, false};
constexpr FlavourProbes kShowDesktopPearlify{false, true, true, false};
constexpr FlavourProbes kPearlifyOnly{false, false, true, false};
constexpr FlavourProbes kNotification{false, false, false, true};
constexpr FlavourProbes kAll{true, true, true, true};

struct FlavourRow {
    uint32_t major, minor, platform;
    FlavourProbes probes;
    const char* expected;
};

TEST(Flavour, ReportedVersionWhenNoProbeMatches)
{
    const FlavourRow rows[] = {
        {4, 0, 1, kNone, "4.0"},   {4, 10, 1, kNone, "4.10"}, {4, 0, 2, kNone, "4.20"},
        {4, 90, 1, kNone, "4.90"}, {5, 0, 2, kNone, "5.0"},   {5, 1, 2, kNone, "5.1"},
        {5, 2, 2, kNone, "5.2"},   {6, 0, 2, kNone, "6.0"},   {6, 1, 2, kNone, "6.1"},
        {6, 2, 2, kNone, "6.2"},   {6, 3, 2, kNone, "6.3"},   {4, 20, 2, kNone, "4.20"},
    };
    for (const FlavourRow& row : rows) {
        EXPECT_STREQ(DeriveFlavour(row.major, row.minor, row.platform, row.probes).text, row.expected)
            << row.major << "." << row.minor << " platform " << row.platform;
    }
}

TEST(Flavour, TaskbarWindowsOutrankTheReportedVersion)
{
    const FlavourRow rows[] = {
        {5, 2, 2, kNotification, "5.1"},
        {6, 2, 2, kShowDesktop, "6.1"},
        {5, 1, 2, kShowDesktopPearlify, "6.2"},
        {6, 1, 2, kPearlifyOnly, "6.1"},  // pearlify counts only beside a show-desktop button
        {5, 1, 2, kSystemControl, "6.0"},
        {4, 0, 2, kNotification, "5.1"},
        {6, 3, 2, kAll, "6.0"},  // system control is probed first
        {6, 3, 2, {false, true, false, true}, "6.1"},
        {4294967295u, 4294967295u, 2, kNone, "4294967295.4294967295"},
    };
    for (const FlavourRow& row : rows) {
        EXPECT_STREQ(DeriveFlavour(row.major, row.minor, row.platform, row.probes).text, row.expected)
            << row.major << "." << row.minor;
    }
}

TEST(Flavour, IsComparesExactly)
{
    const FlavourText flavour = DeriveFlavour(6, 1, 2, kNone);
    EXPECT_TRUE(FlavourIs(flavour, "6.1"));
    EXPECT_FALSE(FlavourIs(flavour, "6.10"));
    EXPECT_FALSE(FlavourIs(flavour, "6."));
}

TEST(Flavour, SetMembership)
{
    struct Row {
        const char* flavour;
        bool win9x, from51, from50;
    };
    const Row rows[] = {
        {"4.0", true, false, false},  {"4.10", true, false, false}, {"4.20", false, false, false},
        {"4.90", true, false, false}, {"5.0", false, false, true},  {"5.1", false, true, true},
        {"5.2", false, true, true},   {"6.0", false, true, true},   {"6.1", false, true, true},
        {"6.2", false, true, true},   {"6.3", false, false, false}, {"", false, false, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FlavourIsWin9xFamily(row.flavour), row.win9x) << row.flavour;
        EXPECT_EQ(FlavourIsVersion51To62(row.flavour), row.from51) << row.flavour;
        EXPECT_EQ(FlavourIsVersion50To62(row.flavour), row.from50) << row.flavour;
    }
}

// Windows 10's taskbar: "6.1" by its windows, 10.0 from build 14393 (1607) up to Windows 11's
// 22000 by RtlGetVersion, and a TrayButton of its own.
TEST(Flavour, Windows10TaskbarNeedsVersionAndWindow)
{
    struct Row {
        const char* flavour;
        RealVersion real;
        bool trayButton, expected;
    };
    // 1511 (10586), whose clock still takes the requests; Windows 11; Windows 7's layout on a
    // system that says 10; no RtlGetVersion.
    const Row rows[] = {{"6.1", {10, 0, 18362}, true, true},  {"6.1", {10, 0, 14393}, true, true},
                        {"6.1", {10, 0, 10586}, true, false}, {"6.1", {10, 0, 22000}, true, false},
                        {"6.1", {10, 0, 18362}, false, false}, {"6.1", {6, 1, 7601}, true, false},
                        {"6.2", {10, 0, 18362}, true, false}, {"6.1", {0, 0, 0}, true, false}};
    for (const Row& row : rows) {
        EXPECT_EQ(IsWindows10Taskbar(row.flavour, row.real, row.trayButton), row.expected) << row.real.build;
    }
}

TEST(Flavour, RegistrySwitchIsOnOnlyForTheText1)
{
    struct Row {
        const char* bytes;
        uint32_t size;
        bool expected;
    };
    const Row rows[] = {
        {"1", 2, true},                   // REG_SZ "1" with its zero
        {"1", 1, true},                   // without it: the zeroed buffer ends it
        {"1\0xyz", 6, true},              // the text ends at the first zero
        {"0", 2, false},
        {"\x01\0\0\0", 4, false},         // REG_DWORD 1
        {"10", 3, false},
        {"", 0, false},
        {"1\0\0\0\0\0\0\0\0\0", 10, true},
        {"1\0\0\0\0\0\0\0\0\0\0", 11, false},  // longer than the read buffer
    };
    for (const Row& row : rows) {
        EXPECT_EQ(RegistrySwitchIsOn(reinterpret_cast<const unsigned char*>(row.bytes), row.size), row.expected)
            << "size " << row.size;
    }
    EXPECT_FALSE(RegistrySwitchIsOn(nullptr, 0));
}

}  // namespace
