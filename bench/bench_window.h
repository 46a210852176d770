// The least a resident program does: one hidden window and a message loop that sleeps in
// GetMessage. Shared by the two reference programs of the watcher benchmark.
#pragma once
#include <windows.h>

inline int RunWindowAndLoop(HINSTANCE instance, const char* className)
{
    WNDCLASSA cls = {};
    cls.lpfnWndProc = DefWindowProcA;
    cls.hInstance = instance;
    cls.lpszClassName = className;
    RegisterClassA(&cls);
    CreateWindowExA(0, className, className, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, instance, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
