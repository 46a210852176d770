// The tray-watch thread: every 300 ms it senses the screen edges, trims the working set,
// keeps the taskbar's remaining bands and the notification area tidy, refits the main
// window when the number of visible icons changes and keeps the show-desktop button at
// the far end. Option boxes are asked live; the main thread serves those questions.
// With QuietWatch each pass does those steps only where a change needs them, and pauses
// longer while nothing changes.
#include <cstring>

#include "core/fault_point.h"
#include "core/foreground.h"
#include "core/optional_functions.h"
#include "core/test_counters.h"
#include "taskbar/fit.h"
#include "taskbar/flavour.h"
#include "taskbar/flavour_rules.h"
#include "taskbar/geometry.h"
#include "taskbar/taskbar_windows.h"
#include "ui/hotkeys.h"
#include "ui/options_window.h"
#include "watch/tray_watch_rules.h"
// After the rules: their parameters are named like the shared words.
#include "watch/taskbar_calls.h"
#include "watch/watchers.h"

namespace {

constexpr DWORD kTrayWatchPause = 300;
constexpr WPARAM kRevealHotkey = 1;

// Down now, or pressed since the last question.
bool KeyHeld(int32_t virtualKey) { return GetAsyncKeyState(virtualKey) != 0; }

void TrimWorkingSet()
{
    const OptionalFunctions& f = optionalFunctions;
    if (!f.memoryInfoAvailable) return;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!f.getProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return;
    if (ShouldTrimWorkingSet(counters.WorkingSetSize)) {
        SetWorkingSetSize(static_cast<SIZE_T>(kWorkingSetTrimMinimum), static_cast<SIZE_T>(kWorkingSetTrimMaximum));
    }
}

// The options window's controls belong to the main thread: enabling one from here is a call
// into that thread, made only when the state is to change.
void KeepEnabled(HWND control, bool enabled)
{
    if ((IsWindowEnabled(control) != FALSE) != enabled) EnableWindow(control, enabled ? TRUE : FALSE);
}

void KeepFlatLook(HWND notifyArea, bool themed)
{
    HWND box = optionsControls.flat;
    if (themed) {
        KeepEnabled(box, false);
        return;
    }
    if (IsOptionChecked(box)) {
        const DWORD style = static_cast<DWORD>(GetWindowLongA(notifyArea, GWL_EXSTYLE));
        const DWORD flat = FlatExtendedStyle(style, false, true);
        if (flat != style) SetTaskbarWindowExStyle(notifyArea, flat);
    }
    KeepEnabled(box, true);
}

// The band area over the room the notification area left in the taskbar (client area
// `client`); true when it had to be moved.
bool KeepBandStretched(const RECT& client, bool horizontal)
{
    const TaskbarWindows& t = taskbarWindows;
    RECT band{};
    GetWindowRect(t.rebar, &band);
    POINT origin{band.left, band.top};
    ScreenToClient(t.taskbar, &origin);
    const Placement stretched = StretchBandArea(ToRect(client), Point{origin.x, origin.y}, horizontal);
    // Already in place: a move to the same place would only cost the taskbar's process.
    if (stretched.x == origin.x && stretched.y == origin.y && stretched.width == band.right - band.left &&
        stretched.height == band.bottom - band.top) {
        return false;
    }
    PlaceTaskbarWindow(t.rebar, stretched.x, stretched.y, stretched.width, stretched.height,
                       SWP_NOZORDER | SWP_NOSENDCHANGING);
    return true;
}

void InvalidateCapturedWindows()
{
    const TaskbarWindows& t = taskbarWindows;
    InvalidateTaskbarWindow(t.hiddenIconsButton);
    InvalidateTaskbarWindow(t.iconToolbar);
    InvalidateTaskbarWindow(t.notifyArea);
}

// The band area, the flat look and the captured windows' paint. False when the taskbar is
// collapsed: the cycle then does nothing more.
bool KeepTaskbarTidy()
{
    const TaskbarWindows& t = taskbarWindows;
    RECT client{};
    GetClientRect(t.taskbar, &client);
    if (IsTaskbarCollapsed(ToRect(client))) return false;
    KeepFlatLook(t.notifyArea, IsThemeActive());
    KeepBandStretched(client, IsTrayHorizontal());
    InvalidateCapturedWindows();
    return true;
}

void Repaint()
{
    const TaskbarWindows& t = taskbarWindows;
    if (IsWindowsVersion("4.90")) InvalidateTaskbarWindow(t.iconToolbar);
    if (!IsWindowsVersion("4.0")) InvalidateTaskbarWindow(t.clock);
    InvalidateRect(mainWindow, nullptr, FALSE);
}

void RefitOnIconCountChange()
{
    const int count = CountVisibleTrayIcons();
    if (count == visibleIconCount) return;
    visibleIconCount = count;
    FitWindowToTray(minWidth, minHeight, IsOptionChecked(optionsControls.reSize));
}

// The usual pass moves the button to its pin every time; the quiet one (`quiet`) only when
// it is elsewhere. True when it was moved.
bool PinShowDesktopButton(bool horizontal, bool quiet)
{
    const TaskbarWindows& t = taskbarWindows;
    RECT button{}, notifyArea{}, client{};
    GetWindowRect(t.showDesktopButton, &button);
    GetWindowRect(t.notifyArea, &notifyArea);
    GetClientRect(mainWindow, &client);
    const auto pinned = PinShowDesktopButton(ToRect(button), ToRect(notifyArea), ToRect(client), horizontal);
    if (!pinned) return false;
    if (quiet) {
        RECT at = button;
        MapWindowPoints(nullptr, t.notifyArea, reinterpret_cast<POINT*>(&at), 2);
        if (at.left == pinned->x && at.top == pinned->y && at.right - at.left == pinned->width &&
            at.bottom - at.top == pinned->height) {
            return false;
        }
    }
    MoveTaskbarWindow(t.showDesktopButton, pinned->x, pinned->y, pinned->width, pinned->height);
    return true;
}

// Between its steps the cycle looks whether the ending has begun: the notification area may
// then be on its way back into the taskbar, where the band stretch, the fit and the pin,
// all measured against the main window, would put things in the wrong place.
bool GoesOn(const WatcherControl& control) { return control.active && !EndingBegun(); }

void RunTrayWatchCycle(const WatcherControl& control)
{
    if (SensingKeysHeld(sensingKeys, KeyHeld)) SenseScreenEdges();
    if (IsVersion50To62()) {
        TrimWorkingSet();
        if (!GoesOn(control)) return;
        if (IsVersion51To62() && !KeepTaskbarTidy()) return;
        KeepEnabled(optionsControls.trackbar, IsNot256ColorDisplay());
    }
    Repaint();
    if (!GoesOn(control)) return;
    if (IsVersion50To62()) RefitOnIconCountChange();
    if (!GoesOn(control)) return;
    if (IsWindowsVersion("6.1")) PinShowDesktopButton(IsTrayHorizontal(), false);
}

// What the quiet pass keeps from one pass to the next; only the tray-watch thread uses it.
struct QuietTray {
    bool looked;
    TrayLook look;
    ButtonsReading buttons;
    TrayButtons seen;
    // Asked when AsksSystemAgain says so, and the direction also when the taskbar's size
    // changes.
    SystemReading system;
    char flavour[24];
    bool themed, not256Colors, horizontal;
    RECT taskbarClient;
};

TrayLook LookNow(const QuietTray& q, bool shown)
{
    TrayLook look{};
    look.buttons = q.buttons.count;
    look.hiddenMark = q.seen.hiddenMark;
    RECT area{}, main{};
    GetWindowRect(taskbarWindows.notifyArea, &area);
    MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&area), 2);
    look.area = ToRect(area);
    look.themed = q.themed;
    look.not256Colors = q.not256Colors;
    look.shown = shown;
    GetWindowRect(mainWindow, &main);
    look.width = main.right - main.left;
    look.height = main.bottom - main.top;
    SYSTEMTIME time{};
    GetLocalTime(&time);
    look.minute = time.wMinute;
    return look;
}

