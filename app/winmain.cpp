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
// Each copy owns the mutex for as long as it runs. With several copies started together,
// asking "the" running copy once is not enough: two of them could each close the same one
// and both go on, each holding the notification area in turn. So a copy that takes over
// asks whatever copy runs to close until the mutex is its own, i.e. until no other copy
// runs; the last one to take over is the one that stays.
static void TakeOverFromRunningCopy()
{
    HANDLE mutex = CreateMutexA(nullptr, TRUE, "Veltrin");
    if (GetLastError() != ERROR_ALREADY_EXISTS) return;
    MessageBoxA(nullptr, "既に起動しているヴェルトリンを\n\r終了してから起動します。", caption, MB_ICONINFORMATION);
    for (;;) {
        HWND running = FindWindowA(MainWindowClass, nullptr);
        if (running) SendMessageA(running, WM_CLOSE, 0, 0);
        DWORD owned = WaitForSingleObject(mutex, 200);
        if (owned != WAIT_TIMEOUT) return;  // ours, left by an ended copy, or no mutex at all
    }
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
