// The floor of the watcher benchmark: a program with a window and a message loop, nothing else.
#include "bench_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunWindowAndLoop(instance, "VtBenchFloor");
}
