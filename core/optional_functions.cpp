// Looks up the optional system functions and releases their libraries at the end.
#include "core/optional_functions.h"

OptionalFunctions optionalFunctions;

void LoadOptionalFunctions()
{
    OptionalFunctions& f = optionalFunctions;
    f.user32 = LoadLibraryA("user32.dll");
    f.kernel32 = LoadLibraryA("kernel32.dll");
    f.psapi = LoadLibraryA("psapi.dll");
    f.layeredAvailable = f.monitorsAvailable = f.remoteMemoryAvailable = f.memoryInfoAvailable = 0;
    if (f.user32) {
        LookUpFunction(f.user32, "SetLayeredWindowAttributes", f.setLayeredWindowAttributes);
        LookUpFunction(f.user32, "GetWindowInfo", f.getWindowInfo);
        f.layeredAvailable = f.setLayeredWindowAttributes != nullptr;
        LookUpFunction(f.user32, "MonitorFromPoint", f.monitorFromPoint);
        LookUpFunction(f.user32, "GetMonitorInfoA", f.getMonitorInfoA);
        f.monitorsAvailable = f.monitorFromPoint && f.getMonitorInfoA;
    }
    if (f.kernel32) {
        LookUpFunction(f.kernel32, "VirtualAllocEx", f.virtualAllocEx);
        LookUpFunction(f.kernel32, "VirtualFreeEx", f.virtualFreeEx);
        f.remoteMemoryAvailable = f.virtualAllocEx != nullptr;
    }
    if (f.psapi) {
        LookUpFunction(f.psapi, "GetProcessMemoryInfo", f.getProcessMemoryInfo);
        f.memoryInfoAvailable = f.getProcessMemoryInfo != nullptr;
    }
}

void FreeOptionalFunctions(bool watchersEnded)
{
    OptionalFunctions& f = optionalFunctions;
    if (!watchersEnded) return;
    if (f.layeredAvailable || f.monitorsAvailable) FreeLibrary(f.user32);
    if (f.remoteMemoryAvailable) FreeLibrary(f.kernel32);
    if (f.memoryInfoAvailable) FreeLibrary(f.psapi);
    f.layeredAvailable = f.monitorsAvailable = f.remoteMemoryAvailable = f.memoryInfoAvailable = 0;
}

DWORD LongPathName(const char* path, char* longPath, DWORD size)
{
    // kernel32 is in every process; only a pointer into it is taken, nothing is loaded.
    DWORD(WINAPI * getLongPathNameA)(LPCSTR, LPSTR, DWORD) = nullptr;
    LookUpFunction(GetModuleHandleA("kernel32.dll"), "GetLongPathNameA", getLongPathNameA);
    return getLongPathNameA ? getLongPathNameA(path, longPath, size) : 0;
}

bool SetWorkingSetSize(SIZE_T minimum, SIZE_T maximum)
{
    BOOL(WINAPI * setProcessWorkingSetSize)(HANDLE, SIZE_T, SIZE_T) = nullptr;
    LookUpFunction(GetModuleHandleA("kernel32.dll"), "SetProcessWorkingSetSize", setProcessWorkingSetSize);
    return setProcessWorkingSetSize && setProcessWorkingSetSize(GetCurrentProcess(), minimum, maximum);
}
