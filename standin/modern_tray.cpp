// The taskbar of Windows 10 and 11, modelled on public descriptions (none of it was seen on
// a real Windows here):
// - 10: Start, then in TrayNotifyWnd from left to right the overflow chevron, the promoted
//   icons (SysPager › "User Promoted Notification Area"), the system icons ("System Promoted
//   Notification Area"), the input indicator, the clock with the date below the time, the
//   action centre button and the show-desktop strip. The touch keyboard and ink buttons
//   exist but are hidden, as they are until the user turns them on.
// - 11 21H2: the same tray, but the island draws the clock (and, this model takes it, the
//   show-desktop strip right of it); it lies below the other children and shows right of
//   TrayNotifyWnd. Whether TrayButtons remain is not known: this model has none.
// - 11 from 22H2: the island, above everything, draws the whole tray. TrayNotifyWnd follows
//   the tray's rectangle but is an empty shell: the promoted toolbar stays without buttons,
//   the system toolbar (not known) is taken as present and empty, and the chevron, the
//   TrayButtons, the input indicator, the clock and the show-desktop strip are not windows.
// Explorer lays TrayNotifyWnd's children out with DeferWindowPos, and after every icon that
// comes or goes moves TrayNotifyWnd back to its place in the taskbar, even while another
// program's window holds it.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "icons.h"
#include "journal.h"
#include "paint.h"
#include "popups.h"
#include "tray.h"

namespace {

constexpr int kStartWidth = 48;
constexpr int kChevronSize = 16;
constexpr int kInputIndicatorWidth = 28;
constexpr int kActionCentreWidth = 28;
constexpr int kSmallItemHeight = 24;  // each of those in a column
constexpr int kClockColumnHeight = 32;
constexpr int kShowDesktopWidth = 6;
constexpr COLORREF kIslandFace = RGB(0x20, 0x20, 0x20);
constexpr COLORREF kIslandText = RGB(0xF0, 0xF0, 0xF0);

int SystemButtonCount()
{
    return tray.systemToolbar ? static_cast<int>(SendMessageW(tray.systemToolbar, TB_BUTTONCOUNT, 0, 0)) : 0;
}

bool Shown(HWND window)
{
    return window && (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Where TrayNotifyWnd stands in the taskbar, in the taskbar's client coordinates: at the
// right end, or on 21H2 left of the clock that the island draws there.
RECT NotifyAreaHome()
{
    RECT client = {};
    GetClientRect(tray.taskbar, &client);
    const int right = client.right - (flavour->island == Island::newParts ? ClockPreferredWidth() : 0);
    return {right - PreferredNotifyWidth(), 0, right, client.bottom};
}

void PaintFace(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, FaceBrush());
}

void PaintCentredText(HWND window, HDC dc, const char* text)
{
    RECT client;
    GetClientRect(window, &client);
    HGDIOBJ oldFont = SelectObject(dc, UiFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(dc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
}

// Four panes, as the logo on the Start button.
void PaintStart(HWND window, HDC dc)
{
    PaintFace(window, dc);
    RECT client;
    GetClientRect(window, &client);
    const int cx = client.right / 2, cy = client.bottom / 2;
    HBRUSH blue = CreateSolidBrush(RGB(0x00, 0x78, 0xD7));
    for (int i = 0; i < 4; ++i) {
        const int x = cx - 8 + (i % 2) * 9, y = cy - 8 + (i / 2) * 9;
        const RECT pane = {x, y, x + 7, y + 7};
        FillRect(dc, &pane, blue);
    }
    DeleteObject(blue);
}

// A speech bubble's outline, as the action centre's icon.
void PaintTrayButton(HWND window, HDC dc)
{
    PaintFace(window, dc);
    RECT client;
    GetClientRect(window, &client);
    const RECT bubble = {client.right / 2 - 7, client.bottom / 2 - 6, client.right / 2 + 7, client.bottom / 2 + 5};
    FrameRect(dc, &bubble, GetSysColorBrush(COLOR_BTNTEXT));
}

void PaintInputIndicator(HWND window, HDC dc)
{
    PaintFace(window, dc);
    PaintCentredText(window, dc, "あ");
}

// The island: dark, with the centred buttons of Windows 11 and what it draws of the tray.
void PaintIsland(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    HBRUSH face = CreateSolidBrush(kIslandFace);
    FillRect(dc, &client, face);
    DeleteObject(face);
    HBRUSH tile = CreateSolidBrush(RGB(0x60, 0xCD, 0xFF));
    for (int i = 0; i < 4; ++i) {
        const int x = client.right / 2 - 2 * 40 + i * 40 + 8;
        const RECT r = {x, client.bottom / 2 - 10, x + 20, client.bottom / 2 + 10};
        FillRect(dc, &r, tile);
    }
    DeleteObject(tile);
    const int clockWidth = ClockPreferredWidth();
    RECT clock = {client.right - clockWidth, 0, client.right, client.bottom};
    if (flavour->island == Island::wholeTray) {
        // Chevron and visible icons left of the clock, within the tray's rectangle.
        const RECT home = NotifyAreaHome();
        RECT chevron = {home.left, 0, home.left + kChevronSize, client.bottom};
        HGDIOBJ oldFont = SelectObject(dc, UiFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kIslandText);
        DrawTextA(dc, "^", 1, &chevron, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, oldFont);
        int x = chevron.right;
        HIMAGELIST images = TrayIconImages();
        for (const TrayIcon& icon : TrayIcons()) {
            if (icon.hidden) continue;
            if (images) ImageList_Draw(images, icon.image, dc, x + 4, (client.bottom - 16) / 2, ILD_TRANSPARENT);
            x += kIconButtonSize;
        }
        clock.left = x;
        clock.right = x + clockWidth;
    }
    DrawClockText(dc, clock, kIslandText);
}

LRESULT PaintOnly(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Painter paint)
{
    if (HandlePaintMessage(window, message, wParam, paint)) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK StartProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return PaintOnly(w, m, wp, lp, PaintStart); }
LRESULT CALLBACK TrayButtonProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return PaintOnly(w, m, wp, lp, PaintTrayButton); }
LRESULT CALLBACK InputIndicatorProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    return PaintOnly(w, m, wp, lp, PaintInputIndicator);
}

LRESULT CALLBACK IslandProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) return 1;
    return PaintOnly(window, message, wParam, lParam, PaintIsland);
}

