// The version window. The links are plain static labels that look like links through their
// colour, underlined font and hand cursor, and answer clicks through SS_NOTIFY.
#include "ui/version_window.h"

#include <shellapi.h>

#include "core/environment.h"
#include "core/messages.h"
#include "core/shared_state.h"
#include "core/text_calls.h"
#include "core/texts.h"
#include "core/window_class.h"
#include "taskbar/flavour.h"
#include "ui/options_window.h"

HWND versionOkButton;
HWND webLink;
HWND mailLink;

void CreateVersionWindow()
{
    RegisterProgramClass(VersionWindowClass, VersionWindowProc);
    versionWindow = CreateTextWindow(0, VersionWindowClass, Text(TEXT_VERSION_TITLE), WS_OVERLAPPED | WS_SYSMENU,
                                     GetSystemMetrics(SM_CXSCREEN) / 2 - 150, GetSystemMetrics(SM_CYSCREEN) / 2 - 64,
                                     300, 128, mainWindow, nullptr);
    UpdateWindow(versionWindow);
}

static HWND Static(HWND parent, const char* text, DWORD style, int x, int y, int width, int height, int id, HFONT font)
{
    HWND control = CreateTextWindow(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    if (font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void CreateVersionControls()
{
    const bool wide = IsVersion60Or61();
    const int extraWidth = wide ? 15 : 0, extraHeight = wide ? 5 : 0;
    HWND icon = Static(versionWindow, nullptr, SS_ICON, 15, 25, 0, 0, 0, nullptr);
    SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(instance, MainIconName)), 0);
    Static(versionWindow, aboutText, 0, 60, 15, 140, 48, 1, uiFont);
    webLink = Static(versionWindow, kWebSiteBase, SS_NOTIFY, 60, 65, 185 + extraWidth, 12 + extraHeight, 1058, linkFont);
    mailLink = Static(versionWindow, kSupportMail, SS_NOTIFY, 60, 78, 118 + extraWidth, 12 + extraHeight, 1059, linkFont);
    optionsControls.trackbarLabel = Static(optionsWindow, Text(TEXT_ALPHA), 0, 16, 85, 100, 12, 5, uiFont);
}

static bool IsLink(HWND control) { return control && (control == webLink || control == mailLink); }

LRESULT CALLBACK VersionWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_DESTROY:
    case WM_CLOSE:
        // Closing only hides the window: it lives as long as the program.
        EnableWindow(mainWindow, TRUE);
        ShowWindow(window, SW_HIDE);
        secondaryWindowOpen = 0;
        return 1;
    case WM_QUERYENDSESSION:
        secondaryWindowOpen = 0;
        return 1;
    case WM_SETCURSOR:
        if (IsLink(reinterpret_cast<HWND>(wParam))) {
            // Windows 95 and NT 4.0 have no hand cursor; there the class's arrow stays
            // rather than a pointer that vanishes over the link.
            HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
            if (hand) {
                SetCursor(hand);
                return 1;
            }
        }
        break;
    case WM_COMMAND: {
        if (wParam == kVersionOkId) SendMessageA(window, WM_DESTROY, 0, 0);
        HWND from = reinterpret_cast<HWND>(lParam);
        if (HIWORD(wParam) == 0 && IsLink(from)) {
            ShellExecuteA(nullptr, "open", from == webLink ? kWebSiteBase : mailtoUrl, nullptr, nullptr, SW_SHOW);
        }
        break;
    }
    case WM_CTLCOLORSTATIC: {
        HWND control = reinterpret_cast<HWND>(lParam);
        HDC dc = reinterpret_cast<HDC>(wParam);
        if (IsLink(control)) SetTextColor(dc, RGB(0, 0, 255));
        if (GetWindowLongA(control, GWL_ID) != 0) {
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        break;
    }
    default: break;
    }
    return DefaultWindowProc(window, message, wParam, lParam);
}
