#include "popups.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "icons.h"
#include "journal.h"
#include "paint.h"
#include "tray.h"

namespace {

HWND flyout = nullptr;
HWND tooltip = nullptr;
HWND overflow = nullptr;
HWND overflowToolbar = nullptr;  // only in an overflow window that lasts (Windows 10 and 11)
HWND tclock = nullptr;

constexpr int kFlyoutWidth = 230;
constexpr int kFlyoutHeight = 200;
constexpr int kOverflowColumns = 4;

// Top-left point for a popup of the given size just above the anchor's right edge, or
// below it when there is no room above, kept on the screen.
POINT PlaceNear(HWND anchor, int width, int height, bool alignRight)
{
    RECT rect = {};
    GetWindowRect(anchor, &rect);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    POINT point = {alignRight ? rect.right - width : rect.left, rect.top - height - 4};
    if (point.y < 0) point.y = rect.bottom + 4;
    if (point.y + height > screenHeight) point.y = screenHeight - height;
    if (point.x + width > screenWidth) point.x = screenWidth - width;
    if (point.x < 0) point.x = 0;
    if (point.y < 0) point.y = 0;
    return point;
}

HWND CreatePopup(const char* cls, const char* title, POINT at, int width, int height)
{
    HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, cls, title,
                                  WS_POPUP | WS_BORDER, at.x, at.y, width, height, nullptr, nullptr, instance, nullptr);
    // Shown without taking the activation, so that opening one never disturbs the window
    // that asked for it.
    if (window) ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

bool DestroyPopup(HWND& window)
{
    if (!window) return false;
    HWND old = window;
    window = nullptr;
    DestroyWindow(old);
    return true;
}

void DrawTextLine(HDC dc, int x, int y, const std::string& text)
{
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

// A month view: the month's title, the weekday row and the days, today framed.
void PaintMonthView(HDC dc, const RECT& client)
{
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    HGDIOBJ oldFont = SelectObject(dc, UiFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SYSTEMTIME now;
    GetLocalTime(&now);
    char title[64];
    std::snprintf(title, sizeof title, "%d年%d月", now.wYear, now.wMonth);
    RECT titleRect = {0, 6, client.right, 26};
    DrawTextA(dc, title, -1, &titleRect, DT_CENTER | DT_SINGLELINE);
    static const char* const weekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
    const int cell = (client.right - 16) / 7;
    for (int d = 0; d < 7; ++d) {
        RECT r = {8 + d * cell, 32, 8 + (d + 1) * cell, 50};
        DrawTextA(dc, weekdays[d], -1, &r, DT_CENTER | DT_SINGLELINE);
    }
    // The weekday of the first: from today's weekday and date.
    const int firstWeekday = ((now.wDayOfWeek - (now.wDay - 1)) % 7 + 7) % 7;
    static const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int days = monthDays[(now.wMonth - 1) % 12];
    const bool leap = (now.wYear % 4 == 0 && now.wYear % 100 != 0) || now.wYear % 400 == 0;
    if (now.wMonth == 2 && leap) days = 29;
    for (int day = 1; day <= days; ++day) {
        const int slot = firstWeekday + day - 1;
        RECT r = {8 + (slot % 7) * cell, 54 + (slot / 7) * 22, 8 + (slot % 7 + 1) * cell, 54 + (slot / 7 + 1) * 22};
        const std::string text = std::to_string(day);
        DrawTextA(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (day == now.wDay) FrameRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    SelectObject(dc, oldFont);
}

namespace {

std::string DateText()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    static const char* const weekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
    char text[64];
    std::snprintf(text, sizeof text, "%d年%d月%d日 (%s)", now.wYear, now.wMonth, now.wDay, weekdays[now.wDayOfWeek % 7]);
    return text;
}

SIZE TextSize(const std::string& text)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, UiFont());
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    return size;
}

void PaintTooltip(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
    HGDIOBJ oldFont = SelectObject(dc, UiFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    DrawTextLine(dc, 6, 3, DateText());
    SelectObject(dc, oldFont);
}

std::vector<const TrayIcon*> HiddenIcons()
{
    std::vector<const TrayIcon*> hidden;
    for (const TrayIcon& icon : TrayIcons()) {
        if (icon.hidden) hidden.push_back(&icon);
    }
    return hidden;
}

SIZE OverflowSize()
{
    const int count = static_cast<int>(HiddenIcons().size());
    const int columns = count < kOverflowColumns ? (count < 1 ? 1 : count) : kOverflowColumns;
    const int rows = count < 1 ? 1 : (count + kOverflowColumns - 1) / kOverflowColumns;
    return {columns * kIconButtonSize + 16, rows * kIconButtonSize + 16};
}

void PaintOverflow(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, FaceBrush());
    if (overflowToolbar) return;  // the toolbar shows the icons
    HIMAGELIST images = TrayIconImages();
    int slot = 0;
    for (const TrayIcon* icon : HiddenIcons()) {
        const int x = 8 + (slot % kOverflowColumns) * kIconButtonSize + (kIconButtonSize - 16) / 2;
        const int y = 8 + (slot / kOverflowColumns) * kIconButtonSize + (kIconButtonSize - 16) / 2;
        if (images) ImageList_Draw(images, icon->image, dc, x, y, ILD_TRANSPARENT);
        ++slot;
    }
}

void PaintTClock(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    HGDIOBJ oldFont = SelectObject(dc, UiFont());
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, "TClock", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
}

LRESULT PaintWith(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Painter paint)
{
    if (HandlePaintMessage(window, message, wParam, paint)) return 0;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void PaintFlyout(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    PaintMonthView(dc, client);
}

LRESULT CALLBACK FlyoutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY && window == flyout) flyout = nullptr;
    // Each move, so that a test sees the steps by which the flyout was brought to its place.
    if (message == WM_WINDOWPOSCHANGED) {
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!(pos->flags & SWP_NOMOVE)) {
            Journal("ClockFlyoutWindow", "moved", "x=" + std::to_string(pos->x) + " y=" + std::to_string(pos->y));
        }
    }
    return PaintWith(window, message, wParam, lParam, PaintFlyout);
}

LRESULT CALLBACK TooltipProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY && window == tooltip) tooltip = nullptr;
    return PaintWith(window, message, wParam, lParam, PaintTooltip);
}

