// Stories of the main window in use: clicks that must not activate it, the right click
// handed to the taskbar, moving and sizing by the frame, the popup menu, help, the title bar
// switch with the program's own icon, and snapping to the screen's edges.
#include <gtest/gtest.h>

#include "harness.h"
#include "program.h"

using namespace e2e;

namespace {

constexpr UINT kCommandHelp = 25;
constexpr UINT kCommandOptions = 24;
constexpr UINT kCommandVersion = 26;

// Holds Shift on the X server itself while it lives. A modifier injected with SendInput alone
// does not last under Wine: when the focus moves, Wine takes the modifiers' state from the X
// server again, which never saw the key. X gives the key to its focus window, which after
// another program's popup went may be the root window, heard by no Wine process; so X's
// focus follows the pointer, put at `at` on a window of Wine (PointerRoot, 1; a Wine window
// given the focus by X itself would take it as activated, and its moves would differ).
class HeldShift {
public:
    explicit HeldShift(POINT at)
    {
        MoveCursor(at.x, at.y);
        xdotool("windowfocus 1 keydown Shift_L");
    }
    ~HeldShift() { xdotool("keyup Shift_L"); }

private:
    static void xdotool(const std::string& arguments)
    {
        PROCESS_INFORMATION info{};
        if (StartProcess("", "Z:\\usr\\bin\\xdotool " + arguments, 0, "", info)) {
            WaitForSingleObject(info.hProcess, 5000);
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
        Pause(100);
    }
};

// Presses at `from`, moves to `to` in a few steps and releases, as a hand does.
void Drag(POINT from, POINT to)
{
    MoveCursor(from.x, from.y);
    Pause(100);
    PressButton();
    Pause(150);
    // Under load the system's move or size loop may take the press late; moves before it
    // would be lost, and a release before it ends the loop unmoved.
    WaitUntil(
        [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            HWND under = WindowFromPoint(from);
            return under && GetGUIThreadInfo(GetWindowThreadProcessId(under, nullptr), &info) &&
                   (info.flags & GUI_INMOVESIZE);
        },
        2000);
    for (int step = 1; step <= 5; ++step) {
        MoveCursor(from.x + (to.x - from.x) * step / 5, from.y + (to.y - from.y) * step / 5);
        Pause(60);
    }
    ReleaseButton();
    Pause(300);
}

POINT CaptionPoint(HWND window)
{
    RECT r = RectOf(window);
    return POINT{r.left + 40, r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
}



struct Running {
    StandIn standIn;
    Program program;
    Running(const char* flavour, const char* version, const std::string& ini = "")
        : standIn(flavour), program(version)
    {
        if (!ini.empty()) program.writeIni(ini);
        program.start();
    }
    bool started() { return program.waitStarted(standIn) == StartOutcome::captured; }
    HWND main() const { return program.mainWindow(); }
    void end()
    {
        program.endAsUser();
        EXPECT_TRUE(program.waitExit(15000));
    }
};

// A left click in the client area leaves the active window active; a right click on the
// hidden-icons button reaches the taskbar as a right-button release at the pointer's place.
TEST(MainWindow, ClicksInTheClientAreaAndTheRightClickForTheTaskbar)
{
    Running run("6.1", "win7");
    ASSERT_TRUE(run.started());
    RecordingWindow other(200, 120, true);
    SetForegroundWindow(other.hwnd());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other.hwnd(); }, 3000));

    HWND notifyArea = run.standIn.notifyArea();
    POINT clock = Centre(RectOf(FindChild(notifyArea, "TrayClockWClass")));
    ClickAt(clock.x, clock.y);
    Pause(400);
    EXPECT_NE(GetForegroundWindow(), run.main());

    POINT button = Centre(RectOf(FindChild(notifyArea, "Button")));
    size_t mark = run.standIn.journalMark();
    ClickAt(button.x, button.y, MouseButton::Right);
    ASSERT_TRUE(run.standIn.waitForJournal("WM_RBUTTONUP", 3000, mark));
    auto ups = run.standIn.entries("Shell_TrayWnd", "WM_RBUTTONUP", mark);
    ASSERT_EQ(ups.size(), 1u);
    POINT expected = button;
    ScreenToClient(run.standIn.taskbar(), &expected);
    EXPECT_EQ(ups[0].number("x"), expected.x);
    EXPECT_EQ(ups[0].number("y"), expected.y);
    run.end();
}

