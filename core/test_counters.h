// Counts of events that the end-to-end tests read from the test report (see
// app/test_hooks.h). Built only with VELTRIN_TEST_HOOKS; in a release build counting does
// nothing and every count is 0.
#pragma once

#include <cstdint>

enum class TestCounter {
    trayWatchCycle,  // a tray-watch cycle begun, whether it works or only pauses
    fit,             // a call of the automatic fit
    revealHotkey,    // WM_HOTKEY with wParam 1, the reveal of the tray-watch thread
    hideRequest,     // the pointer watcher's request to hide the main window, as served
    pointerWatchCycle,  // a pointer-watch cycle begun
    remoteBlockTaken,   // a block allocated in the taskbar's process for reading its buttons
    remoteBlockFreed,   // such a block freed again
    count
};

void CountTestEvent(TestCounter counter);
int32_t TestEventCount(TestCounter counter);
