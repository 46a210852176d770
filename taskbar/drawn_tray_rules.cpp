// See drawn_tray_rules.h.
#include "taskbar/drawn_tray_rules.h"

bool TaskbarDrawsTray(const TrayTree& tree)
{
    if (!tree.island || tree.clockWindow) return false;
    if (tree.buttons <= 0) return true;
    // Beside the island, an icon the user hides goes to the overflow window: a hidden button
    // in TrayNotifyWnd is nothing the hosted area could show. States that could not be read
    // leave the buttons counted, and the area hosted as before.
    return tree.hiddenButtons >= tree.buttons;
}
