// The test-only fault switch. A test sets VELTRIN_TEST_FAULT to "access", "abort" or
// "exception" before starting the program; the fault then happens on the main thread right
// after the capture. A release build has no switch at all.
#include "app/fault_switch.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "app/shared_state.h"

enum FaultKind : WPARAM { noFault, accessFault, abortFault, exceptionFault };

void ArmFaultSwitch()
{
#ifdef VELTRIN_FAULT_SWITCH
    char kind[32] = {};
    if (!GetEnvironmentVariableA("VELTRIN_TEST_FAULT", kind, sizeof kind)) return;
    WPARAM fault = !std::strcmp(kind, "access") ? accessFault
                 : !std::strcmp(kind, "abort") ? abortFault
                 : !std::strcmp(kind, "exception") ? exceptionFault : noFault;
    if (fault != noFault) PostMessageA(mainWindow, FaultSwitchMessage, fault, 0);
#endif
}

void TriggerFault(WPARAM kind)
{
#ifdef VELTRIN_FAULT_SWITCH
    switch (kind) {
    case accessFault: {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
        break;
    }
    case abortFault: std::abort();
    case exceptionFault: throw std::runtime_error("test fault");
    default: break;
    }
#else
    (void)kind;
#endif
}
