// System functions looked up at run time, because older Windows versions lack them.
#pragma once

#include <windows.h>
#include <psapi.h>

// `target` becomes the function `name` of `module`; null, and false, where the module or
// the function is missing.
template <class Function>
bool LookUpFunction(HMODULE module, const char* name, Function& target)
{
    // Through void(*)() so the compiler accepts the change of function type.
    target = module ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
    return target != nullptr;
}

struct OptionalFunctions {
    BOOL(WINAPI* setLayeredWindowAttributes)(HWND, COLORREF, BYTE, DWORD);
    BOOL(WINAPI* getWindowInfo)(HWND, PWINDOWINFO);
    HMONITOR(WINAPI* monitorFromPoint)(POINT, DWORD);
    BOOL(WINAPI* getMonitorInfoA)(HMONITOR, LPMONITORINFO);
    LPVOID(WINAPI* virtualAllocEx)(HANDLE, LPVOID, SIZE_T, DWORD, DWORD);
    BOOL(WINAPI* virtualFreeEx)(HANDLE, LPVOID, SIZE_T, DWORD);
    BOOL(WINAPI* getProcessMemoryInfo)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);
    HMODULE user32;
    HMODULE kernel32;
    HMODULE psapi;
    int layeredAvailable;
    int monitorsAvailable;
    int remoteMemoryAvailable;
    int memoryInfoAvailable;
};
extern OptionalFunctions optionalFunctions;

void LoadOptionalFunctions();
// GetLongPathNameA where the system has it (98, 2000 and later): the long form of `path`
// into `longPath`, with the length GetLongPathNameA gives (the size it would need, when it
// does not fit). Elsewhere the result is 0.
DWORD LongPathName(const char* path, char* longPath, DWORD size);
// SetProcessWorkingSetSize of this process where the system has it (the NT family); false
// elsewhere or when it fails.
bool SetWorkingSetSize(SIZE_T minimum, SIZE_T maximum);
// Releases the libraries again. `watchersEnded` is false when a watcher thread outlived its
// wait: psapi then stays loaded, since that thread may still call into it.
void FreeOptionalFunctions(bool watchersEnded);
