// Entry point: prepares the environment, makes sure only one copy runs, creates the main
// window (which captures the notification area) and runs the message loop.
#include <windows.h>
#include <commctrl.h>

#include "app/crash_guard.h"
#include "core/environment.h"
#include "core/fault_point.h"
#include "app/main_window.h"
#include "core/messages.h"
#include "core/shared_state.h"
#include "app/test_hooks.h"
#include "taskbar/flavour.h"

// A running copy is asked to close: it gives the notification area back and saves its place
// before SendMessage returns, so this copy can take over at once.
static void TakeOverFromRunningCopy()
{
    CreateMutexA(nullptr, FALSE, "Veltrin");
    if (GetLastError() != ERROR_ALREADY_EXISTS) return;
    MessageBoxA(nullptr, "既に起動しているヴェルトリンを\n\r終了してから起動します。", caption, MB_ICONINFORMATION);
    HWND running = FindWindowA(MainWindowClass, nullptr);
    SendMessageA(running, WM_CLOSE, 0, 0);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    instance = hInstance;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    InstallCrashGuard();
    ArmFaultPoints();
    NoteStartFlavour();
    char flavour[24];
    CurrentFlavour(flavour);
    InitEnvironment(flavour);
    TakeOverFromRunningCopy();
    CreateMainWindow();

    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
