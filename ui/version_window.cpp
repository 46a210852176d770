// The version window, created hidden at capture. It shows the about text; its links to the
// web site and the support mail are not built yet.
#include "ui/version_window.h"

#include "core/environment.h"
#include "core/messages.h"
#include "core/shared_state.h"
#include "core/window_class.h"

void CreateVersionWindow()
{
    RegisterProgramClass(VersionWindowClass, VersionWindowProc);
    versionWindow = CreateWindowExA(0, VersionWindowClass, "バージョン情報", WS_OVERLAPPED | WS_SYSMENU,
                                    GetSystemMetrics(SM_CXSCREEN) / 2 - 150, GetSystemMetrics(SM_CYSCREEN) / 2 - 80,
                                    300, 160, mainWindow, nullptr, instance, nullptr);
}

void CreateVersionControls()
{
    HWND text = CreateWindowExA(0, "STATIC", aboutText, WS_CHILD | WS_VISIBLE, 16, 12, 260, 90, versionWindow,
                                nullptr, instance, nullptr);
    SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont), FALSE);
}

LRESULT CALLBACK VersionWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
    case WM_DESTROY:
        ShowWindow(window, SW_HIDE);
        secondaryWindowOpen = 0;
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
