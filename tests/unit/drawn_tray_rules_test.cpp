// Whether the taskbar draws its notification area itself, told from its window tree.
#include "taskbar/drawn_tray_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(DrawnTray, TreesOfEachTaskbar)
{
    struct Row {
        const char* taskbar;
        TrayTree tree;
        bool drawn;
    };
    const Row rows[] = {
        {"Windows 7 to 10: no island", {false, true, 9, 0}, false},
        {"Windows 10, clock off, every icon in the overflow", {false, false, 0, 0}, false},
        {"Windows 11 21H2: island beside the real toolbar", {true, false, 7, 0}, false},
        {"21H2 with its icons hidden but one", {true, false, 7, 6}, false},
        {"an island beside a clock window", {true, true, 0, 0}, false},
        {"Windows 11 22H2: island, empty toolbars, no clock", {true, false, 0, 0}, true},
        // Beside the island hidden icons live in the overflow window: hidden buttons show nothing.
        {"island, toolbar buttons all hidden", {true, false, 3, 3}, true},
        // Their states unread: hosted as before rather than refused on a guess.
        {"island, toolbar buttons not readable", {true, false, 3, -1}, false},
    };
    for (const Row& row : rows) EXPECT_EQ(TaskbarDrawsTray(row.tree), row.drawn) << row.taskbar;
}

}  // namespace
