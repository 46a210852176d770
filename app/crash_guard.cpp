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

static std::atomic<int> returning{0};

static void ReturnOnce()
{
    if (returning.exchange(1) == 0 && notifyAreaCaptured) ReturnNotifyAreaToTaskbar();
}

static LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS*)
{
    ReturnOnce();
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
    std::signal(SIGABRT, OnAbort);
    std::signal(SIGSEGV, OnAbort);
    std::set_terminate(OnTerminate);
}
