// Drawing a fault plan from a seed.
#include "core/fault_rules.h"

namespace {

// A well-mixed 32-bit hash, so that neighbouring seeds choose unrelated plans.
uint32_t Mix(uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

}  // namespace

uint32_t FaultPassLimit(FaultSite site)
{
    switch (site) {
    case FaultSite::capture: return 4;
    case FaultSite::trayWatchCycle: return 6;       // 300 ms cycles
    case FaultSite::pointerWatchCycle: return 300;  // 5 ms cycles
    case FaultSite::optionsOk: return 1;
    case FaultSite::ending: return 4;
    }
    return 1;
}

FaultPlan ChooseFault(uint32_t seed)
{
    constexpr uint32_t siteCount = sizeof kDrawnFaultSites / sizeof kDrawnFaultSites[0];
    const uint32_t a = Mix(seed);
    const uint32_t b = Mix(a ^ 0x9E3779B9u);
    const FaultSite site = kDrawnFaultSites[a % siteCount];
    const uint32_t pass = 1 + b % FaultPassLimit(site);
    const FaultKind kind = static_cast<FaultKind>((a / siteCount) % 3);
    return {site, pass, kind};
}

const char* FaultSiteName(FaultSite site)
{
    switch (site) {
    case FaultSite::capture: return "capture";
    case FaultSite::trayWatchCycle: return "tray-watch cycle";
    case FaultSite::pointerWatchCycle: return "pointer-watch cycle";
    case FaultSite::optionsOk: return "options OK";
    case FaultSite::ending: return "ending";
    }
    return "?";
}

const char* FaultKindName(FaultKind kind)
{
    switch (kind) {
    case FaultKind::access: return "access";
    case FaultKind::abort: return "abort";
    case FaultKind::exception: return "exception";
    }
    return "?";
}
