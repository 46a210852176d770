// Stories of the tray-watch thread: the window follows the number of visible icons, the
// screen edges reveal a hidden window, and the taskbar left behind is kept tidy.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "program.h"

using namespace e2e;

namespace {

// No edge senses anything unless a test asks for it: the pointer may rest anywhere.
constexpr char kNoEdges[] = "[Target]\r\nTop=0\r\nDown=0\r\nLeft=0\r\nRight=0\r\n";

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

RECT MonitorOf(POINT point, bool workArea)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info);
    return workArea ? info.rcWork : info.rcMonitor;
}

// Keys held down for as long as the object lives.
class HeldKeys {
public:
    explicit HeldKeys(std::vector<WORD> keys) : keys_(std::move(keys))
    {
        for (WORD key : keys_) Send(key, true);
        Pause(100);
    }
    ~HeldKeys()
    {
        for (auto key = keys_.rbegin(); key != keys_.rend(); ++key) Send(*key, false);
        Pause(100);
    }

private:
    static void Send(WORD key, bool down)
    {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &input, sizeof input);
    }
    std::vector<WORD> keys_;
};

struct Running {
    StandIn standIn;
    Program program;
    Running(const char* flavour, const char* version, const std::string& ini) : standIn(flavour), program(version)
    {
        program.writeIni(ini);
        program.start();
    }
    bool started() { return program.waitStarted(standIn) == StartOutcome::captured; }
    HWND main() const { return program.mainWindow(); }
    int number(const char* key) const
    {
        const std::string value = program.report()[key];
        return value.empty() ? -1 : std::stoi(value);
    }
    // Lets the tray-watch thread begin at least this many more cycles.
    bool waitCycles(int cycles) const
    {
        const int start = number("trayWatchCycles");
        return start >= 0 && WaitUntil([&] { return number("trayWatchCycles") >= start + cycles; }, 15000, 100);
    }
    // Makes a change to the stand-in's icons and waits for the one fit it causes.
    bool changeIcons(const std::string& command)
    {
        const int fits = number("fits");
        if (standIn.command(command) != 1) return false;
        if (!WaitUntil([&] { return number("fits") > fits; }, 10000, 100)) return false;
        waitCycles(3);
        return number("fits") == fits + 1;
    }
    bool hide() const
    {
        ShowWindow(main(), SW_HIDE);
        return WaitUntil([&] { return !IsWindowVisible(main()); }, 3000);
    }
    void end()
    {
        MoveCursor(640, 400);
        program.endAsUser();
        EXPECT_TRUE(program.waitExit(15000));
    }
};

struct Flavour {
    const char* name;
    const char* version;
    bool quiet;
};

class OneRow : public ::testing::TestWithParam<Flavour> {
protected:
    void SetUp() override { quietWatch = GetParam().quiet; }
    void TearDown() override { quietWatch = false; }
};

// A window of one row takes the width its visible icons, the clock and the show-desktop
// button need: exactly one fit per change of the count, and the right edge stays on the
// monitor.
TEST_P(OneRow, FollowsTheVisibleIcons)
{
    RegistrySwitch classic(kThemePath, "ThemeActive", "0");
    Running run(GetParam().name, GetParam().version,
                std::string("[Window]\r\nWidth=300\r\nHeight=52\r\nLeft=200\r\nTop=300\r\n") + kNoEdges);
    ASSERT_TRUE(run.started());
    HWND main = run.main();
    ASSERT_LE(Height(RectOf(main)), run.number("minHeight") + 4) << "one row";
    HWND clock = run.standIn.find("TrayClockWClass");
    HWND showDesktop = run.standIn.find("TrayShowDesktopButtonWClass");
    // Visual styles off, a horizontal tray: 24 per visible icon, the button count while
    // that is less than the old width, the clock, 6 more if that still fits the old
    // width, and the show-desktop button where there is one.
    auto expectedWidth = [&](int oldWidth) {
        int width = 24 * static_cast<int>(run.standIn.command("visible"));
        if (width < oldWidth) width += static_cast<int>(run.standIn.command("count"));
        width += Width(RectOf(clock));
        if (width <= oldWidth) width += 6;
        if (showDesktop) width += Width(RectOf(showDesktop));
        return width;
    };
    EXPECT_EQ(Width(RectOf(main)), expectedWidth(300)) << "fitted at capture";

    int before = Width(RectOf(main));
    ASSERT_TRUE(run.changeIcons("add 7 seven"));
    EXPECT_EQ(Width(RectOf(main)), expectedWidth(before));
    EXPECT_GT(Width(RectOf(main)), before);
    before = Width(RectOf(main));
    ASSERT_TRUE(run.changeIcons("hide 7"));
    EXPECT_EQ(Width(RectOf(main)), expectedWidth(before));
    EXPECT_LT(Width(RectOf(main)), before);

    // On the monitor's right edge: growing is pulled back, shrinking keeps the edge.
    RECT r = RectOf(main);
    const int monitorRight = MonitorOf(POINT{r.left, r.top}, false).right;
    SetWindowPos(main, nullptr, monitorRight - Width(r), r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return RectOf(main).right == monitorRight; }, 3000));
    before = Width(RectOf(main));
    ASSERT_TRUE(run.changeIcons("show 7"));
    EXPECT_EQ(Width(RectOf(main)), expectedWidth(before));
    EXPECT_EQ(RectOf(main).right, monitorRight);
    before = Width(RectOf(main));
    ASSERT_TRUE(run.changeIcons("hide 7"));
    EXPECT_EQ(Width(RectOf(main)), expectedWidth(before));
    EXPECT_EQ(RectOf(main).right, monitorRight);
    run.end();
}