// Without a title bar, Shift and a drag on the frame moves the window; with the title bar
// the same gesture sizes it as usual.
TEST(MainWindow, ShiftDragOnTheFrameMovesOnlyWithoutTitleBar)
{
    for (bool titleShown : {false, true}) {
        SCOPED_TRACE(titleShown ? "title bar shown" : "title bar hidden");
        Running run("6.1", "win7", std::string("[Window]\r\nTitle=") + (titleShown ? "1" : "0") + "\r\n");
        ASSERT_TRUE(run.started());
        RECT before = RectOf(run.main());
        POINT leftFrame{before.left + 1, (before.top + before.bottom) / 2};
        ASSERT_TRUE(WaitForSteadyForeground());
        {
            HeldShift shift(leftFrame);
            ASSERT_TRUE(WaitUntil([] { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }, 3000));
            Drag(leftFrame, POINT{leftFrame.x - 60, leftFrame.y - 40});
        }
        // Under load the last move may come after the release.
        WaitUntil([&] { return RectOf(run.main()).left == before.left - 60; }, 3000);
        RECT after = RectOf(run.main());
        if (titleShown) {
            EXPECT_EQ(after.right, before.right);
            EXPECT_EQ(after.top, before.top);
            EXPECT_EQ(after.left, before.left - 60);
        } else {
            EXPECT_EQ(after.left, before.left - 60);
            EXPECT_EQ(after.top, before.top - 40);
            EXPECT_EQ(after.right - after.left, before.right - before.left);
            EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
        }
        run.end();
    }
}

// A right click on the caption opens the popup menu with its six entries, not while the
// options window is open; "exit" chosen from it ends the program through the restoration.
TEST(PopupMenu, OpensOnTheCaptionAndEndsTheProgram)
{
    Running run("6.1", "win7");
    ASSERT_TRUE(run.started());
    EXPECT_EQ(run.program.report()["menu"], "24:オプション|27:|25:ヘルプ|26:バージョン情報|27:|23:終了");
    DWORD pid = run.program.processId();

    POINT caption = CaptionPoint(run.main());
    ClickAt(caption.x, caption.y, MouseButton::Right);
    HWND menu = WaitForTopLevel("#32768", pid, 3000);
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(menu); }, 3000));
    KeyChord({VK_ESCAPE});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, 3000));

    // While the options or the version window is open the menu is not offered.
    for (auto secondary : {std::make_pair(kCommandOptions, "VeltOption"), std::make_pair(kCommandVersion, "VeltVerWnd")}) {
        SCOPED_TRACE(secondary.second);
        // It opens near the pointer: far from the caption, so that the click lands there.
        MoveCursor(60, 60);
        PostMessageA(run.main(), WM_COMMAND, secondary.first, 0);
        HWND window = WaitForTopLevel(secondary.second, pid, 3000);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window); }, 3000));
        RECT placed = RectOf(window);
        // Under load the program may still read the pointer's earlier place; the window is
        // then put aside by hand, as a user would drag it.
        if (PtInRect(&placed, caption)) SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        placed = RectOf(window);
        ASSERT_FALSE(PtInRect(&placed, caption));
        EXPECT_EQ(WindowFromPoint(caption), run.main());
        ClickAt(caption.x, caption.y, MouseButton::Right);
        Pause(700);
        HWND none = FindTopLevel("#32768", pid);
        EXPECT_TRUE(!none || !IsWindowVisible(none));
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, 3000));
    }

    ClickAt(caption.x, caption.y, MouseButton::Right);
    menu = WaitForTopLevel("#32768", pid, 3000);
    ASSERT_TRUE(WaitUntil([&] { return menu && IsWindowVisible(menu); }, 3000));
    KeyChord({VK_UP});      // the last entry: exit
    KeyChord({VK_RETURN});
    ASSERT_TRUE(run.program.waitExit(15000));
    EXPECT_EQ(ParentOf(run.standIn.notifyArea()), run.standIn.taskbar());
    EXPECT_TRUE(run.program.iniExists());
}

// Without a title bar the program's own icon carries the menu: a right click on it opens it.
TEST(PopupMenu, OpensOnTheOwnIconWithoutTitleBar)
{
    // Wide enough for every icon in one row.
    Running run("6.1", "win7", "[Window]\r\nTitle=0\r\nWidth=400\r\nHeight=60\r\n");
    ASSERT_TRUE(run.started());
    HWND toolbar = FindChild(FindChild(run.standIn.notifyArea(), "SysPager"), "ToolbarWindow32");
    int last = static_cast<int>(ReadToolbarButtons(toolbar).size()) - 1;
    RECT icon{};
    ASSERT_TRUE(ToolbarButtonRect(toolbar, last, icon));
    POINT at = Centre(icon);
    size_t mark = run.standIn.journalMark();
    ClickAt(at.x, at.y, MouseButton::Right);
    ASSERT_TRUE(run.standIn.waitForJournal("mouse=WM_RBUTTONUP", 3000, mark));
    HWND menu = WaitForTopLevel("#32768", run.program.processId(), 3000);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(menu); }, 3000));
    // Escape closes it. Posted to the menu: under Wine the keyboard focus may stay with the
    // test, since the click that opened the menu went to the taskbar's process.
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(menu) || !IsWindowVisible(menu); }, 3000));
    run.end();
}

