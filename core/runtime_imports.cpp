// The compiler's runtime asks for CreateSemaphoreW; here it gets a function that works on
// every system the program supports.
//
// libgcc's win32 threads (linked statically) build each mutex of the runtime on an unnamed
// semaphore made with CreateSemaphoreW(NULL, 0, 65535, NULL): the unwinder's list of frame
// tables, emulated thread-local storage and the exception emergency pool. Windows 95, 98 and
// Me export CreateSemaphoreW only as a stub that fails. Such a mutex has no semaphore: when a
// second thread meets it held, its wait fails, the runtime goes on without the lock and the
// mutex's count stays off by one, so it never excludes anything again.
//
// An unnamed semaphore is the same object whichever character set asks for it, so the
// runtime's import slot (__imp__CreateSemaphoreW@16, which its objects call through) is
// defined here and points to CreateSemaphoreA. With it defined, the linker takes nothing
// from kernel32's import library for that name and the import table holds no
// CreateSemaphoreW. A named semaphore fails as the stub fails: nothing in the program or its
// runtime asks for one through this name. The 64-bit program runs only on NT systems and
// keeps the system's function.
#include <windows.h>

#if defined(__i386__)

namespace {

HANDLE WINAPI UnnamedSemaphore(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum, LPCWSTR name)
{
    if (name != nullptr) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return nullptr;
    }
    return CreateSemaphoreA(attributes, initial, maximum, nullptr);
}

} // namespace

using CreateSemaphoreWFunction = HANDLE WINAPI(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR);
extern "C" CreateSemaphoreWFunction* const runtimeCreateSemaphoreW __asm__("__imp__CreateSemaphoreW@16");
extern "C" CreateSemaphoreWFunction* const runtimeCreateSemaphoreW = UnnamedSemaphore;

#endif