INSTANTIATE_TEST_SUITE_P(Flavours, OneRow,
                         ::testing::Values(Flavour{"6.1", "win7", false}, Flavour{"5.1", "winxp", false},
                                           Flavour{"6.1", "win7", true}, Flavour{"5.1", "winxp", true}),
                         [](const ::testing::TestParamInfo<Flavour>& param) {
                             return std::string(param.param.name[0] == '6' ? "v61" : "v51") +
                                    (param.param.quiet ? "_quiet" : "");
                         });

// With "ReSize" clear a change of the count leaves the size alone, but a hidden window is
// shown and brought to the foreground.
TEST(Fit, ReSizeClearOnlyShowsTheWindow)
{
    RegistrySwitch classic(kThemePath, "ThemeActive", "0");
    Running run("6.1", "win7", std::string("[Window]\r\nWidth=300\r\nHeight=52\r\n[Config]\r\nReSize=0\r\n") + kNoEdges);
    ASSERT_TRUE(run.started());
    HWND main = run.main();
    const RECT before = RectOf(main);
    RecordingWindow other(200, 120, true);
    SetForegroundWindow(other.hwnd());
    ASSERT_TRUE(run.hide());
    ASSERT_TRUE(run.changeIcons("add 7 seven"));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }, 3000));
    const RECT after = RectOf(main);
    EXPECT_TRUE(EqualRect(&before, &after)) << Width(after) << "x" << Height(after);
    run.end();
}

// A one-column window without a title bar on "6.1" with a horizontal tray (visual styles
// off) keeps its height however often the count changes, and its bottom on the monitor.
TEST(Fit, OneColumnWithoutTitleBarKeepsItsHeight)
{
    RegistrySwitch classic(kThemePath, "ThemeActive", "0");
    Running run("6.1", "win7", std::string("[Window]\r\nTitle=0\r\nWidth=46\r\nHeight=200\r\n") + kNoEdges);
    ASSERT_TRUE(run.started());
    HWND main = run.main();
    ASSERT_EQ(run.number("titleBarShown"), 0);
    ASSERT_LE(Width(RectOf(main)), run.number("minWidth") + 4) << "one column";
    const int height = Height(RectOf(main));
    ASSERT_GT(height, run.number("minHeight") + 4) << "not also a row";
    // Put partly below the monitor's bottom, the fit pulls it back onto the monitor.
    const RECT r = RectOf(main);
    const int monitorBottom = MonitorOf(POINT{r.left, r.top}, false).bottom;
    SetWindowPos(main, nullptr, r.left, monitorBottom + 30 - height, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return RectOf(main).bottom == monitorBottom + 30; }, 3000));
    const char* const changes[] = {"add 7 seven", "hide 7", "show 7", "hide 7", "show 7",
                                   "add 8 eight", "hide 8", "remove 7", "show 8", "remove 8"};
    for (const char* change : changes) {
        ASSERT_TRUE(run.changeIcons(change)) << change;
        EXPECT_EQ(Height(RectOf(main)), height) << change;
        EXPECT_EQ(RectOf(main).bottom, monitorBottom) << change;
    }
    run.end();
}

