// See dpi_rules.h.
#include "core/dpi_rules.h"

namespace {

bool PerMonitor(DpiAwareness awareness)
{
    return awareness == DpiAwareness::perMonitor || awareness == DpiAwareness::perMonitorV2;
}

bool SameMode(DpiAwareness a, DpiAwareness b) { return a == b || (PerMonitor(a) && PerMonitor(b)); }

uint32_t Known(uint32_t dpi) { return dpi == 0 ? kBaseDpi : dpi; }

// value * multiplier / divisor, rounded half away from zero.
int32_t MulDivRounded(int32_t value, uint32_t multiplier, uint32_t divisor)
{
    const int64_t product = static_cast<int64_t>(value) * multiplier;
    const int64_t half = divisor / 2;
    return static_cast<int32_t>((product >= 0 ? product + half : product - half) / static_cast<int64_t>(divisor));
}

}  // namespace

DpiPlan PlanMainWindowDpi(DpiFunctions functions, DpiAwareness area, DpiAwareness thread)
{
    DpiPlan plan{false, DpiAwareness::unknown, DpiAwareness::unknown};
    // The process-wide setting would make every window of the program per-monitor aware:
    // the options, version and wait windows, laid out in fixed pixels, would come out small
    // on a scaled screen. On Windows 8.1 they all stay as they have always been.
    if (functions != DpiFunctions::threadContexts) return plan;
    // Nothing known to match, or nothing to mend.
    if (area == DpiAwareness::unknown || thread == DpiAwareness::unknown || SameMode(area, thread)) return plan;
    plan.setThreadContext = true;
    plan.context = area;
    if (area == DpiAwareness::perMonitorV2) plan.fallback = DpiAwareness::perMonitor;
    return plan;
}

uint32_t DpiOfNewWindow(DpiAwareness awareness, uint32_t systemDpi, uint32_t monitorDpi)
{
    if (awareness == DpiAwareness::system) return Known(systemDpi);
    if (PerMonitor(awareness)) return Known(monitorDpi);
    return kBaseDpi;
}

int32_t ScaleToDpi(int32_t value, uint32_t dpi) { return MulDivRounded(value, Known(dpi), kBaseDpi); }

int32_t ScaleFromDpi(int32_t value, uint32_t dpi) { return MulDivRounded(value, kBaseDpi, Known(dpi)); }

Place PlaceForWindow(const Place& saved, uint32_t dpi)
{
    return Place{ScaleToDpi(saved.left, dpi), ScaleToDpi(saved.top, dpi), ScaleToDpi(saved.width, dpi),
                 ScaleToDpi(saved.height, dpi)};
}

Place PlaceForSettings(const Place& window, uint32_t dpi)
{
    return Place{ScaleFromDpi(window.left, dpi), ScaleFromDpi(window.top, dpi), ScaleFromDpi(window.width, dpi),
                 ScaleFromDpi(window.height, dpi)};
}
