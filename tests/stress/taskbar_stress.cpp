// The taskbar comes and goes under the running program: it restarts (at random moments,
// also in the middle of a capture) or is ended hard. The program follows every new
// notification area and keeps its own resources steady.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "harness.h"
#include "program.h"
#include "stress.h"

using namespace e2e;

namespace {

struct Resources {
    DWORD gdi = 0;      // GetGuiResources: Wine answers 0 for both
    DWORD user = 0;
    DWORD handles = 0;  // counted in the system's handle table, which Wine keeps
    DWORD windows = 0;  // the program's windows, top-level and child
};

DWORD HandleCount(DWORD pid)
{
    struct Entry {
        ULONG pid;
        UCHAR type;
        UCHAR flags;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    const ULONG systemHandleInformation = 16;
    std::vector<char> buffer(1 << 20);
    ULONG length = 0;
    LONG status;
    while ((status = query(systemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &length)) ==
           static_cast<LONG>(0xC0000004)) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) return 0;
    const ULONG count = *reinterpret_cast<ULONG*>(buffer.data());
    const Entry* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(ULONG_PTR));
    DWORD mine = 0;
    for (ULONG i = 0; i < count; ++i) mine += entries[i].pid == pid;
    return mine;
}

struct WindowCount {
    DWORD pid;
    DWORD count;
};

BOOL CALLBACK CountChild(HWND window, LPARAM data)
{
    auto* c = reinterpret_cast<WindowCount*>(data);
    c->count += ProcessOf(window) == c->pid;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM data)
{
    auto* c = reinterpret_cast<WindowCount*>(data);
    if (ProcessOf(window) == c->pid) {
        ++c->count;
        EnumChildWindows(window, CountChild, data);
    }
    return TRUE;
}

Resources ResourcesOf(DWORD pid)
{
    Resources r;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (process) {
        r.gdi = GetGuiResources(process, GR_GDIOBJECTS);
        r.user = GetGuiResources(process, GR_USEROBJECTS);
        CloseHandle(process);
    }
    r.handles = HandleCount(pid);
    WindowCount windows{pid, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    r.windows = windows.count;
    return r;
}

// Growth is what counts, not a handle or two in flight: the count stays the same after 10
// restarts as after 100 (seen on both builds).
bool Within5Percent(DWORD now, DWORD first)
{
    const double limit = first * 0.05 < 2 ? 2 : first * 0.05;
    return now >= first - limit && now <= first + limit;
}

bool HeldBy(const StandIn& standIn, const Program& program)
{
    HWND area = standIn.notifyArea();
    return area && program.mainWindow() && GetParent(area) == program.mainWindow();
}

TEST(StressTaskbar, TaskbarRestarts)
{
    stress::Tally tally("taskbar restarts, each new notification area in the main window");
    const uint32_t seed = stress::FirstSeed();
    std::mt19937 random(seed);
    StandIn standIn("6.1");
    ASSERT_TRUE(standIn.ready());
    Program program("win7");
    program.start();
    ASSERT_EQ(program.waitStarted(standIn), StartOutcome::captured);
    // Counted once the program has settled after its first capture: the watchers make a few
    // handles of their own in their first moments, and those are no growth.
    Pause(1000);
    const Resources first = ResourcesOf(program.processId());

    const int steps = stress::Runs(10, 100);
    int overtaken = 0;
    for (int i = 0; i < steps; ++i) {
        const DWORD interval = std::uniform_int_distribution<DWORD>(50, 1000)(random);
        // One step in four restarts again at once, while the program takes the area it was
        // just told of.
        const bool twice = std::uniform_int_distribution<int>(0, 3)(random) == 0;
        HWND before = standIn.notifyArea();
        const DWORD startedAt = GetTickCount();
        if (standIn.command("restart") != 1) {
            tally.add(seed, "step " + std::to_string(i + 1) + ": the restart command was not taken");
            continue;
        }
        if (twice) {
            Pause(std::uniform_int_distribution<DWORD>(0, 30)(random));
            standIn.command("restart");
            ++overtaken;
        }
        std::string failure;
        if (standIn.notifyArea() == before) failure = "no new notification area";
        else if (!WaitUntil([&] { return HeldBy(standIn, program); }, 10000)) failure = "the new area stayed in the taskbar";
        else if (!program.running()) failure = "the program ended";
        tally.add(seed, failure.empty() ? "" : "step " + std::to_string(i + 1) + ": " + failure);
        const DWORD spent = GetTickCount() - startedAt;
        if (spent < interval) Pause(interval - spent);
    }
    Pause(1000);
    const Resources last = ResourcesOf(program.processId());
    std::printf("restarts: %d steps, %d of them restarting twice at once\n", steps, overtaken);
    std::printf("a second after the capture: GDI %lu, USER %lu, handles %lu, windows %lu\n", first.gdi, first.user,
                first.handles, first.windows);
    std::printf("at the end:                  GDI %lu, USER %lu, handles %lu, windows %lu\n", last.gdi, last.user,
                last.handles, last.windows);
    tally.print();
    EXPECT_EQ(tally.passed(), tally.runs());
    ASSERT_GT(first.handles, 0u);
    ASSERT_GT(first.windows, 0u);
    EXPECT_TRUE(Within5Percent(last.handles, first.handles));
    EXPECT_TRUE(Within5Percent(last.windows, first.windows));
    // Where the system counts them (Windows does, Wine does not), the GDI and USER objects too.
    if (first.gdi) {
        EXPECT_TRUE(Within5Percent(last.gdi, first.gdi));
    }
    if (first.user) {
        EXPECT_TRUE(Within5Percent(last.user, first.user));
    }

    program.endAsUser();
    ASSERT_TRUE(program.waitExit(15000));
    EXPECT_EQ(program.exitCode(), 0u);
    EXPECT_EQ(ParentOf(standIn.notifyArea()), standIn.taskbar());
}

// Ended hard, the taskbar takes its notification area along; the program does not crash
// and captures the next taskbar as soon as it announces itself.
TEST(StressTaskbar, TaskbarKilled)
{
    stress::Tally tally("taskbar killed, the next one captured");
    auto standIn = std::make_unique<StandIn>("6.1");
    ASSERT_TRUE(standIn->ready());
    Program program("win7");
    program.start();
    ASSERT_EQ(program.waitStarted(*standIn), StartOutcome::captured);
    const int kills = stress::Runs(3, 20);
    for (int i = 0; i < kills; ++i) {
        standIn->kill();
        standIn.reset();
        std::string failure;
        if (!program.running()) {
            failure = "the program ended with the taskbar";
        } else {
            standIn = std::make_unique<StandIn>("6.1");
            if (!standIn->ready()) failure = "the next stand-in did not start";
            else if (!WaitUntil([&] { return HeldBy(*standIn, program); }, 10000)) failure = "the next taskbar was not captured";
        }
        tally.add(failure);
        if (!failure.empty()) break;
    }
    tally.print();
    EXPECT_EQ(tally.passed(), kills);
    ASSERT_TRUE(standIn);
    program.endAsUser();
    ASSERT_TRUE(program.waitExit(15000));
    EXPECT_EQ(program.exitCode(), 0u);
    EXPECT_EQ(ParentOf(standIn->notifyArea()), standIn->taskbar());
}

}  // namespace
