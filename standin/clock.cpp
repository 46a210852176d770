// TrayClockWClass: shows the time and answers the clock's private messages by opening and
// closing the flyout and the tooltip.
#include <cstdio>
#include <string>

#include "foreign_host.h"
#include "journal.h"
#include "popups.h"
#include "tray.h"

namespace {

constexpr UINT kFlyoutRequest = WM_USER + 102;
constexpr UINT kTooltipRequest = WM_USER + 103;
constexpr UINT kPointerNotice = WM_USER + 104;
constexpr UINT_PTR kTickTimer = 1;

std::string TimeText()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[8];
    std::snprintf(text, sizeof text, "%02u:%02u", now.wHour % 100u, now.wMinute % 100u);
    return text;
}

// The short date the clock of Windows 10 and 11 shows below the time: today's, or the given
// day's.
std::string ShortDate(const SYSTEMTIME* day = nullptr)
{
    char text[64] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, day, nullptr, text, sizeof text);
    return text;
}

void PaintClock(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, FaceBrush());
    DrawClockText(dc, client, GetSysColor(COLOR_BTNTEXT));
}

std::string MessageParams(WPARAM wParam, LPARAM lParam)
{
    return "wParam=" + std::to_string(static_cast<UINT_PTR>(wParam)) + " lParam=" + Hex(static_cast<UINT_PTR>(lParam));
}

}  // namespace

int ClockPreferredWidth()
{
    static int width = 0;
    if (width == 0) {
        HDC dc = GetDC(nullptr);
        HGDIOBJ oldFont = SelectObject(dc, UiFont());
        SIZE size = {};
        GetTextExtentPoint32A(dc, "88:88", 5, &size);
        if (flavour->modernTray) {
            // Wide enough for a two-digit month and day, whatever today is: the taskbar's
            // layout, and so every width the tests expect, must not change with the date.
            SYSTEMTIME widest = {};
            widest.wYear = 2028;
            widest.wMonth = 12;
            widest.wDay = 28;
            const std::string date = ShortDate(&widest);
            SIZE dateSize = {};
            GetTextExtentPoint32A(dc, date.c_str(), static_cast<int>(date.size()), &dateSize);
            if (dateSize.cx > size.cx) size.cx = dateSize.cx;
        }
        SelectObject(dc, oldFont);
        ReleaseDC(nullptr, dc);
        width = size.cx + 16;
    }
    return width;
}

void DrawClockText(HDC dc, const RECT& where, COLORREF colour)
{
    HGDIOBJ oldFont = SelectObject(dc, UiFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    const std::string time = TimeText();
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    if (flavour->modernTray && where.bottom - where.top >= 2 * metrics.tmHeight) {
        // Time above date, as Windows 10 and 11 show them on a taskbar tall enough.
        const int middle = (where.top + where.bottom) / 2;
        RECT upper = {where.left, middle - metrics.tmHeight, where.right, middle};
        RECT lower = {where.left, middle, where.right, middle + metrics.tmHeight};
        const std::string date = ShortDate();
        DrawTextA(dc, time.c_str(), static_cast<int>(time.size()), &upper, DT_CENTER | DT_SINGLELINE);
        DrawTextA(dc, date.c_str(), static_cast<int>(date.size()), &lower, DT_CENTER | DT_SINGLELINE);
    } else {
        RECT box = where;
        DrawTextA(dc, time.c_str(), static_cast<int>(time.size()), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK ClockProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    static std::string shownTime;
    switch (message) {
    case WM_CREATE:
        SetTimer(window, kTickTimer, 1000, nullptr);
        return 0;
    case WM_TIMER:
        if (wParam == kTickTimer && TimeText() != shownTime) InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_DESTROY:
        KillTimer(window, kTickTimer);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        PaintClock(window, dc);
        shownTime = TimeText();
        EndPaint(window, &ps);
        RequestForeignCopy();
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintClock(window, reinterpret_cast<HDC>(wParam));
        return 0;
    case kFlyoutRequest: {
        std::string outcome = "ignored";
        if (wParam == 1) outcome = ToggleClockFlyout(window) ? "open" : "closed";
        Journal("TrayClockWClass", "WM_USER+102", MessageParams(wParam, lParam) + " flyout=" + outcome);
        return 0;
    }
    case kTooltipRequest: {
        if (wParam == 1) {
            OpenClockTooltip(window);
        } else if (wParam == 0) {
            CloseClockTooltip();
        }
        Journal("TrayClockWClass", "WM_USER+103",
                MessageParams(wParam, lParam) + " tooltip=" + (ClockTooltipOpen() ? "open" : "closed"));
        return 0;
    }
    case kPointerNotice:
        Journal("TrayClockWClass", "WM_USER+104", MessageParams(wParam, lParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
