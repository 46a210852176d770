// Puts the captured notification area back into the taskbar. Shared by the orderly ending
// and by the last-chance handler that runs when the program faults.
#pragma once

void ReturnNotifyAreaToTaskbar();
