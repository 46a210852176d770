// The automatic fit against the live system: measures the taskbar's windows and the
// monitor, then sizes and moves the main window by the fit rules. Runs on the main thread
// at capture and on the tray-watch thread afterwards; SetWindowPos crosses threads.
#include "taskbar/fit.h"

#include <windows.h>
#include <commctrl.h>

#include "core/foreground.h"
#include "core/shared_state.h"
#include "core/test_counters.h"
#include "taskbar/fit_rules.h"
#include "taskbar/flavour.h"
#include "taskbar/geometry.h"
#include "taskbar/taskbar_windows.h"

namespace {

SharedWord windows10TrayRest{0};

constexpr UINT kResizeOnly = SWP_NOZORDER | SWP_NOMOVE;
constexpr UINT kMoveOnly = SWP_NOZORDER | SWP_NOSIZE;

RECT WindowRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

Size SizeOf(const RECT& r) { return Size{r.right - r.left, r.bottom - r.top}; }

// A window the system lacks (or an empty handle) counts as absent.
bool Measure(HWND window, Size& size)
{
    if (!window || !IsWindow(window)) return false;
    size = SizeOf(WindowRect(window));
    return true;
}

FitMeasures MeasureTray(char (&flavour)[24])
{
    const TaskbarWindows& t = taskbarWindows;
    CurrentFlavour(flavour);
    FitMeasures m{};
    m.flavour = flavour;
    m.themed = IsThemeActive();
    m.horizontal = IsTrayHorizontal();
    m.visibleIcons = CountVisibleTrayIcons();
    m.totalButtons = static_cast<int32_t>(SendMessageA(t.iconToolbar, TB_BUTTONCOUNT, 0, 0));
    m.clockExists = Measure(t.clock, m.clock);
    m.hiddenIconsButtonExists = Measure(t.hiddenIconsButton, m.hiddenIconsButton);
    m.showDesktopButtonExists = Measure(t.showDesktopButton, m.showDesktopButton);
    m.hiddenCaptionHeight = hiddenCaptionHeight;
    m.windows10Rest = windows10TrayRest;
    RECT client{};
    GetClientRect(mainWindow, &client);
    const Size outer = SizeOf(WindowRect(mainWindow));
    m.frame = Size{outer.width - client.right, outer.height - client.bottom};
    return m;
}

}  // namespace

int Windows10TrayRest() { return windows10TrayRest; }

void MeasureWindows10TrayRest()
{
    const TaskbarWindows& t = taskbarWindows;
    windows10TrayRest = 0;
    if (!IsWindows10Taskbar()) return;
    const Size area = SizeOf(WindowRect(t.notifyArea)), pager = SizeOf(WindowRect(t.pager));
    const int rest = IsTrayHorizontal() ? area.width - pager.width : area.height - pager.height;
    windows10TrayRest = rest > 0 ? rest : 0;
}

void FitWindowToTray(int minimumWidth, int minimumHeight, bool reSizeOn)
{
    CountTestEvent(TestCounter::fit);
    if (!ShowWindow(mainWindow, SW_SHOW)) {
        ShowWindow(mainWindow, SW_SHOW);
        BringWindowToFront(mainWindow, nullptr, 0, 0);
    }
    if (!reSizeOn || CountVisibleTrayIcons() <= 0) return;

    const RECT old = WindowRect(mainWindow);
    const Size oldSize = SizeOf(old);
    const RECT monitor = GetMonitorArea(true, 0, 0, true);
    char flavour[24];
    const FitMeasures m = MeasureTray(flavour);

    if (IsOneColumn(oldSize.width, minimumWidth)) {
        SetWindowPos(mainWindow, nullptr, 0, 0, oldSize.width, OneColumnHeight(m, oldSize.height), kResizeOnly);
        const RECT now = WindowRect(mainWindow);
        if (auto top = KeepFarEdge(now.top, now.bottom, old.bottom, monitor.bottom)) {
            SetWindowPos(mainWindow, nullptr, now.left, *top, 0, 0, kMoveOnly);
        }
    }
    if (IsOneRow(oldSize.height, minimumHeight)) {
        SetWindowPos(mainWindow, nullptr, 0, 0, OneRowWidth(m, oldSize.width), oldSize.height, kResizeOnly);
        const RECT now = WindowRect(mainWindow);
        if (auto left = KeepFarEdge(now.left, now.right, old.right, monitor.right)) {
            SetWindowPos(mainWindow, nullptr, *left, now.top, 0, 0, kMoveOnly);
        }
    }
    if (KeepsOldSize(oldSize.width, oldSize.height, minimumWidth, minimumHeight)) {
        SetWindowPos(mainWindow, nullptr, 0, 0, oldSize.width, oldSize.height, kResizeOnly);
    }
}
