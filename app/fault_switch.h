// A test-only switch that makes the program fault at a chosen moment, so a test can see
// the taskbar survive it. Built only with VELTRIN_FAULT_SWITCH; otherwise it does nothing.
#pragma once

#include <windows.h>

// Posted to the main window; wParam names the fault.
constexpr UINT FaultSwitchMessage = WM_APP + 0x4F;

void ArmFaultSwitch();
void TriggerFault(WPARAM kind);