// Help: with help.txt beside the program, "No" opens the file and "Yes" the web page;
// without it, the web page opens after an information box.
TEST(Help, OpensTheLocalFileOrTheWebPage)
{
    struct Case {
        bool helpFile;
        int answer;
        const char* text;
        const char* opened;
    } cases[] = {
        {true, IDNO, "help.txtがありますが\r\nWeb上のヘルプファイルを表示しますか？", "help.txt"},
        {true, IDYES, "help.txtがありますが\r\nWeb上のヘルプファイルを表示しますか？", "velthelp.html"},
        {false, IDOK, "help.txtが見つからなかったので\r\nWeb上のヘルプファイルを表示します。", "velthelp.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opened);
        Running run("6.1", "win7");
        if (c.helpFile) {
            // The help.txt that the build puts beside the program, as it ships.
            ASSERT_TRUE(CopyFileA((BinDir() + "\\help.txt").c_str(), (run.program.folder() + "\\help.txt").c_str(), FALSE));
        }
        ASSERT_TRUE(run.started());
        PostMessageA(run.main(), WM_COMMAND, kCommandHelp, 0);
        ASSERT_TRUE(WaitUntil([&] { return run.program.messageBox() != nullptr; }, 5000));
        EXPECT_EQ(run.program.messageBoxText(), c.text);
        EXPECT_EQ(TextOf(run.program.messageBox()), "ヴェルトリン Ver.1.4.8.3");
        run.program.pressMessageBoxButton(c.answer);
        JournalReader opened(run.program.openerJournal());
        ASSERT_TRUE(opened.waitFor([](const std::string& line) { return line.find("\topen\t") != std::string::npos; },
                                   10000));
        const std::string& line = opened.lines()[0];
        EXPECT_NE(line.find(c.opened), std::string::npos) << line;
        if (std::string(c.opened) == "help.txt") {
            EXPECT_NE(line.find(run.program.folder()), std::string::npos) << line;
        }
        run.end();
    }
}

// The second hotkey switches the title bar: hidden, the program's own icon is there exactly
// once; shown again, it is gone; the setting follows, even when a reader holds the file
// open at that moment. A window at its minimum height that gets its title bar back grows
// upward by the caption and keeps its bottom edge.
TEST(TitleBar, HotkeySwitchesItWithTheOwnIcon)
{
    RegistrySwitch classic(kThemePath, "ThemeActive", "0");
    Running run("6.1", "win7");
    ASSERT_TRUE(run.started());
    HWND main = run.main();
    size_t mark = run.standIn.journalMark();

    ASSERT_TRUE(WaitForSteadyForeground());
    KeyChord({VK_CONTROL, VK_MENU, 'T'});
    ASSERT_TRUE(WaitUntil([&] { return (GetWindowLongA(main, GWL_STYLE) & WS_CAPTION) == 0; }, 3000));
    ASSERT_TRUE(run.standIn.waitForJournal("NIM_ADD", 3000, mark));
    auto added = run.standIn.entries("Shell_TrayWnd", "NIM_ADD", mark);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].param("tip"), "ヴェルトリン");
    EXPECT_TRUE(WaitUntil([&] { return run.program.readIni().find("Title=0") != std::string::npos; }, 3000));

    // At the minimum height for a window without title bar.
    auto report = run.program.report();
    int minHeight = std::stoi(report["minHeight"]);
    int caption = GetSystemMetrics(SM_CYCAPTION);
    RECT r = RectOf(main);
    SetWindowPos(main, nullptr, r.left, r.top, r.right - r.left, minHeight - caption, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return RectOf(main).bottom - RectOf(main).top == minHeight - caption; }, 3000));
    RECT low = RectOf(main);

    HANDLE reader = OpenShared(run.program.iniPath());
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    KeyChord({VK_CONTROL, VK_MENU, 'T'});
    ASSERT_TRUE(WaitUntil([&] { return (GetWindowLongA(main, GWL_STYLE) & WS_CAPTION) == WS_CAPTION; }, 3000));
    ASSERT_TRUE(run.standIn.waitForJournal("NIM_DELETE", 3000, mark));
    Pause(300);
    CloseHandle(reader);
    EXPECT_EQ(run.standIn.entries("Shell_TrayWnd", "NIM_ADD", mark).size(), 1u);
    EXPECT_EQ(run.standIn.entries("Shell_TrayWnd", "NIM_DELETE", mark).size(), 1u);
    EXPECT_TRUE(WaitUntil([&] { return run.program.readIni().find("Title=1") != std::string::npos; }, 3000));
    RECT grown = RectOf(main);
    EXPECT_EQ(grown.bottom, low.bottom);
    EXPECT_EQ(grown.top, low.top - caption);

    // The window hidden at once after the title bar: the fit that the own icon brings along
    // must not show it again two tray-watch cycles later.
    KeyChord({VK_CONTROL, VK_MENU, 'T'});
    KeyChord({VK_CONTROL, VK_SHIFT, 'A'});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 3000));
    const auto cycles = [&] { return std::stoi(run.program.report()["trayWatchCycles"]); };
    const int hiddenAt = cycles();
    ASSERT_TRUE(WaitUntil([&] { return cycles() >= hiddenAt + 2; }, 10000, 100));
    EXPECT_FALSE(IsWindowVisible(main)) << "a hide asked for right after the title bar's switch was undone";
    run.end();
}

