// The test-only fault switch that any layer may call at a place worth faulting in. Built
// only with VELTRIN_TEST_HOOKS; in a release build every call is empty and inlined away.
//  - VELTRIN_TEST_FAULT_SEED=<number> in the environment draws a plan (ChooseFault): the
//    chosen site faults on the chosen pass, in the chosen way;
//  - FaultPoint(site) is one line at the place: `FaultPoint(FaultSite::trayWatchCycle);`.
#pragma once

#include "core/fault_rules.h"

#ifdef VELTRIN_TEST_HOOKS
// Reads the seed once, on the main thread, before any site can be reached.
void ArmFaultPoints();
void FaultPoint(FaultSite site);
// Faults at once, in the way named: a write through a null pointer, abort(), or a C++
// exception that nothing catches.
void RaiseFault(FaultKind kind);
#else
inline void ArmFaultPoints() {}
inline void FaultPoint(FaultSite) {}
#endif
