// See dpi.h. The main window is made in the awareness of the notification area it hosts, so
// that its SetParent crosses no awareness modes; everything else keeps the program's own.
#include "core/dpi.h"

#include <cstdint>

#include "core/dpi_rules.h"
#include "core/optional_functions.h"

namespace {

// DPI_AWARENESS_CONTEXT: an opaque handle; the system's predefined ones are -1 (unaware)
// down to -4 (per-monitor, second version), in the order of DpiAwareness.
using DpiContext = HANDLE;
constexpr int kPerMonitorAwareness = 2;  // DPI_AWARENESS_PER_MONITOR_AWARE
constexpr int kEffectiveDpi = 0;         // MDT_EFFECTIVE_DPI

DpiContext ContextOf(DpiAwareness awareness)
{
    return reinterpret_cast<DpiContext>(static_cast<intptr_t>(-1 - static_cast<int32_t>(awareness)));
}

struct DpiCalls {
    DpiContext(WINAPI* setThreadContext)(DpiContext);
    DpiContext(WINAPI* getThreadContext)();
    DpiContext(WINAPI* getWindowContext)(HWND);
    int(WINAPI* awarenessOf)(DpiContext);
    BOOL(WINAPI* contextsEqual)(DpiContext, DpiContext);
    UINT(WINAPI* dpiForWindow)(HWND);
    UINT(WINAPI* dpiForSystem)();
    bool contexts;  // the first five, all found
};
// Written on the main thread before the main window exists; read there afterwards.
DpiCalls calls;
DpiPlan plan;
DpiContext programContext;     // the thread's own, once it was changed for the main window
DpiContext mainWindowContext;  // the main window's, where it differs from the program's

void LookUpDpiCalls()
{
    // user32 is in every process; only pointers into it are taken.
    HMODULE user32 = GetModuleHandleA("user32.dll");
    DpiCalls& c = calls;
    c.contexts = LookUpFunction(user32, "SetThreadDpiAwarenessContext", c.setThreadContext) &
                 LookUpFunction(user32, "GetThreadDpiAwarenessContext", c.getThreadContext) &
                 LookUpFunction(user32, "GetWindowDpiAwarenessContext", c.getWindowContext) &
                 LookUpFunction(user32, "GetAwarenessFromDpiAwarenessContext", c.awarenessOf) &
                 LookUpFunction(user32, "AreDpiAwarenessContextsEqual", c.contextsEqual);
    LookUpFunction(user32, "GetDpiForWindow", c.dpiForWindow);
    LookUpFunction(user32, "GetDpiForSystem", c.dpiForSystem);
}

DpiAwareness AwarenessOf(DpiContext context)
{
    if (!calls.contexts || !context) return DpiAwareness::unknown;
    const int awareness = calls.awarenessOf(context);
    if (awareness < 0 || awareness > kPerMonitorAwareness) return DpiAwareness::unknown;
    if (awareness == kPerMonitorAwareness && calls.contextsEqual(context, ContextOf(DpiAwareness::perMonitorV2))) {
        return DpiAwareness::perMonitorV2;
    }
    return static_cast<DpiAwareness>(awareness);
}

DpiFunctions FunctionsAtHand()
{
    if (calls.contexts) return DpiFunctions::threadContexts;
    HMODULE shcore = LoadLibraryA("shcore.dll");
    FARPROC processWide = shcore ? GetProcAddress(shcore, "SetProcessDpiAwareness") : nullptr;
    if (shcore) FreeLibrary(shcore);
    return processWide ? DpiFunctions::processWide : DpiFunctions::none;
}

// The effective DPI of `monitor`, as a per-monitor-aware thread is told it; 0 where unknown.
uint32_t MonitorDpi(HMONITOR monitor)
{
    if (!monitor) return 0;
    HMODULE shcore = LoadLibraryA("shcore.dll");
    HRESULT(WINAPI * dpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;
    UINT x = 0, y = 0;
    if (!LookUpFunction(shcore, "GetDpiForMonitor", dpiForMonitor) ||
        dpiForMonitor(monitor, kEffectiveDpi, &x, &y) != S_OK) {
        x = 0;
    }
    if (shcore) FreeLibrary(shcore);
    return x;
}

}  // namespace

void PlanMainWindowAwareness(HWND area)
{
    LookUpDpiCalls();
    const DpiAwareness areaAwareness = area ? AwarenessOf(calls.contexts ? calls.getWindowContext(area) : nullptr)
                                            : DpiAwareness::unknown;
    const DpiAwareness thread = AwarenessOf(calls.contexts ? calls.getThreadContext() : nullptr);
    plan = PlanMainWindowDpi(FunctionsAtHand(), areaAwareness, thread);
}

uint32_t EnterMainWindowCreation(POINT at)
{
    // The monitor is found as the program's own awareness saw the place when it was saved.
    const OptionalFunctions& f = optionalFunctions;
    HMONITOR monitor = f.monitorsAvailable ? f.monitorFromPoint(at, MONITOR_DEFAULTTONEAREST) : nullptr;
    if (plan.setThreadContext) {
        DpiAwareness used = plan.context;
        DpiContext previous = calls.setThreadContext(ContextOf(used));
        if (!previous && plan.fallback != DpiAwareness::unknown) {
            used = plan.fallback;
            previous = calls.setThreadContext(ContextOf(used));
        }
        if (previous) {
            programContext = previous;
            mainWindowContext = ContextOf(used);
        }
    }
    if (!calls.contexts) return kBaseDpi;
    // Asked in the new window's awareness: an unaware thread is told 96 whatever the screen.
    return DpiOfNewWindow(AwarenessOf(calls.getThreadContext()), calls.dpiForSystem ? calls.dpiForSystem() : 0,
                          MonitorDpi(monitor));
}

void LeaveMainWindowCreation()
{
    if (mainWindowContext) calls.setThreadContext(programContext);
}

DpiScope::DpiScope(Kind kind) : previous_(nullptr)
{
    if (mainWindowContext) previous_ = calls.setThreadContext(kind == programDpi ? programContext : mainWindowContext);
}

DpiScope::~DpiScope()
{
    if (previous_) calls.setThreadContext(previous_);
}

uint32_t WindowDpi(HWND window)
{
    const UINT dpi = calls.dpiForWindow ? calls.dpiForWindow(window) : 0;
    return dpi ? dpi : kBaseDpi;
}
