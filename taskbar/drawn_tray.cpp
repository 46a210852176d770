// Reads the taskbar's window tree for the drawn-tray rule.
#include "taskbar/drawn_tray.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "taskbar/drawn_tray_rules.h"
#include "taskbar/taskbar_windows.h"

namespace {

constexpr char kIslandClass[] = "Windows.UI.Composition.DesktopWindowContentBridge";

// Every toolbar inside TrayNotifyWnd, the pager's too, adds its buttons.
BOOL CALLBACK AddToolbarButtons(HWND window, LPARAM into)
{
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "ToolbarWindow32") != 0) return TRUE;
    TrayTree& tree = *reinterpret_cast<TrayTree*>(into);
    const int count = static_cast<int>(SendToTaskbarBounded(window, TB_BUTTONCOUNT, 0, 0));
    tree.buttons += count;
    if (count > 0 && tree.hiddenButtons >= 0) {
        const int shown = CountShownButtons(window);
        tree.hiddenButtons = shown < 0 ? -1 : tree.hiddenButtons + count - shown;
    }
    return TRUE;
}

}  // namespace

bool TaskbarDrawsTrayNow()
{
    const TaskbarWindows& t = taskbarWindows;
    TrayTree tree{};
    tree.island = FindWindowExA(t.taskbar, nullptr, kIslandClass, nullptr) != nullptr;
    if (!tree.island) return false;
    tree.clockWindow = t.clock != nullptr;
    EnumChildWindows(t.notifyArea, AddToolbarButtons, reinterpret_cast<LPARAM>(&tree));
    return TaskbarDrawsTray(tree);
}
