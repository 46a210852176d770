// Finds the taskbar's windows and counts the visible notification icons by reading the
// toolbar's buttons out of the taskbar's process.
#include "taskbar/taskbar_windows.h"

#include <commctrl.h>

#include "core/optional_functions.h"
#include "core/shared_state.h"
#include "core/test_counters.h"
#include "taskbar/fit_rules.h"
#include "taskbar/flavour.h"

TaskbarWindows taskbarWindows;

void FindTaskbarWindows()
{
    TaskbarWindows& t = taskbarWindows;
    t.taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    t.notifyArea = FindWindowExA(t.taskbar, nullptr, "TrayNotifyWnd", nullptr);
    t.clock = FindWindowExA(t.notifyArea, nullptr, "TrayClockWClass", nullptr);
    t.showDesktopButton = FindWindowExA(t.notifyArea, nullptr, "TrayShowDesktopButtonWClass", nullptr);
    if (IsVersion51To62()) {
        t.hiddenIconsButton = FindWindowExA(t.notifyArea, nullptr, "Button", nullptr);
        t.pager = FindWindowExA(t.notifyArea, nullptr, "SysPager", nullptr);
        t.pagerToolbar = FindWindowExA(t.pager, nullptr, "ToolbarWindow32", nullptr);
        t.iconToolbar = t.pagerToolbar;
        t.systemPager = FindWindowExA(t.notifyArea, t.pager, "SysPager", nullptr);
    } else {
        t.iconToolbar = FindWindowExA(t.notifyArea, nullptr, "ToolbarWindow32", nullptr);
    }
    t.rebar = FindWindowExA(t.taskbar, nullptr, "ReBarWindow32", nullptr);
}

// A block kept in the taskbar's process for one reading thread (QuietWatch): taken at the
// first reading, kept for the whole capture, and freed when the taskbar it was taken in
// is given up. The main thread and the tray watch both read, without a lock between them,
// so each keeps a slot of its own, claimed by its thread id. Whoever works with a slot's
// block claims it first (`use`), so that one given up from another thread (the ending, a
// fault) is never freed while the taskbar writes into it.
struct KeptBlock {
    SharedWord thread;  // the owner's thread id; 0 while free
    SharedWord use;     // 0 free to claim, 1 claimed, -1 given up for good
    DWORD processId;
    HANDLE process;
    void* address;
    int32_t generation;
};
constexpr int kKeptBlocks = 4;
static KeptBlock keptBlocks[kKeptBlocks];
static SharedWord keepingBlocks{0};
// Raised whenever the area goes back to the taskbar to be taken again or a new taskbar is
// followed: a block taken before belongs to a taskbar the program has let go.
static SharedWord blockGeneration{0};

static bool Claim(KeptBlock& b)
{
    int32_t unclaimed = 0;
    return b.use.compare_exchange_strong(unclaimed, 1);
}

static void FreeRemote(HANDLE process, void* address)
{
    if (address && optionalFunctions.virtualFreeEx && optionalFunctions.virtualFreeEx(process, address, 0, MEM_RELEASE)) {
        CountTestEvent(TestCounter::remoteBlockFreed);
    }
}

static void FreeBlock(KeptBlock& b)
{
    FreeRemote(b.process, b.address);
    if (b.process) CloseHandle(b.process);
    b.process = nullptr;
    b.address = nullptr;
    b.processId = 0;
}

// The calling thread's slot, claimed at its first use; null when all are taken.
static KeptBlock* OwnSlot()
{
    const auto me = static_cast<int32_t>(GetCurrentThreadId());
    for (KeptBlock& b : keptBlocks) {
        if (b.thread == me) return &b;
    }
    for (KeptBlock& b : keptBlocks) {
        int32_t free = 0;
        if (b.thread.compare_exchange_strong(free, me)) return &b;
    }
    return nullptr;
}

void KeepToolbarBlocks(bool keep) { keepingBlocks = keep ? 1 : 0; }

void RetireToolbarBlocks()
{
    ++blockGeneration;
    ReleaseRetiredToolbarBlock();
}

void ReleaseRetiredToolbarBlock()
{
    const auto me = static_cast<int32_t>(GetCurrentThreadId());
    for (KeptBlock& b : keptBlocks) {
        if (b.thread != me || !b.address || b.generation == blockGeneration || !Claim(b)) continue;
        FreeBlock(b);
        b.use = 0;
    }
}

