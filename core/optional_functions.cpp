// Looks up the optional system functions and releases their libraries at the end.
#include "core/optional_functions.h"

OptionalFunctions optionalFunctions;

template <class Function>
static void Lookup(HMODULE module, const char* name, Function& target)
{
    // Through void(*)() so the compiler accepts the change of function type.
    target = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

void LoadOptionalFunctions()
{
    OptionalFunctions& f = optionalFunctions;
    f.user32 = LoadLibraryA("user32.dll");
    f.kernel32 = LoadLibraryA("kernel32.dll");
    f.psapi = LoadLibraryA("psapi.dll");
    f.layeredAvailable = f.monitorsAvailable = f.remoteMemoryAvailable = f.memoryInfoAvailable = 0;
    if (f.user32) {
        Lookup(f.user32, "SetLayeredWindowAttributes", f.setLayeredWindowAttributes);
        Lookup(f.user32, "GetWindowInfo", f.getWindowInfo);
        f.layeredAvailable = f.setLayeredWindowAttributes != nullptr;
        Lookup(f.user32, "MonitorFromPoint", f.monitorFromPoint);
        Lookup(f.user32, "GetMonitorInfoA", f.getMonitorInfoA);
        f.monitorsAvailable = f.monitorFromPoint && f.getMonitorInfoA;
    }
    if (f.kernel32) {
        Lookup(f.kernel32, "VirtualAllocEx", f.virtualAllocEx);
        Lookup(f.kernel32, "VirtualFreeEx", f.virtualFreeEx);
        f.remoteMemoryAvailable = f.virtualAllocEx != nullptr;
    }
    if (f.psapi) {
        Lookup(f.psapi, "GetProcessMemoryInfo", f.getProcessMemoryInfo);
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

DWORD LongPathNameInPlace(char* path, DWORD size)
{
    // kernel32 is in every process; only a pointer into it is taken, nothing is loaded.
    DWORD(WINAPI * getLongPathNameA)(LPCSTR, LPSTR, DWORD) = nullptr;
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    if (kernel32) Lookup(kernel32, "GetLongPathNameA", getLongPathNameA);
    return getLongPathNameA ? getLongPathNameA(path, path, size) : 0;
}

bool SetWorkingSetSize(SIZE_T minimum, SIZE_T maximum)
{
    BOOL(WINAPI * setProcessWorkingSetSize)(HANDLE, SIZE_T, SIZE_T) = nullptr;
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    if (kernel32) Lookup(kernel32, "SetProcessWorkingSetSize", setProcessWorkingSetSize);
    return setProcessWorkingSetSize && setProcessWorkingSetSize(GetCurrentProcess(), minimum, maximum);
}
