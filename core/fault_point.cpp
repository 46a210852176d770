// The test-only fault switch; see the header. Compiled out of a release build.
#include "core/fault_point.h"

#ifdef VELTRIN_TEST_HOOKS
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

// Site and passes left; the site stays -1 while nothing is armed. Watchers call in from
// their own threads, so the count is one atomic word.
static std::atomic<int32_t> armedSite{-1};
static std::atomic<int32_t> passesLeft{0};
static FaultKind armedKind = FaultKind::access;

void ArmFaultPoints()
{
    char text[32] = {};
    DWORD length = GetEnvironmentVariableA("VELTRIN_TEST_FAULT_SEED", text, sizeof text);
    if (length == 0 || length >= sizeof text) return;
    // Digits by hand: the C library's number parsers are not all in the oldest msvcrt.
    uint32_t seed = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9') return;
        seed = seed * 10u + static_cast<uint32_t>(*p - '0');
    }
    FaultPlan plan = ChooseFault(seed);
    armedKind = plan.kind;
    passesLeft = static_cast<int32_t>(plan.pass);
    armedSite = static_cast<int32_t>(plan.site);
}

void FaultPoint(FaultSite site)
{
    if (armedSite.load() != static_cast<int32_t>(site)) return;
    if (passesLeft.fetch_sub(1) == 1) RaiseFault(armedKind);
}

void RaiseFault(FaultKind kind)
{
    switch (kind) {
    case FaultKind::access: {
        volatile int* nowhere = nullptr;
        *nowhere = 1;  // NOLINT(clang-analyzer-core.NullDereference): this access fault is the switch's purpose
        break;
    }
    case FaultKind::abort: std::abort();
    case FaultKind::exception: throw std::runtime_error("test fault");
    }
}
#endif
