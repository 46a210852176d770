// If the program faults (access violation, abort, an unhandled C++ exception), the process
// is about to go and the captured notification area with it, since Windows destroys child
// windows with their parent. These handlers put it back into the taskbar first.
#include "app/crash_guard.h"

#include <windows.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <exception>

#include "app/main_window.h"
#include "app/taskbar_return.h"
#include "core/foreground.h"
#include "core/optional_functions.h"
#include "core/shared_state.h"
#include "watch/watchers.h"

static std::atomic<int> returning{0};

// The watchers are told to stop first: a pointer-watch cycle that ran on would size the
// area to the main window again after it is back in the taskbar.
static void ReturnOnce()
{
    if (returning.exchange(1) != 0) return;
    endingStarted = 1;
    RequestWatcherStop(trayWatchControl);
    RequestWatcherStop(pointerWatchControl);
    if (notifyAreaCaptured) ReturnNotifyAreaToTaskbar();
    PutBackForegroundLockTimeout();
}

static LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS*)
{
    ReturnOnce();
    return EXCEPTION_CONTINUE_SEARCH;
}

static bool IsHardwareFault(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_STACK_OVERFLOW:
        return true;
    default:
        return false;
    }
}

static bool InOwnImage(const void* address)
{
    auto base = reinterpret_cast<const BYTE*>(GetModuleHandleA(nullptr));
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    auto at = static_cast<const BYTE*>(address);
    return at >= base && at < base + nt->OptionalHeader.SizeOfImage;
}

// A fault inside a window procedure that the system calls back (WM_CREATE during
// CreateWindowEx, a message sent to the window) is caught by the system's callback
// dispatcher and ignored: the unhandled-exception filter never hears of it and the program
// would go on half captured or half ended. So a hardware fault in the program's own code is
// taken as the end here, before any handler can swallow it. (Nothing in the program catches
// such faults on purpose; faults in system code are left to the system.)
static LONG WINAPI OnFirstChanceException(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    if (!IsHardwareFault(record->ExceptionCode) || !InOwnImage(record->ExceptionAddress)) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    ReturnOnce();
    std::_Exit(static_cast<int>(record->ExceptionCode));
    return EXCEPTION_CONTINUE_SEARCH;
}

static void OnAbort(int)
{
    ReturnOnce();
    std::_Exit(3);
}

static void OnTerminate()
{
    ReturnOnce();
    std::_Exit(3);
}

void InstallCrashGuard()
{
    SetUnhandledExceptionFilter(OnUnhandledException);
    // Vectored handlers came with Windows XP; older systems have only the filter above.
    PVOID(WINAPI * addHandler)(ULONG, PVECTORED_EXCEPTION_HANDLER) = nullptr;
    if (LookUpFunction(GetModuleHandleA("kernel32.dll"), "AddVectoredExceptionHandler", addHandler)) {
        addHandler(1, OnFirstChanceException);
    }
    std::signal(SIGABRT, OnAbort);
    std::signal(SIGSEGV, OnAbort);
    std::set_terminate(OnTerminate);
}