void ReleaseToolbarBlocks()
{
    // Readings after this (none are planned) take and free a block each.
    keepingBlocks = 0;
    for (KeptBlock& b : keptBlocks) {
        if (!Claim(b)) continue;  // given up already, or a reading under way: its owner frees it
        FreeBlock(b);
        b.use = -1;
    }
}

// TB_GETBUTTON writes the taskbar's own TBBUTTON (20 bytes in the 32-bit layout, 32 in the
// 64-bit one); the state byte sits at offset 8 in both. A page is committed in any case.
constexpr SIZE_T kRemoteBlockSize = 4096;
constexpr SIZE_T kRemoteButtonSize = 20;
constexpr SIZE_T kStateOffset = 8;

// The process and the block that one reading writes into; `kept` when they outlive it.
struct RemoteBlock {
    HANDLE process;
    void* address;
    bool kept;
};

// A kept block stays claimed until GiveBlockBack.
static RemoteBlock TakeBlock(DWORD processId, KeptBlock*& slot)
{
    const OptionalFunctions& f = optionalFunctions;
    slot = keepingBlocks ? OwnSlot() : nullptr;
    if (slot && !Claim(*slot)) slot = nullptr;
    if (slot && slot->address && slot->processId == processId && slot->generation == blockGeneration) {
        return RemoteBlock{slot->process, slot->address, true};
    }
    if (slot) FreeBlock(*slot);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) return RemoteBlock{};
    void* address = f.virtualAllocEx(process, nullptr, kRemoteBlockSize, MEM_COMMIT, PAGE_READWRITE);
    if (address) CountTestEvent(TestCounter::remoteBlockTaken);
    if (!slot || !address) return RemoteBlock{process, address, false};
    // While it holds the process open, no other process can take over its id.
    slot->processId = processId;
    slot->process = process;
    slot->address = address;
    slot->generation = blockGeneration;
    return RemoteBlock{process, address, true};
}

static void GiveBlockBack(const RemoteBlock& block, KeptBlock* slot)
{
    if (slot) slot->use = 0;
    // A release that came while this reading was under way left the block to its owner.
    if (block.kept && slot && !keepingBlocks && Claim(*slot)) {
        FreeBlock(*slot);
        slot->use = -1;
    }
    if (block.kept) return;
    FreeRemote(block.process, block.address);
    if (block.process) CloseHandle(block.process);
}

int32_t CountTrayButtons()
{
    return static_cast<int32_t>(SendMessageA(taskbarWindows.iconToolbar, TB_BUTTONCOUNT, 0, 0));
}

static TrayButtons ReadToolbarButtons(HWND toolbar, int32_t count)
{
    const OptionalFunctions& f = optionalFunctions;
    TrayButtons seen{};
    if (!f.virtualAllocEx || !f.virtualFreeEx || !toolbar) return seen;
    DWORD processId = 0;
    GetWindowThreadProcessId(toolbar, &processId);
    if (!processId) return seen;
    KeptBlock* slot = nullptr;
    const RemoteBlock block = TakeBlock(processId, slot);
    if (block.address) {
        if (count < 0) count = static_cast<int32_t>(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
        seen.read = true;
        for (int i = 0; i < count; ++i) {
            unsigned char button[kRemoteButtonSize] = {};
            SIZE_T copied = 0;
            SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(block.address));
            if (!ReadProcessMemory(block.process, block.address, button, sizeof button, &copied) ||
                copied != sizeof button) {
                seen = TrayButtons{};  // a partial count would make the fit shrink the window wrongly
                break;
            }
            const bool hidden = (button[kStateOffset] & TBSTATE_HIDDEN) != 0;
            if (!hidden) ++seen.visible;
            seen.hiddenMark = MarkTrayButton(seen.hiddenMark, hidden);
        }
    }
    GiveBlockBack(block, slot);
    return seen;
}

TrayButtons ReadTrayButtons(int32_t count) { return ReadToolbarButtons(taskbarWindows.iconToolbar, count); }

int CountShownButtons(HWND toolbar)
{
    const TrayButtons seen = ReadToolbarButtons(toolbar, -1);
    return seen.read ? seen.visible : -1;
}

int CountVisibleTrayIcons() { return ReadTrayButtons(-1).visible; }

bool IsNot256ColorDisplay()
{
    HWND desktop = GetDesktopWindow();
    HDC dc = GetDC(desktop);
    int depth = GetDeviceCaps(dc, PLANES) * GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(desktop, dc);
    return depth != 8;
}

LRESULT SendToTaskbarBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Three of these make one paint of the main window: together they stay well under a second.
    constexpr UINT kAnswerBound = 250;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, kAnswerBound, &result)) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}