class EdgeSensing : public WatchModes {};
INSTANTIATE_TEST_SUITE_P(Modes, EdgeSensing, ::testing::Bool(), WatchModeName);
// The pointer at a chosen edge reveals a hidden window: the top edge is the row y = 0
// alone, the right edge the last two columns of the work area. With "Hide" checked the
// reveal goes through the show/hide hotkey's own handling, even with no hotkey assigned.
TEST_P(EdgeSensing, EdgesRevealTheHiddenWindow)
{
    for (bool hideOption : {false, true}) {
        SCOPED_TRACE(hideOption ? "Hide checked" : "Hide clear");
        MoveCursor(640, 400);
        Running run("6.1", "win7",
                    std::string("[Target]\r\nTop=1\r\nDown=0\r\nLeft=0\r\nRight=1\r\nKey=0\r\n[Config]\r\nHotKey=0\r\n") +
                        "[Window]\r\nHide=" + (hideOption ? "1" : "0") + "\r\n");
        ASSERT_TRUE(run.started());
        HWND main = run.main();
        const int right = MonitorOf(POINT{640, 400}, true).right;
        struct Spot {
            int x, y;
            bool reveals;
        };
        const Spot spots[] = {
            {640, 1, false}, {640, 0, true}, {right - 3, 400, false}, {right - 2, 400, true}, {right - 1, 400, true},
        };
        for (const Spot& spot : spots) {
            SCOPED_TRACE("pointer at " + std::to_string(spot.x) + "," + std::to_string(spot.y));
            MoveCursor(640, 400);
            ASSERT_TRUE(run.hide());
            MoveCursor(spot.x, spot.y);
            if (spot.reveals) {
                EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main); }, 5000));
                EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }, 3000));
                // The reveal's activation settles before the window is hidden again.
                ASSERT_TRUE(run.waitCycles(2));
            } else {
                // A hidden window is not asked to hide again: the main thread sleeps.
                ASSERT_TRUE(run.waitCycles(1));
                const int hideRequests = run.number("hideRequests");
                ASSERT_TRUE(run.waitCycles(2));
                EXPECT_FALSE(IsWindowVisible(main));
                EXPECT_EQ(run.number("hideRequests"), hideRequests);
            }
        }
        if (hideOption) {
            EXPECT_GE(run.number("revealHotkeys"), 3);
        } else {
            EXPECT_EQ(run.number("revealHotkeys"), 0);
        }
        run.end();
    }
}

// The system-wide value as it stands now. Wine keeps a value set for the session under its
// own key and each process caches what it read first, so the key is read itself.
DWORD ForegroundLockTimeout()
{
    DWORD value = 0, size = sizeof value;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Temporary System Parameters\\Control Panel\\Desktop", 0,
                      KEY_READ, &key) == ERROR_SUCCESS) {
        RegQueryValueExA(key, "ForegroundLockTimeout", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
    }
    return value;
}

// The foreground-lock time-out is the user's system-wide setting, zero only for the moment
// of a switch. Switches on two threads at once (each held open for a while by a test
// switch, so that they overlap for certain): a click on the clock, left or right, hands the
// foreground over on the pointer watcher while a press on the frame does on the main
// thread. During the burst the time-out is zero; after it, the user's value is back.
TEST(Foreground, TheUsersLockTimeOutComesBack)
{
    const DWORD before = ForegroundLockTimeout();
    const DWORD users = 54321;
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(users), 0);
    MoveCursor(640, 400);
    SetEnvironmentVariableA("VELTRIN_TEST_HOLD_FOREGROUND", "1");
    Running run("6.1", "win7", kNoEdges);
    SetEnvironmentVariableA("VELTRIN_TEST_HOLD_FOREGROUND", nullptr);
    ASSERT_TRUE(run.started());
    RecordingWindow elsewhere(200, 100, true);
    for (MouseButton button : {MouseButton::Left, MouseButton::Right}) {
        SCOPED_TRACE(button == MouseButton::Left ? "left click" : "right click");
        SetForegroundWindow(elsewhere.hwnd());
        ASSERT_TRUE(WaitForSteadyForeground());
        const RECT frame = RectOf(run.main());
        Click(Centre(RectOf(FindChild(run.standIn.notifyArea(), "TrayClockWClass"))), button);
        ASSERT_TRUE(WaitUntil([] { return ForegroundLockTimeout() == 0; }, 1000, 5)) << "no switch on the pointer watcher";
        // Held until the main thread's switch is over and its size loop has taken the press.
        MoveCursor((frame.left + frame.right) / 2, frame.bottom - 2);
        PressButton();
        Pause(600);
        ReleaseButton();
        EXPECT_TRUE(WaitUntil([&] { return ForegroundLockTimeout() == users; }, 5000))
            << "left at " << ForegroundLockTimeout();
        MoveCursor(640, 400);
        run.standIn.command("flyout close");
    }
    run.end();
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(before)), 0);
}