// The usual pass's repaints, for the flavour last asked.
void RepaintQuietly(QuietRepaint repaint, const char* flavour)
{
    const TaskbarWindows& t = taskbarWindows;
    if (repaint == kRepaintAll) {
        if (FlavourIsVersion51To62(flavour)) InvalidateCapturedWindows();
        if (std::strcmp(flavour, "4.90") == 0) InvalidateTaskbarWindow(t.iconToolbar);
    }
    if (repaint != kRepaintNothing && std::strcmp(flavour, "4.0") != 0) InvalidateTaskbarWindow(t.clock);
    if (repaint == kRepaintAll) InvalidateRect(mainWindow, nullptr, FALSE);
}

// The icon count, with the buttons read only when ReadsTrayButtons says so; true when the
// visible ones changed and the window was fitted.
bool RefitQuietly(QuietTray& q, uint32_t now)
{
    const int32_t count = CountTrayButtons();
    if (ReadsTrayButtons(q.buttons, count, now)) {
        q.seen = ReadTrayButtons(count);
        // A reading that failed is made again at the next pass.
        q.buttons = ButtonsReading{q.seen.read, count, now};
    }
    if (q.seen.visible == visibleIconCount) return false;
    visibleIconCount = q.seen.visible;
    FitWindowToTray(minWidth, minHeight, IsOptionChecked(optionsControls.reSize));
    return true;
}