LRESULT CALLBACK OverflowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Each move of the window that lasts (Windows 10 and 11), so that a test sees where it
    // opened and where it was brought.
    if (message == WM_WINDOWPOSCHANGED && window == overflow && overflowToolbar) {
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!(pos->flags & SWP_NOMOVE)) {
            Journal("NotifyIconOverflowWindow", "moved", "x=" + std::to_string(pos->x) + " y=" + std::to_string(pos->y));
        }
    }
    if (message == WM_DESTROY) {
        if (window == overflow) overflow = nullptr;
        // The toolbar's image list is the overflow's own copy.
        if (HWND toolbar = GetWindow(window, GW_CHILD)) {
            HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_SETIMAGELIST, 0, 0));
            if (images) ImageList_Destroy(images);
            if (toolbar == overflowToolbar) overflowToolbar = nullptr;
        }
    }
    return PaintWith(window, message, wParam, lParam, PaintOverflow);
}

LRESULT CALLBACK TClockProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY && window == tclock) tclock = nullptr;
    return PaintWith(window, message, wParam, lParam, PaintTClock);
}

// The hidden icons as buttons of the overflow toolbar, with a copy of the icon toolbar's
// images; none where the island draws the tray and the overflow is unused.
void FillOverflowToolbar()
{
    if (!overflowToolbar) return;
    while (SendMessageW(overflowToolbar, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(overflowToolbar, TB_DELETEBUTTON, 0, 0);
    HIMAGELIST copy = IconsAreButtons(*flavour) ? ImageList_Duplicate(TrayIconImages()) : nullptr;
    HIMAGELIST old = reinterpret_cast<HIMAGELIST>(SendMessageW(overflowToolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(copy)));
    if (old) ImageList_Destroy(old);
    if (copy) {
        for (const TrayIcon* icon : HiddenIcons()) {
            TBBUTTON button = {};
            button.iBitmap = icon->image;
            button.idCommand = icon->command;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
            button.iString = -1;
            SendMessageW(overflowToolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
        }
    }
    const SIZE size = OverflowSize();
    MoveWindow(overflowToolbar, 8, 8, size.cx - 16, size.cy - 16, TRUE);
}

}  // namespace

void RegisterPopupClasses()
{
    RegisterWindowClass("ClockFlyoutWindow", FlyoutProc);
    RegisterWindowClass("ClockTooltipWindow", TooltipProc);
    RegisterWindowClass("NotifyIconOverflowWindow", OverflowProc);
    RegisterWindowClass("TClockMainClass", TClockProc);
}

bool ToggleClockFlyout(HWND clock)
{
    if (CloseClockFlyout()) return false;
    // The flyout replaces the tooltip, as it does on the real taskbar.
    CloseClockTooltip();
    flyout = CreatePopup("ClockFlyoutWindow", "", PlaceNear(clock, kFlyoutWidth, kFlyoutHeight, true), kFlyoutWidth,
                         kFlyoutHeight);
    return flyout != nullptr;
}

bool CloseClockFlyout()
{
    return DestroyPopup(flyout);
}

void OpenClockTooltip(HWND clock)
{
    if (tooltip) return;
    SIZE text = TextSize(DateText());
    const int width = text.cx + 14, height = text.cy + 8;
    tooltip = CreatePopup("ClockTooltipWindow", "", PlaceNear(clock, width, height, true), width, height);
}

bool CloseClockTooltip()
{
    return DestroyPopup(tooltip);
}

bool ClockFlyoutOpen()
{
    return flyout != nullptr;
}

bool ClockTooltipOpen()
{
    return tooltip != nullptr;
}

void CreateLastingOverflowWindow()
{
    const SIZE size = OverflowSize();
    overflow = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "NotifyIconOverflowWindow", "",
                               WS_POPUP | WS_BORDER, 0, 0, size.cx, size.cy, nullptr, nullptr, instance, nullptr);
    if (overflow) overflowToolbar = CreateIconToolbar(overflow, "Overflow Notification Area", false);
    FillOverflowToolbar();
}

bool ToggleOverflowWindow(HWND button)
{
    if (CloseOverflowWindow()) return false;
    if (overflowToolbar) {
        FillOverflowToolbar();
        const SIZE size = OverflowSize();
        const POINT at = PlaceNear(button, size.cx, size.cy, false);
        SetWindowPos(overflow, HWND_TOPMOST, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        return true;
    }
    const SIZE size = OverflowSize();
    overflow = CreatePopup("NotifyIconOverflowWindow", "", PlaceNear(button, size.cx, size.cy, false), size.cx, size.cy);
    return overflow != nullptr;
}

bool CloseOverflowWindow()
{
    if (overflowToolbar) return ShowWindow(overflow, SW_HIDE) != FALSE;  // true: it was shown
    return DestroyPopup(overflow);
}

void RefreshOverflowWindow()
{
    if (!overflow) return;
    FillOverflowToolbar();
    const SIZE size = OverflowSize();
    SetWindowPos(overflow, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(overflow, nullptr, TRUE);
}

void CloseTaskbarPopups()
{
    CloseClockFlyout();
    CloseClockTooltip();
    CloseCalendar("restart");
    DestroyPopup(overflow);
}

bool StartTClock()
{
    if (!tclock) {
        const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
        tclock = CreatePopup("TClockMainClass", "TClock", {screenWidth - 90, 0}, 90, 24);
    }
    Journal("standin", "tclock", "action=start hwnd=" + HandleText(tclock));
    return tclock != nullptr;
}

bool EndTClock()
{
    const HWND old = tclock;
    const bool ended = DestroyPopup(tclock);
    Journal("standin", "tclock", "action=end hwnd=" + HandleText(old));
    return ended;
}