// With Key = 33 the edges count only while Shift and Ctrl are held; Alt alone does nothing.
// A sum that names no set of keys (19) senses nothing at all.
TEST_P(EdgeSensing, ModifierKeys)
{
    const std::string edges = "[Target]\r\nTop=1\r\nDown=0\r\nLeft=0\r\nRight=0\r\nKey=";
    {
        MoveCursor(640, 400);
        Running run("6.1", "win7", edges + "33\r\n");
        ASSERT_TRUE(run.started());
        ASSERT_TRUE(run.hide());
        MoveCursor(640, 0);
        ASSERT_TRUE(run.waitCycles(3));
        EXPECT_FALSE(IsWindowVisible(run.main())) << "no key held";
        {
            HeldKeys alt({VK_MENU});
            ASSERT_TRUE(run.waitCycles(3));
            EXPECT_FALSE(IsWindowVisible(run.main())) << "Alt alone";
        }
        {
            HeldKeys shiftAndCtrl({VK_SHIFT, VK_CONTROL});
            EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(run.main()); }, 5000)) << "Shift and Ctrl";
        }
        run.end();
    }
    {
        MoveCursor(640, 400);
        Running run("6.1", "win7", edges + "19\r\n");
        ASSERT_TRUE(run.started());
        ASSERT_TRUE(run.hide());
        MoveCursor(640, 0);
        {
            HeldKeys all({VK_SHIFT, VK_CONTROL, VK_MENU});
            ASSERT_TRUE(run.waitCycles(3));
            EXPECT_FALSE(IsWindowVisible(run.main()));
        }
        run.end();
    }
}

// A collapsed taskbar (a 2-pixel client area): the cycles go on but leave everything alone
// (the band area stays, an icon change is neither counted nor fitted) until it is whole.
TEST(TaskbarUpkeep, CollapsedTaskbarIsLeftAlone)
{
    Running run("6.1", "win7", kNoEdges);
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(run.waitCycles(2));
    const int fits = run.number("fits");
    const int count = run.number("visibleIconCount");
    ASSERT_EQ(run.standIn.command("collapse on"), 1);
    RECT client{};
    GetClientRect(run.standIn.taskbar(), &client);
    ASSERT_EQ(Height(client), 2);
    const size_t mark = run.standIn.journalMark();
    ASSERT_EQ(run.standIn.command("add 7 seven"), 1);
    ASSERT_TRUE(run.waitCycles(4)) << "the thread keeps its rhythm";
    EXPECT_TRUE(run.standIn.entries("ReBarWindow32", "moved", mark).empty());
    EXPECT_EQ(run.number("fits"), fits);
    EXPECT_EQ(run.number("visibleIconCount"), count);

    ASSERT_EQ(run.standIn.command("collapse off"), 1);
    EXPECT_TRUE(WaitUntil([&] { return run.number("fits") == fits + 1; }, 10000, 100));
    EXPECT_EQ(run.number("visibleIconCount"), count + 1);
    run.end();
}

// Visual styles off and "Flat" checked: the static edge that the taskbar puts back on the
// notification area is taken off again, and put back at the end. With visual styles on the
// box is disabled and the edge stays.
TEST(TaskbarUpkeep, FlatLook)
{
    for (bool themed : {false, true}) {
        SCOPED_TRACE(themed ? "visual styles" : "classic");
        RegistrySwitch styles(kThemePath, "ThemeActive", themed ? "1" : "0");
        Running run("6.1", "win7", std::string("[Window]\r\nFlat=1\r\n") + kNoEdges);
        ASSERT_TRUE(run.started());
        HWND options = FindTopLevel("VeltOption", run.program.processId());
        HWND box = FindChild(options, "Button", "タスクトレイをフラットにする");
        ASSERT_NE(box, nullptr);
        HWND notifyArea = run.standIn.notifyArea();
        auto edged = [&] { return (GetWindowLongA(notifyArea, GWL_EXSTYLE) & WS_EX_STATICEDGE) != 0; };
        ASSERT_EQ(run.standIn.command("staticedge"), 1);
        if (themed) {
            ASSERT_TRUE(run.waitCycles(3));
            EXPECT_TRUE(edged());
            EXPECT_FALSE(IsWindowEnabled(box));
        } else {
            EXPECT_TRUE(WaitUntil([&] { return !edged(); }, 5000));
            EXPECT_TRUE(IsWindowEnabled(box));
        }
        // The display has more than 256 colours: the opacity trackbar stays enabled.
        EXPECT_TRUE(IsWindowEnabled(FindChild(options, "msctls_trackbar32")));
        run.end();
        EXPECT_TRUE(edged()) << "the taskbar gets its notification area back with the static edge";
    }
}

