// Hooks for the end-to-end tests, built only with VELTRIN_TEST_HOOKS; a release build has
// none of them and these functions do nothing there.
//  - a fault switch: the test sets VELTRIN_TEST_FAULT to "access", "abort" or "exception"
//    and the program faults on its main thread right after the capture (faults at other
//    moments, drawn from a seed, are core/fault_point.h);
//  - a report: the registered message "VeltrinTestReport" makes the program write what it
//    found and decided (taskbar handles, flavour, fonts, paths, the event counts of
//    core/test_counters.h) to "veltrin-report.txt" beside the executable, since those
//    live only inside the process;
//  - an ending report, "veltrin-ending.txt" beside the executable, written as the ending's
//    last step: what the program left behind, when no report can be asked for any more.
#pragma once

#include <windows.h>

// Posted to the main window; wParam names the fault.
constexpr UINT FaultSwitchMessage = WM_APP + 0x4F;

void NoteStartFlavour();
void ArmFaultSwitch();
void TriggerFault(WPARAM kind);
// True when the message was the report request (it has then been answered).
bool OnTestReport(UINT message);
void WriteEndingReport();
