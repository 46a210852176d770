// Test-only fault points: which place faults, at which pass and how, drawn from one seed,
// so that a failing run can be repeated exactly. Plain values; the switch itself is in
// core/fault_point.h.
#pragma once

#include <cstdint>

// The places that call FaultPoint. A stage with several calls (the capture, the ending)
// counts its calls as passes, so the pass picks the moment inside the stage.
enum class FaultSite : uint32_t {
    capture,            // four calls, from before the take to the end of the capture
    trayWatchCycle,     // once per tray-watch cycle
    pointerWatchCycle,  // once per pointer-watch cycle
    optionsOk,          // once per accepted OK in the options window
    ending,             // four calls, from the stop request to the settings writes
};

enum class FaultKind : uint32_t { access, abort, exception };

struct FaultPlan {
    FaultSite site;
    uint32_t pass;  // the fault fires on this call of the site, counted from 1
    FaultKind kind;
};

// Sites a seed may choose.
constexpr FaultSite kDrawnFaultSites[] = {FaultSite::capture, FaultSite::trayWatchCycle,
                                          FaultSite::pointerWatchCycle, FaultSite::optionsOk,
                                          FaultSite::ending};

// How many passes a seed may choose from: the number of calls in a stage, or for a watcher
// the cycles of the first couple of seconds.
uint32_t FaultPassLimit(FaultSite site);

FaultPlan ChooseFault(uint32_t seed);

const char* FaultSiteName(FaultSite site);
const char* FaultKindName(FaultKind kind);