// Dragged near the screen's edges, the window snaps onto them (with full-window dragging).
TEST(Geometry, DraggedWindowSnapsToTheScreenEdges)
{
    RegistrySwitch fullDrag(kDesktopPath, "DragFullWindows", "1");
    Running run("6.1", "win7");
    ASSERT_TRUE(run.started());
    HWND main = run.main();
    RECT r = RectOf(main);
    POINT caption = CaptionPoint(main);
    // Left edge to x = 8 and top to y = 5: both within reach of the screen's origin.
    Drag(caption, POINT{caption.x - (r.left - 8), caption.y - (r.top - 5)});
    RECT snapped = RectOf(main);
    EXPECT_EQ(snapped.left, 0);
    EXPECT_EQ(snapped.top, 0);

    // Right edge 12 pixels beyond the screen's right edge snaps back inside.
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    caption = CaptionPoint(main);
    Drag(caption, POINT{caption.x + (screenWidth + 12 - snapped.right), caption.y + 100});
    RECT right = RectOf(main);
    EXPECT_EQ(right.right, screenWidth);
    EXPECT_EQ(right.top, 100);
    run.end();
}

struct MinimumCase {
    const char* flavour;
    const char* version;
    const char* themeActive;
    int width;   // without the hidden-icons button's share
    int height;
};

class MinimumSize : public ::testing::TestWithParam<MinimumCase> {};

// Sizing the window down by its corner stops at the minimum of the flavour's table (the
// taskbar lies along the bottom edge here); the automatic fit keeps that size.
TEST_P(MinimumSize, SizingStopsAtTheFlavoursMinimum)
{
    const MinimumCase c = GetParam();
    RegistrySwitch theme(kThemePath, "ThemeActive", c.themeActive);
    Running run(c.flavour, c.version);
    ASSERT_TRUE(run.started());
    int width = c.width;
    HWND button = FindChild(run.standIn.notifyArea(), "Button");
    if (std::string(c.themeActive) == "0" && std::string(c.flavour) >= "5.1" && button && IsWindowVisible(button)) {
        RECT b = RectOf(button);
        width += std::min(b.right - b.left, b.bottom - b.top);
    }
    RECT r = RectOf(run.main());
    Drag(POINT{r.right - 2, r.bottom - 2}, POINT{r.left + 5, r.top + 5});
    RECT after = RectOf(run.main());
    EXPECT_EQ(after.right - after.left, width);
    EXPECT_EQ(after.bottom - after.top, c.height);
    // A new icon refits the window, which keeps its minimum size.
    auto count = [&](const char* key) { return std::stoi(run.program.report()[key]); };
    const int fits = count("fits");
    ASSERT_EQ(run.standIn.command("add 7 seven"), 1);
    ASSERT_TRUE(WaitUntil([&] { return count("fits") > fits; }, 10000, 100));
    const int cycles = count("trayWatchCycles");
    ASSERT_TRUE(WaitUntil([&] { return count("trayWatchCycles") >= cycles + 2; }, 10000, 100));
    const RECT refitted = RectOf(run.main());
    EXPECT_TRUE(EqualRect(&after, &refitted)) << refitted.right - refitted.left << "x" << refitted.bottom - refitted.top;
    run.end();
}

INSTANTIATE_TEST_SUITE_P(Flavours, MinimumSize,
                         ::testing::Values(MinimumCase{"6.1", "win7", "1", 80, 65}, MinimumCase{"6.1", "win7", "0", 44, 50},
                                           MinimumCase{"6.0", "vista", "1", 85, 63}, MinimumCase{"6.0", "vista", "0", 60, 56},
                                           MinimumCase{"5.1", "winxp", "0", 44, 56}, MinimumCase{"5.0", "win2k", "1", 45, 63},
                                           MinimumCase{"5.0", "win2k", "0", 40, 56}),
                         [](const ::testing::TestParamInfo<MinimumCase>& param) {
                             std::string name = std::string("v") + param.param.flavour + (param.param.themeActive[0] == '1' ? "_themed" : "_classic");
                             for (char& ch : name) if (ch == '.') ch = '_';
                             return name;
                         });

}  // namespace
