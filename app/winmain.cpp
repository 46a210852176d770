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
#include "core/test_switches.h"
#include "core/text_calls.h"
#include "core/texts.h"
#include "settings/settings_file.h"
#include "app/test_hooks.h"
#include "taskbar/flavour.h"

// A running copy is asked to close: it gives the notification area back and saves its place
// before SendMessage returns, so this copy can take over at once.
// Each copy owns the mutex for as long as it runs. With several copies started together,
// asking "the" running copy once is not enough: two of them could each close the same one
// and both go on, each holding the notification area in turn. So a copy that takes over
// asks whatever copy runs to close until the mutex is its own, i.e. until no other copy
// runs; the last one to take over is the one that stays.
// A running copy that is stuck (its taskbar hung, a debugger, another program's modal box)
// may never end: after a while this copy says so and gives up, rather than wait unseen.
// False then: the notification area is not this copy's to take.
constexpr DWORD kTakeOverWait = 10000;
// A test that only needs the stuck copy's message need not wait the whole while for it.
constexpr DWORD kShortTakeOverWait = 1500;
constexpr DWORD kAskAgainAfter = 200;

static bool TakeOverFromRunningCopy()
{
    HANDLE mutex = CreateMutexA(nullptr, TRUE, "Veltrin");
    if (GetLastError() != ERROR_ALREADY_EXISTS) return true;
    ShowMessage(nullptr, Text(TEXT_RUNNING_COPY), caption, MB_ICONINFORMATION);
    const DWORD wait = TestSwitchOn("SHORT_TAKE_OVER") ? kShortTakeOverWait : kTakeOverWait;
    const DWORD start = GetTickCount();
    for (DWORD spent = 0; spent < wait; spent = GetTickCount() - start) {
        HWND running = FindWindowA(MainWindowClass, nullptr);
        DWORD_PTR ignored = 0;
        if (running) SendMessageTimeoutA(running, WM_CLOSE, 0, 0, SMTO_NORMAL, wait - spent, &ignored);
        // Ours, left by an ended copy, or no mutex at all.
        if (WaitForSingleObject(mutex, kAskAgainAfter) != WAIT_TIMEOUT) return true;
    }
    // Whether a close that waited in vain is still handled later differs between systems;
    // this one is, so the stuck copy ends once it can, everywhere alike.
    if (HWND running = FindWindowA(MainWindowClass, nullptr)) PostMessageA(running, WM_CLOSE, 0, 0);
    ShowMessage(nullptr, Text(TEXT_RUNNING_COPY_STUCK), caption, MB_ICONINFORMATION);
    return false;
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
    InitEnvironment();
    InitTexts(flavour, ReadSettingInt(setting::language));
    if (!TakeOverFromRunningCopy()) return 1;
    CreateMainWindow();

    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
