// The main window's DPI awareness, and its sizes and saved place at the DPI it sees.
#include "core/dpi_rules.h"

#include <gtest/gtest.h>

namespace {

using A = DpiAwareness;
using F = DpiFunctions;

TEST(Dpi, MainWindowTakesTheAreasAwarenessWhereTheThreadCanBeSet)
{
    struct Row {
        const char* system;
        F functions;
        A area, thread;
        bool set;
        A context, fallback;
    };
    const Row rows[] = {
        {"95 to 8", F::none, A::unknown, A::unknown, false, A::unknown, A::unknown},
        // Only the process-wide setting: the other windows would change too.
        {"8.1, 10 before 1607", F::processWide, A::unknown, A::unknown, false, A::unknown, A::unknown},
        {"10 1607 on, Explorer per-monitor v2", F::threadContexts, A::perMonitorV2, A::unaware, true, A::perMonitorV2,
         A::perMonitor},
        {"Explorer per-monitor", F::threadContexts, A::perMonitor, A::unaware, true, A::perMonitor, A::unknown},
        {"Explorer system aware", F::threadContexts, A::system, A::unaware, true, A::system, A::unknown},
        {"a program aware, Explorer not", F::threadContexts, A::unaware, A::perMonitor, true, A::unaware, A::unknown},
        // Wine 8: both per-monitor already.
        {"same mode", F::threadContexts, A::perMonitor, A::perMonitor, false, A::unknown, A::unknown},
        {"v1 and v2 are one mode", F::threadContexts, A::perMonitorV2, A::perMonitor, false, A::unknown, A::unknown},
        {"area unread", F::threadContexts, A::unknown, A::unaware, false, A::unknown, A::unknown},
        {"no notification area", F::threadContexts, A::unknown, A::perMonitor, false, A::unknown, A::unknown},
    };
    for (const Row& row : rows) {
        const DpiPlan plan = PlanMainWindowDpi(row.functions, row.area, row.thread);
        EXPECT_EQ(plan.setThreadContext, row.set) << row.system;
        EXPECT_EQ(plan.context, row.context) << row.system;
        EXPECT_EQ(plan.fallback, row.fallback) << row.system;
    }
}

TEST(Dpi, NewWindowSeesTheDpiOfItsAwareness)
{
    EXPECT_EQ(DpiOfNewWindow(A::unaware, 144, 192), 96u);
    EXPECT_EQ(DpiOfNewWindow(A::unknown, 144, 192), 96u);
    EXPECT_EQ(DpiOfNewWindow(A::system, 144, 192), 144u);
    EXPECT_EQ(DpiOfNewWindow(A::perMonitor, 144, 192), 192u);
    EXPECT_EQ(DpiOfNewWindow(A::perMonitorV2, 144, 120), 120u);
    EXPECT_EQ(DpiOfNewWindow(A::perMonitorV2, 144, 0), 96u);
    EXPECT_EQ(DpiOfNewWindow(A::system, 0, 192), 96u);
}

TEST(Dpi, SavedPlaceKeepsItsMeaningAtEveryDpi)
{
    struct Row {
        uint32_t dpi;
        Place saved, window;
    };
    const Row rows[] = {
        {96, {551, 332, 177, 135}, {551, 332, 177, 135}},   // every layout so far, and Wine
        {0, {551, 332, 177, 135}, {551, 332, 177, 135}},    // the DPI unknown
        {144, {551, 332, 177, 135}, {827, 498, 266, 203}},  // 150 %: halves round away from zero
        {120, {-1280, 10, 177, 135}, {-1600, 13, 221, 169}},  // a monitor left of the primary one
        {192, {0, 0, 45, 63}, {0, 0, 90, 126}},
    };
    for (const Row& row : rows) {
        const Place window = PlaceForWindow(row.saved, row.dpi);
        EXPECT_EQ(window.left, row.window.left) << row.dpi;
        EXPECT_EQ(window.top, row.window.top) << row.dpi;
        EXPECT_EQ(window.width, row.window.width) << row.dpi;
        EXPECT_EQ(window.height, row.window.height) << row.dpi;
        const Place back = PlaceForSettings(window, row.dpi);
        EXPECT_EQ(back.left, row.saved.left) << row.dpi;
        EXPECT_EQ(back.top, row.saved.top) << row.dpi;
        EXPECT_EQ(back.width, row.saved.width) << row.dpi;
        EXPECT_EQ(back.height, row.saved.height) << row.dpi;
    }
    // A place the user left between two pixels of 96 DPI is saved at the nearer one.
    EXPECT_EQ(ScaleFromDpi(267, 144), 178);
    EXPECT_EQ(ScaleFromDpi(-1601, 120), -1281);
}

}  // namespace
