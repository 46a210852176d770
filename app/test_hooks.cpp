// The test-only hooks; see the header. Everything here is compiled out of a release build.
#include "app/test_hooks.h"

#ifdef VELTRIN_TEST_HOOKS
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/environment.h"
#include "core/fault_point.h"
#include "core/optional_functions.h"
#include "app/main_window.h"
#include "core/shared_state.h"
#include "core/test_counters.h"
#include "core/text_calls.h"
#include "settings/settings_file.h"
#include "taskbar/flavour.h"
#include "taskbar/taskbar_windows.h"

enum FaultSwitchKind : WPARAM { noFault, accessFault, abortFault, exceptionFault };

static char startFlavour[24];

void NoteStartFlavour() { CurrentFlavour(startFlavour); }

void ArmFaultSwitch()
{
    char kind[32] = {};
    if (!GetEnvironmentVariableA("VELTRIN_TEST_FAULT", kind, sizeof kind)) return;
    WPARAM fault = !std::strcmp(kind, "access") ? accessFault
                 : !std::strcmp(kind, "abort") ? abortFault
                 : !std::strcmp(kind, "exception") ? exceptionFault : noFault;
    if (fault != noFault) PostMessageA(mainWindow, FaultSwitchMessage, fault, 0);
}

void TriggerFault(WPARAM kind)
{
    switch (kind) {
    case accessFault: RaiseFault(FaultKind::access); break;
    case abortFault: RaiseFault(FaultKind::abort); break;
    case exceptionFault: RaiseFault(FaultKind::exception); break;
    default: break;
    }
}

static void WriteHandle(FILE* f, const char* name, HWND handle)
{
    std::fprintf(f, "%s=0x%lx\r\n", name, static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(handle)));
}

static void WriteFont(FILE* f, const char* name, HFONT font)
{
    LOGFONTA l{};
    GetObjectA(font, sizeof l, &l);
    std::fprintf(f, "%sFace=%s\r\n%sHeight=%ld\r\n%sUnderline=%d\r\n%sCharset=%d\r\n", name, l.lfFaceName, name,
                 static_cast<long>(l.lfHeight), name, l.lfUnderline, name, l.lfCharSet);
}

