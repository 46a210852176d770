// The program's own clock tooltip, on flavours whose clock has none of its own: a small
// top-most box beside the main window with today's date and weekday. It places itself on
// every showing and hides after 3 seconds or when the pointer moves onto it. In English it
// shows the date in the user's own long format, and grows to fit it.
#include "watch/clock_tip.h"

#include <windows.h>

#include <ctime>

#include "core/environment.h"
#include "core/messages.h"
#include "core/shared_state.h"
#include "core/text_calls.h"
#include "core/texts.h"
#include "core/window_class.h"
#include "taskbar/geometry.h"
#include "taskbar/geometry_rules.h"
#include "watch/clock_tip_rules.h"

constexpr UINT kTooltipHideDelay = 3000;
constexpr int kClockTipWidth = 86;
constexpr int kClockTipHeight = 33;
constexpr int kTextInset = 4;

static void ClockTipText(char* text, size_t size)
{
    if (TextLanguage() == Language::english) {
        if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, text, static_cast<int>(size)) <= 0) {
            text[0] = '\0';
        }
        return;
    }
    ClockTipWords words{Text(TEXT_CLOCK_TIP_FORMAT), {}};
    for (int day = 0; day < 7; ++day) words.weekdays[day] = Text(TEXT_WEEKDAY_FIRST + day);
    const std::time_t now = std::time(nullptr);
    FormatClockTipText(std::localtime(&now), words, text, size);
}

// The English date may be longer than the box made for the Japanese one, and the Japanese
// date in another face than the one it was made for. Measured as it is drawn: in lines
// where the text breaks them (the Japanese date has two), each whole, for a rectangle wide
// enough for any of them.
static void FitClockTipToText(HWND window)
{
    char text[kFixedTextSize];
    ClockTipText(text, sizeof text);
    HDC dc = GetDC(window);
    HGDIOBJ oldFont = SelectObject(dc, uiFont);
    RECT need{0, 0, GetSystemMetrics(SM_CXSCREEN), 0};
    DrawUiText(dc, text, &need, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, oldFont);
    ReleaseDC(window, dc);
    const int width = need.right + 2 * kTextInset + 2, height = need.bottom + 2 * kTextInset + 2;
    SetWindowPos(window, nullptr, 0, 0, width > kClockTipWidth ? width : kClockTipWidth,
                 height > kClockTipHeight ? height : kClockTipHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
}

static void PaintClockTip(HWND window)
{
    char text[kFixedTextSize];
    ClockTipText(text, sizeof text);

    RECT client{};
    GetClientRect(window, &client);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    SetBkMode(dc, TRANSPARENT);
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_INFOTEXT));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HGDIOBJ oldFont = SelectObject(dc, uiFont);
    Rectangle(dc, client.left, client.top, client.right, client.bottom);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    InflateRect(&client, -kTextInset, -kTextInset);
    DrawUiText(dc, text, &client, DT_WORDBREAK);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldFont);
    ValidateRect(window, nullptr);
    EndPaint(window, &ps);
}

static LRESULT CALLBACK ClockTipProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam == 1) {
            if (TextsNeedRoom()) FitClockTipToText(window);
            POINT at = PlacePopupNearWindow(mainWindow, window, kPopupBelow);
            SetWindowPos(window, nullptr, at.x, at.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
            SetTimer(window, TooltipHideTimer, kTooltipHideDelay, nullptr);
        }
        return 0;
    case WM_PAINT:
        PaintClockTip(window);
        break;
    case WM_SETCURSOR:
        ShowWindow(window, SW_HIDE);
        break;
    case WM_TIMER:
        if (wParam == TooltipHideTimer) {
            KillTimer(window, TooltipHideTimer);
            ShowWindow(window, SW_HIDE);
        }
        break;
    case WM_CLOSE:
    case WM_DESTROY:
        // A close request only hides; the window lives as long as the main window.
        secondaryWindowOpen = 0;
        return 1;
    default: break;
    }
    return DefaultWindowProc(window, message, wParam, lParam);
}

void CreateClockTipWindow()
{
    RegisterProgramClass(ClockTipWindowClass, ClockTipProc, 0, true, COLOR_INFOBK);
    clockTipWindow = CreateTextWindow(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, ClockTipWindowClass, caption,
                                      WS_POPUP | WS_CHILD, 0, 0, kClockTipWidth, kClockTipHeight, mainWindow, nullptr);
    UpdateWindow(clockTipWindow);
}
