// The last chance to give the notification area back when the program faults.
#pragma once

void InstallCrashGuard();