bool OnTestReport(UINT message)
{
    static UINT reportMessage = RegisterWindowMessageA("VeltrinTestReport");
    if (message != reportMessage) return false;
    char path[MAX_PATH + 32];
    std::snprintf(path, sizeof path, "%s\\veltrin-report.txt", exeDirectory);
    FILE* f = std::fopen(path, "wb");
    if (!f) return true;
    const TaskbarWindows& t = taskbarWindows;
    char flavour[24];
    CurrentFlavour(flavour);
    std::fprintf(f, "flavourAtStart=%s\r\nflavour=%s\r\n", startFlavour, flavour);
    std::fprintf(f, "win9x=%d\r\nversion51To62=%d\r\nversion50To62=%d\r\n", IsWin9xFamily(), IsVersion51To62(),
                 IsVersion50To62());
    std::fprintf(f, "windows10=%d\r\n", IsWindows10Taskbar(flavour));
    WriteHandle(f, "taskbar", t.taskbar);
    WriteHandle(f, "notifyArea", t.notifyArea);
    WriteHandle(f, "clock", t.clock);
    WriteHandle(f, "showDesktopButton", t.showDesktopButton);
    WriteHandle(f, "hiddenIconsButton", t.hiddenIconsButton);
    WriteHandle(f, "pager", t.pager);
    WriteHandle(f, "pagerToolbar", t.pagerToolbar);
    WriteHandle(f, "iconToolbar", t.iconToolbar);
    WriteHandle(f, "systemPager", t.systemPager);
    WriteHandle(f, "rebar", t.rebar);
    WriteHandle(f, "startButton", t.startButton);
    std::fprintf(f, "visibleIconCount=%d\r\ncountNow=%d\r\nnot256Colors=%d\r\n", visibleIconCount.load(),
                 CountVisibleTrayIcons(), IsNot256ColorDisplay());
    std::fprintf(f, "caption=%s\r\nsettingsAvailable=%d\r\nsettingsPath=%s\r\nhelpPath=%s\r\n", caption,
                 settingsAvailable, settingsPath, helpPath);
    std::fprintf(f, "left=%d\r\ntop=%d\r\n", ReadSettingInt(setting::windowLeft, 0x7fffffff),
                 ReadSettingInt(setting::windowTop, 0x7fffffff));
    BYTE alpha = 0;
    DWORD layeredFlags = 0;
    // Looked up, as the product's own newer functions are, so that this build too imports
    // only what the oldest supported systems export.
    BOOL(WINAPI * getLayered)(HWND, COLORREF*, BYTE*, DWORD*) = nullptr;
    if (LookUpFunction(GetModuleHandleA("user32.dll"), "GetLayeredWindowAttributes", getLayered) &&
        getLayered(mainWindow, nullptr, &alpha, &layeredFlags)) {
        std::fprintf(f, "alpha=%u\r\nalphaFlags=%lu\r\n", alpha, static_cast<unsigned long>(layeredFlags));
    }
    std::fprintf(f, "minWidth=%d\r\nminHeight=%d\r\ntitleBarShown=%d\r\n", minWidth.load(), minHeight.load(),
                 titleBarShown.load());
    // Under Wine another process cannot read this one's CPU time, so it is reported here
    // (looked up: 95 has no GetProcessTimes).
    BOOL(WINAPI * getTimes)(HANDLE, FILETIME*, FILETIME*, FILETIME*, FILETIME*) = nullptr;
    FILETIME created, exited, kernel, user;
    if (LookUpFunction(GetModuleHandleA("kernel32.dll"), "GetProcessTimes", getTimes) &&
        getTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        auto ms = [](const FILETIME& time) {
            return static_cast<unsigned long>(((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000);
        };
        std::fprintf(f, "cpuMs=%lu\r\n", ms(kernel) + ms(user));
    }
    std::fprintf(f, "trayWatchCycles=%d\r\nfits=%d\r\nrevealHotkeys=%d\r\nhideRequests=%d\r\n",
                 TestEventCount(TestCounter::trayWatchCycle), TestEventCount(TestCounter::fit),
                 TestEventCount(TestCounter::revealHotkey), TestEventCount(TestCounter::hideRequest));
    std::fprintf(f, "pointerWatchCycles=%d\r\nframeDragging=%d\r\n", TestEventCount(TestCounter::pointerWatchCycle),
                 frameDragging.load());
    std::fprintf(f, "menu=");
    // Japanese through the wide calls is reported in UTF-8, as the program holds it then.
    int(WINAPI * getMenuStringW)(HMENU, UINT, LPWSTR, int, UINT) = nullptr;
    LookUpFunction(GetModuleHandleA("user32.dll"), "GetMenuStringW", getMenuStringW);
    for (int i = 0; i < GetMenuItemCount(popupMenu); ++i) {
        char text[64] = {};
        if (WideTexts() && getMenuStringW) {
            wchar_t units[64] = {};
            getMenuStringW(popupMenu, i, units, 64, MF_BYPOSITION);
            WideCharToMultiByte(CP_UTF8, 0, units, -1, text, sizeof text, nullptr, nullptr);
        } else {
            GetMenuStringA(popupMenu, i, text, sizeof text, MF_BYPOSITION);
        }
        std::fprintf(f, "%s%u:%s", i ? "|" : "", GetMenuItemID(popupMenu, i), text);
    }
    std::fprintf(f, "\r\n");
    // What the system cursors are in this process, for telling from outside which one shows.
    WriteHandle(f, "handCursor", reinterpret_cast<HWND>(LoadCursorA(nullptr, IDC_HAND)));
    WriteHandle(f, "arrowCursor", reinterpret_cast<HWND>(LoadCursorA(nullptr, IDC_ARROW)));
    WriteFont(f, "uiFont", uiFont);
    WriteFont(f, "linkFont", linkFont);
    std::fclose(f);
    return true;
}

void WriteEndingReport()
{
    char path[MAX_PATH + 32];
    std::snprintf(path, sizeof path, "%s\\veltrin-ending.txt", exeDirectory);
    FILE* f = std::fopen(path, "wb");
    if (!f) return;
    std::fprintf(f, "remoteBlocksLeft=%d\r\n",
                 TestEventCount(TestCounter::remoteBlockTaken) - TestEventCount(TestCounter::remoteBlockFreed));
    std::fclose(f);
}

#else

void NoteStartFlavour() {}
void ArmFaultSwitch() {}
void TriggerFault(WPARAM) {}
bool OnTestReport(UINT) { return false; }
void WriteEndingReport() {}

#endif
