// Feeds the geometry rules with what the system reports now; nothing is cached.
#include "taskbar/geometry.h"

#include <shellapi.h>

#include "core/dpi.h"
#include "core/optional_functions.h"
#include "core/shared_state.h"
#include "taskbar/fit.h"
#include "taskbar/fit_rules.h"
#include "taskbar/flavour.h"
#include "taskbar/geometry_rules.h"
#include "taskbar/taskbar_windows.h"

Rect ToRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

static APPBARDATA TaskbarPosition()
{
    APPBARDATA data{};
    data.cbSize = sizeof data;
    SHAppBarMessage(ABM_GETTASKBARPOS, &data);
    return data;
}

bool IsTrayHorizontal()
{
    APPBARDATA position = TaskbarPosition();
    APPBARDATA state{};
    state.cbSize = sizeof state;
    UINT appBarState = static_cast<UINT>(SHAppBarMessage(ABM_GETSTATE, &state));
    return TrayIsHorizontal(position.uEdge, appBarState);
}

RECT GetMonitorArea(bool usePointer, int x, int y, bool wholeMonitor)
{
    RECT area{};
    const OptionalFunctions& f = optionalFunctions;
    if (!f.monitorsAvailable) return area;
    POINT point{x, y};
    if (usePointer) GetCursorPos(&point);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (f.getMonitorInfoA(f.monitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info)) {
        area = wholeMonitor ? info.rcMonitor : info.rcWork;
    }
    return area;
}

void ComputeMinimumSize()
{
    char flavour[24];
    CurrentFlavour(flavour);
    HWND button = taskbarWindows.hiddenIconsButton;
    RECT buttonRect{};
    bool buttonVisible = button && IsWindowVisible(button);
    if (buttonVisible) GetWindowRect(button, &buttonRect);
    const bool horizontal = IsTrayHorizontal();
    Size size = MinimumSize(horizontal, IsThemeActive(), flavour, buttonVisible,
                            buttonRect.right - buttonRect.left, buttonRect.bottom - buttonRect.top,
                            IsVersion51To62());
    if (const int rest = Windows10TrayRest(); rest > 0) {
        RECT outer{}, client{};
        GetWindowRect(mainWindow, &outer);
        GetClientRect(mainWindow, &client);
        const Size frame{outer.right - outer.left - client.right,
                         outer.bottom - outer.top - client.bottom + hiddenCaptionHeight};
        size = Windows10MinimumSize(size, horizontal, rest, frame);
    }
    minWidth = size.width;
    minHeight = size.height;
}

POINT PlacePopupNearWindow(HWND anchor, HWND popup, int mode)
{
    RECT anchorRect{}, popupRect{};
    GetWindowRect(anchor, &anchorRect);
    GetWindowRect(popup, &popupRect);
    POINT pointer{};
    GetCursorPos(&pointer);
    bool flyoutLower = IsWindowsVersion("6.1") && IsThemeActive();
    Point at = ::PlacePopupNearWindow(mode, Point{pointer.x, pointer.y}, ToRect(anchorRect),
                                      popupRect.right - popupRect.left, popupRect.bottom - popupRect.top,
                                      ToRect(GetMonitorArea(true, 0, 0, false)), GetSystemMetrics(SM_CXSCREEN),
                                      GetSystemMetrics(SM_CYSCREEN), flyoutLower);
    return POINT{at.x, at.y};
}

POINT ClampInitialPosition(int x, int y, int width, int height, int screenWidth, int screenHeight)
{
    bool singleScreen = IsWindowsVersion("4.0") || IsWindowsVersion("4.20") || GetSystemMetrics(SM_CMONITORS) == 1;
    Rect work{};
    if (!singleScreen) work = ToRect(GetMonitorArea(false, x, y, false));
    Point at = ::ClampInitialPosition(x, y, width, height, screenWidth, screenHeight, singleScreen, work);
    return POINT{at.x, at.y};
}

void SnapWindowPos(WINDOWPOS* wp)
{
    if (wp->flags == kFrameRefreshFlags) return;
    APPBARDATA taskbar = TaskbarPosition();
    Point at = SnapPosition(wp->x, wp->y, wp->cx, wp->cy, wp->flags, ToRect(GetMonitorArea(true, 0, 0, false)),
                            ToRect(taskbar.rc), taskbar.uEdge, WindowDpi(mainWindow));
    wp->x = at.x;
    wp->y = at.y;
}