struct Slot {
    HWND window;
    int extent;  // along the row or column; -1: what the others leave
};

}  // namespace

void RegisterModernClasses()
{
    RegisterWindowClass("Start", StartProc, FaceBrush());
    RegisterWindowClass("TrayButton", TrayButtonProc, FaceBrush());
    RegisterWindowClass("TrayInputIndicatorWClass", InputIndicatorProc, FaceBrush());
    RegisterWindowClass("Windows.UI.Composition.DesktopWindowContentBridge", IslandProc, FaceBrush());
    RegisterCalendarClass();
}

void CreateModernNotifyArea()
{
    const bool shell = flavour->island == Island::wholeTray;
    tray.notifyArea = CreateTrayChild("TrayNotifyWnd", "", tray.taskbar, WS_CLIPCHILDREN);
    if (!shell) {
        tray.hiddenIconsButton = CreateTrayChild("Button", kHiddenIconsText, tray.notifyArea, BS_PUSHBUTTON | BS_FLAT,
                                                 kHiddenIconsCommand);
        SendMessageA(tray.hiddenIconsButton, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    }
    tray.pager = CreateTrayChild("SysPager", "", tray.notifyArea, WS_CLIPCHILDREN);
    tray.iconToolbar = CreateIconToolbar(tray.pager, flavour->iconToolbarCaption, true);
    tray.systemToolbar = CreateIconToolbar(tray.notifyArea, "System Promoted Notification Area", false);
    if (!shell) FillSystemToolbar(tray.systemToolbar);
    if (flavour->island == Island::none) {
        for (HWND& button : tray.trayButtons) button = CreateTrayChild("TrayButton", "", tray.notifyArea);
        ShowWindow(tray.trayButtons[1], SW_HIDE);
        ShowWindow(tray.trayButtons[2], SW_HIDE);
    }
    if (!shell) tray.inputIndicator = CreateTrayChild("TrayInputIndicatorWClass", "Tray Input Indicator", tray.notifyArea);
    if (HasClockWindow(*flavour)) tray.clock = CreateTrayChild("TrayClockWClass", "", tray.notifyArea);
    if (flavour->showDesktopButton) {
        tray.showDesktopButton = CreateTrayChild("TrayShowDesktopButtonWClass", "", tray.notifyArea);
    }
}

void CreateIsland()
{
    tray.island = CreateTrayChild("Windows.UI.Composition.DesktopWindowContentBridge", "", tray.taskbar);
    // Above everything where it draws the whole tray; below the old tray on 21H2.
    SetWindowPos(tray.island, flavour->island == Island::wholeTray ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int ModernNotifyWidth()
{
    const int clock = ClockPreferredWidth();
    const int icons = VisibleTrayIconCount() * kIconButtonSize;
    if (flavour->island == Island::wholeTray) return kChevronSize + icons + clock;  // what the island draws
    int width = icons + SystemButtonCount() * kIconButtonSize;
    if (tray.hiddenIconsButton) width += kChevronSize;
    if (tray.inputIndicator) width += kInputIndicatorWidth;
    if (tray.clock) width += clock;
    if (Shown(tray.trayButtons[0])) width += kActionCentreWidth;
    if (tray.showDesktopButton) width += kShowDesktopWidth;
    return width;
}

void LayoutModernNotifyArea(int width, int height)
{
    const bool row = width >= height;
    const int across = row ? height : width;
    const int perLine = across / kIconButtonSize > 0 ? across / kIconButtonSize : 1;
    const int systemButtons = SystemButtonCount();
    std::vector<Slot> slots;
    if (tray.hiddenIconsButton) slots.push_back({tray.hiddenIconsButton, kChevronSize});
    slots.push_back({tray.pager, -1});
    if (tray.systemToolbar) {
        const int lines = (systemButtons + perLine - 1) / perLine;
        slots.push_back({tray.systemToolbar, (row ? systemButtons : lines) * kIconButtonSize});
    }
    if (tray.inputIndicator) slots.push_back({tray.inputIndicator, row ? kInputIndicatorWidth : kSmallItemHeight});
    if (tray.clock) slots.push_back({tray.clock, row ? ClockPreferredWidth() : kClockColumnHeight});
    if (Shown(tray.trayButtons[0])) slots.push_back({tray.trayButtons[0], row ? kActionCentreWidth : kSmallItemHeight});
    if (tray.showDesktopButton) slots.push_back({tray.showDesktopButton, kShowDesktopWidth});

    int fill = row ? width : height;
    for (const Slot& slot : slots) fill -= slot.extent > 0 ? slot.extent : 0;
    if (fill < 0) fill = 0;
    HDWP defer = BeginDeferWindowPos(static_cast<int>(slots.size()));
    int at = 0;
    RECT pager = {};
    for (const Slot& slot : slots) {
        const int extent = slot.extent < 0 ? fill : slot.extent;
        const RECT r = row ? RECT{at, 0, at + extent, height} : RECT{0, at, width, at + extent};
        if (slot.window == tray.pager) pager = r;
        if (defer) {
            defer = DeferWindowPos(defer, slot.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        }
        at += extent;
    }
    if (defer) EndDeferWindowPos(defer);
    // The icon toolbar fills its pager and wraps its buttons anew.
    MoveWindow(tray.iconToolbar, 0, 0, pager.right - pager.left, pager.bottom - pager.top, TRUE);
    SendMessageW(tray.iconToolbar, TB_AUTOSIZE, 0, 0);
    if (tray.systemToolbar) SendMessageW(tray.systemToolbar, TB_AUTOSIZE, 0, 0);
}

void LayoutModernTaskbar()
{
    RECT client;
    GetClientRect(tray.taskbar, &client);
    int left = 0;
    if (tray.startButton) {
        MoveWindow(tray.startButton, 0, 0, kStartWidth, client.bottom, TRUE);
        left = kStartWidth;
    }
    int right = client.right - (flavour->island == Island::newParts ? ClockPreferredWidth() : 0);
    // A notification area that another program has taken keeps the place it was given,
    // until the next icon comes or goes.
    if (NotifyAreaInTaskbar()) {
        const RECT home = NotifyAreaHome();
        MoveWindow(tray.notifyArea, home.left, home.top, home.right - home.left, home.bottom - home.top, TRUE);
        right = home.left;
    }
    MoveWindow(tray.rebar, left, 2, right - left > 0 ? right - left : 0, client.bottom - 4, TRUE);
    if (tray.island) {
        MoveWindow(tray.island, 0, 0, client.right, client.bottom, TRUE);
        InvalidateRect(tray.island, nullptr, FALSE);
    }
}

void RelayoutModernTray()
{
    // While the taskbar is being built its first layout places everything.
    if (!tray.taskbar || !IsWindowVisible(tray.taskbar)) return;
    if (tray.notifyArea && IsWindow(tray.notifyArea)) {
        const RECT home = NotifyAreaHome();
        const HWND holder = GetAncestor(tray.notifyArea, GA_PARENT);
        // In the taskbar's coordinates whatever its parent: held elsewhere, it lands at
        // that place of the holder's client area.
        SetWindowPos(tray.notifyArea, nullptr, home.left, home.top, home.right - home.left, home.bottom - home.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        char holderClass[256] = "";
        GetClassNameA(holder, holderClass, sizeof holderClass);
        Journal("TrayNotifyWnd", "relayout",
                "x=" + std::to_string(home.left) + " y=" + std::to_string(home.top) +
                    " w=" + std::to_string(home.right - home.left) + " h=" + std::to_string(home.bottom - home.top) +
                    " parent=" + HandleText(holder) + " parentClass=" + holderClass +
                    " held=" + (holder == tray.taskbar ? "0" : "1"));
        LayoutNotifyArea();
    }
    LayoutModernTaskbar();
    RefreshOverflowWindow();
}