// One pass of the quiet tray watch: the usual pass's steps, each only when a change needs
// it. Gives the pause to take after it.
DWORD RunQuietTrayPass(const WatcherControl& control, QuietTray& q)
{
    const TaskbarWindows& t = taskbarWindows;
    ReleaseRetiredToolbarBlock();
    const uint32_t now = GetTickCount();
    const bool shown = IsWindowVisible(mainWindow) != FALSE;
    // A shown window is never revealed: the edges count only while it is hidden.
    if (!shown && SensingKeysHeld(sensingKeys, KeyHeld)) SenseScreenEdges();
    const int32_t changes = systemChanges;
    if (AsksSystemAgain(q.system, changes, now)) {
        q.system = SystemReading{true, now, changes};
        CurrentFlavour(q.flavour);
        q.themed = IsThemeActive();
        q.not256Colors = IsNot256ColorDisplay();
        q.horizontal = IsTrayHorizontal();
        if (FlavourIsVersion50To62(q.flavour)) TrimWorkingSet();
    }
    const char* flavour = q.flavour;
    const bool from50 = FlavourIsVersion50To62(flavour), from51 = FlavourIsVersion51To62(flavour);
    bool changed = false;
    if (from50) {
        if (!GoesOn(control)) return kQuietTrayPause;
        if (from51) {
            RECT client{};
            GetClientRect(t.taskbar, &client);
            if (IsTaskbarCollapsed(ToRect(client))) return kQuietTrayPause;
            if (client.right != q.taskbarClient.right || client.bottom != q.taskbarClient.bottom) {
                q.taskbarClient = client;
                q.horizontal = IsTrayHorizontal();
            }
            KeepFlatLook(t.notifyArea, q.themed);
            changed = KeepBandStretched(client, q.horizontal);
        }
        KeepEnabled(optionsControls.trackbar, q.not256Colors);
        if (!GoesOn(control)) return kQuietTrayPause;
        if (RefitQuietly(q, now)) changed = true;
    }
    if (!GoesOn(control)) return kQuietTrayPause;
    if (std::strcmp(flavour, "6.1") == 0 && PinShowDesktopButton(q.horizontal, true)) changed = true;
    const TrayLook look = LookNow(q, shown);
    const QuietRepaint repaint = QuietRepaintFor(q.looked ? &q.look : nullptr, look);
    q.look = look;
    q.looked = true;
    RepaintQuietly(repaint, flavour);
    return changed || repaint == kRepaintAll ? kQuietTrayPause : kQuietTrayIdlePause;
}

}  // namespace

void RevealMainWindow()
{
    if (EndingBegun() || IsWindowVisible(mainWindow)) return;
    if (IsOptionChecked(optionsControls.hide)) {
        // The hotkey's own handling shows the window and brings it forward; wParam 1 tells
        // it that this is a reveal, which never hides.
        SendMessageA(mainWindow, WM_HOTKEY, kRevealHotkey, static_cast<LPARAM>(hotkeys[0].published.load()));
        PostMessageA(mainWindow, WM_ACTIVATE, WA_ACTIVE, 0);
        frameDragging = 0;
    } else {
        BringWindowToFront(mainWindow, taskbarWindows.notifyArea, 1, 0);
    }
    // The pointer watcher sees the shown window at once, not after its nap.
    NudgeWatcher(pointerWatchControl);
}

void SenseScreenEdges()
{
    int right = 0, bottom = 0;
    if (optionalFunctions.monitorsAvailable) {
        const RECT work = GetMonitorArea(true, 0, 0, false);
        right = work.right;
        bottom = work.bottom;
    } else {
        right = GetSystemMetrics(SM_CXSCREEN);
        bottom = GetSystemMetrics(SM_CYSCREEN);
    }
    POINT pointer{};
    GetCursorPos(&pointer);
    const OptionsControls& o = optionsControls;
    const EdgeBoxes boxes{IsOptionChecked(o.edgeTop), IsOptionChecked(o.edgeDown), IsOptionChecked(o.edgeLeft),
                          IsOptionChecked(o.edgeRight)};
    for (int sensed = SensedEdgeCount(boxes, Point{pointer.x, pointer.y}, right, bottom); sensed > 0; --sensed) {
        RevealMainWindow();
    }
}

DWORD WINAPI TrayWatchThread(LPVOID parameter)
{
    WatcherControl& control = *static_cast<WatcherControl*>(parameter);
    QuietTray quiet{};
    for (;;) {
        if (control.stopRequested) {
            // A block the ending could not free while this thread was reading goes now.
            if (control.quiet) ReleaseToolbarBlocks();
            return static_cast<DWORD>(control.stopRequested.load());
        }
        FaultPoint(FaultSite::trayWatchCycle);
        CountTestEvent(TestCounter::trayWatchCycle);
        DWORD pause = kTrayWatchPause;
        if (control.active && control.quiet) {
            pause = RunQuietTrayPass(control, quiet);
        } else if (control.active) {
            RunTrayWatchCycle(control);
        }
        // A stop request cuts the pause short, so that the ending need not wait it out.
        WatcherPause(control, pause);
    }
}