class TaskbarBand : public WatchModes {};
INSTANTIATE_TEST_SUITE_P(Modes, TaskbarBand, ::testing::Bool(), WatchModeName);
// The band area is stretched over the room the notification area left, again after the
// taskbar moved it; on "6.1" the show-desktop button is kept at the far end of the
// notification area. The quiet watch reads the icon toolbar's buttons at most every other
// pass while their count stays.
TEST_P(TaskbarBand, BandAreaAndShowDesktopButton)
{
    Running run("6.1", "win7", kNoEdges);
    ASSERT_TRUE(run.started());
    HWND taskbar = run.standIn.taskbar();
    HWND rebar = run.standIn.find("ReBarWindow32");
    RECT client{};
    GetClientRect(taskbar, &client);
    auto bandInTaskbar = [&] {
        RECT r = RectOf(rebar);
        MapWindowPoints(nullptr, taskbar, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    // The taskbar journals a move a moment after the band can be seen in its place.
    std::vector<JournalEntry> moves;
    EXPECT_TRUE(WaitUntil(
        [&] {
            moves = run.standIn.entries("ReBarWindow32", "moved");
            return !moves.empty() && moves.back().number("x") + moves.back().number("w") == client.right &&
                   moves.back().number("h") == Height(client);
        },
        5000));
    ASSERT_FALSE(moves.empty());
    const RECT band = bandInTaskbar();
    EXPECT_EQ(moves.back().number("x"), band.left);
    EXPECT_EQ(band.right, client.right);
    EXPECT_EQ(Height(band), Height(client));
    // Every pass asks the count once; the program's report, which reads the buttons too, is
    // not asked meanwhile.
    const size_t idle = run.standIn.journalMark();
    ASSERT_TRUE(MoveWindow(rebar, band.left, band.top, Width(band) / 2, Height(band), TRUE));
    EXPECT_TRUE(WaitUntil([&] { const RECT now = bandInTaskbar(); return EqualRect(&band, &now) != FALSE; }, 5000));
    ASSERT_TRUE(WaitUntil([&] { return run.standIn.entries("ToolbarWindow32", "TB_BUTTONCOUNT", idle).size() >= 8; },
                          15000, 100));
    // From one look at the journal: the last pass's reading may be under way, and the first
    // reading may follow a count made just before the mark.
    int counts = 0, readings = 0;
    for (const std::string& line : run.standIn.journalSince(idle)) {
        const JournalEntry e = ParseJournalLine(line);
        counts += e.event == "TB_BUTTONCOUNT";
        readings += e.event == "TB_GETBUTTON" && e.number("index") == 0;
    }
    EXPECT_TRUE(GetParam() ? 2 * readings <= counts + 2 : readings + 1 >= counts && readings <= counts + 1)
        << readings << " of " << counts;

    HWND main = run.main();
    HWND button = run.standIn.find("TrayShowDesktopButtonWClass");
    auto farEnd = [&] {
        RECT c{};
        GetClientRect(main, &c);
        POINT corner{c.right, c.top};
        ClientToScreen(main, &corner);
        return corner;
    };
    auto pinned = [&] { return RectOf(button).right == farEnd().x && RectOf(button).top == farEnd().y; };
    RECT r = RectOf(main);
    SetWindowPos(main, nullptr, 0, 0, Width(r) + 80, Height(r), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil(pinned, 5000)) << "after the resize";
    // Put somewhere else by someone else, it goes back to the end.
    const RECT b = RectOf(button);
    ASSERT_TRUE(MoveWindow(button, 10, 0, Width(b), Height(b), TRUE));
    EXPECT_TRUE(WaitUntil(pinned, 5000));
    run.end();
    // Every block the buttons were read into was freed again. The program's own count says
    // so: once freed, the address may hold the taskbar's own memory by now.
    EXPECT_EQ(run.program.endingReport()["remoteBlocksLeft"], "0");
}

}  // namespace
