// Start-up stories: which taskbar windows the program finds for each flavour, how it counts
// the visible icons, its caption and fonts, and what a second copy does.
#include <gtest/gtest.h>

#include <cstdio>

#include "day_record.h"
#include "harness.h"
#include "program.h"

using namespace e2e;

namespace {

struct FlavourCase {
    const char* flavour;
    const char* reportedVersion;
};

// "6.0" runs on a system that reports 7, so that only its system toolbar's caption tells it;
// "10" on Windows 10, which tells an exe without a manifest 6.2.
const FlavourCase kFlavours[] = {
    {"4.0", "win95"}, {"4.10", "win98"}, {"4.20", "nt40"}, {"4.90", "winme"}, {"5.0", "win2k"},
    {"5.1", "winxp"}, {"5.2", "win2003"}, {"6.0", "win7"}, {"6.1", "win7"}, {"6.2", "win8"}, {"10", "win10"},
};

std::string Hex(HWND window)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
    return text;
}

bool IsPagerLayout(const std::string& flavour) { return flavour >= "5.1"; }

class Discovery : public ::testing::TestWithParam<FlavourCase> {};

// Each flavour's taskbar, with the Windows version it comes with: the program finds exactly
// the windows that layout has, and the flavour it derives is that of the taskbar. Then a
// day of use (the clock rested on, clicked and right-clicked, the hotkeys, a second copy,
// the ending) whose journal and windows are compared with the flavour's reviewed data.
TEST_P(Discovery, FindsExactlyTheWindowsOfItsLayout)
{
    const FlavourCase c = GetParam();
    const bool windows10 = std::string(c.flavour) == "10";
    MoveCursor(kAway.x, kAway.y);
    StandIn standIn(c.flavour);
    ASSERT_TRUE(standIn.ready());
    Day day(standIn, c.flavour);
    Program program(c.reportedVersion);
    program.start();
    ASSERT_EQ(program.waitStarted(standIn), StartOutcome::captured);

    auto r = program.report();
    // Windows 10's taskbar is "6.1" by its show-desktop button.
    const std::string flavour = windows10 ? "6.1" : c.flavour;
    EXPECT_EQ(r["flavour"], flavour);
    // Before the taskbar is known only the reported version speaks.
    const std::string atStart = windows10 ? "6.2" : flavour == "6.0" ? "6.1" : flavour;
    EXPECT_EQ(r["flavourAtStart"], atStart);
    EXPECT_EQ(r["windows10"], windows10 ? "1" : "0");

    HWND taskbar = standIn.taskbar();
    HWND notifyArea = standIn.notifyArea();
    EXPECT_EQ(r["taskbar"], Hex(taskbar));
    EXPECT_EQ(r["notifyArea"], Hex(notifyArea));
    EXPECT_EQ(r["clock"], Hex(FindChild(notifyArea, "TrayClockWClass")));
    EXPECT_EQ(r["rebar"], Hex(FindChild(taskbar, "ReBarWindow32")));
    HWND showDesktop = FindChild(notifyArea, "TrayShowDesktopButtonWClass");
    EXPECT_EQ(r["showDesktopButton"], Hex(showDesktop));
    EXPECT_EQ(showDesktop != nullptr, flavour == "6.1" || flavour == "6.2");

    if (IsPagerLayout(flavour)) {
        HWND pager = FindChild(notifyArea, "SysPager");
        HWND toolbar = FindChild(pager, "ToolbarWindow32");
        ASSERT_NE(pager, nullptr);
        EXPECT_EQ(r["hiddenIconsButton"], Hex(FindChild(notifyArea, "Button")));
        EXPECT_EQ(r["pager"], Hex(pager));
        EXPECT_EQ(r["pagerToolbar"], Hex(toolbar));
        EXPECT_EQ(r["iconToolbar"], Hex(toolbar));
        HWND systemPager = FindWindowExA(notifyArea, pager, "SysPager", nullptr);
        EXPECT_EQ(r["systemPager"], Hex(systemPager));
        EXPECT_EQ(systemPager != nullptr, flavour == "6.0");
    } else {
        EXPECT_EQ(r["iconToolbar"], Hex(FindChild(notifyArea, "ToolbarWindow32")));
        EXPECT_EQ(r["hiddenIconsButton"], "0x0");
        EXPECT_EQ(r["pager"], "0x0");
        EXPECT_EQ(r["pagerToolbar"], "0x0");
        EXPECT_EQ(r["systemPager"], "0x0");
    }

    // From 6.0 on the Start button is a top-level window; before, a child of the taskbar.
    HWND topLevelStart = FindWindowA("Button", "スタート");
    HWND start = topLevelStart ? topLevelStart : FindChild(taskbar, "Button");
    // Windows 10's Start is neither.
    ASSERT_EQ(start == nullptr, windows10);
    EXPECT_EQ(r["startButton"], Hex(start));
    EXPECT_EQ(topLevelStart != nullptr, flavour >= "6.0" && !windows10);

    // The sets built on the flavour.
    EXPECT_EQ(r["win9x"], flavour == "4.0" || flavour == "4.10" || flavour == "4.90" ? "1" : "0");
    EXPECT_EQ(r["version51To62"], IsPagerLayout(flavour) ? "1" : "0");
    EXPECT_EQ(r["version50To62"], flavour >= "5.0" ? "1" : "0");

    // Caption and fonts: Meiryo 16 on 6.0 and 6.1, MS UI Gothic 12 elsewhere; the link font
    // is the same face underlined.
    EXPECT_EQ(TextOf(program.mainWindow()), "ヴェルトリン Ver.1.4.8.3");
    bool meiryo = atStart == "6.1";
    EXPECT_EQ(r["uiFontFace"], meiryo ? "メイリオ" : "MS UI Gothic");
    EXPECT_EQ(r["uiFontHeight"], meiryo ? "16" : "12");
    EXPECT_EQ(r["uiFontCharset"], "128");
    EXPECT_EQ(r["uiFontUnderline"], "0");
    EXPECT_EQ(r["linkFontFace"], r["uiFontFace"]);
    EXPECT_EQ(r["linkFontUnderline"], "1");

    const DWORD pid = program.processId();
    day.moment("start", pid);
    const POINT clock = Centre(RectOf(FindChild(notifyArea, "TrayClockWClass")));
    const size_t rest = standIn.journalMark();
    MoveCursor(clock.x, clock.y);
    // The taskbar's tooltip is asked for, or the program's own shows, or Windows 10's clock's own.
    EXPECT_TRUE(WaitUntil([&] {
        HWND tip = FindTopLevel("VeltClockTip", pid);
        return (tip && IsWindowVisible(tip)) ||
               standIn.waitForJournal(windows10 ? "\ttooltips_class32\tshown\t" : "WM_USER+103\twParam=1", 0, rest);
    }, 5000));
    day.moment("clock rest", pid);
    // Each click is followed by the pointer leaving, before the next tooltip is due; on Windows
    // 10 once the watcher has seen the release, so that the single-click timer runs.
    const size_t click = standIn.journalMark();
    Click(clock);
    bool released = false;
    EXPECT_TRUE(!windows10 || standIn.waitForJournal([&](const std::string& line) {
        released = released || line.find("\tWM_LBUTTONUP\t") != std::string::npos;
        return released && line.find("\tWM_USER+104\twParam=2") != std::string::npos;
    }, 3000, click));
    MoveCursor(kAway.x, kAway.y);
    day.settle();
    standIn.command(windows10 ? "calendar close" : "flyout close");
    day.moment("clock click", pid);
    Click(clock, MouseButton::Right);
    EXPECT_TRUE(standIn.waitForJournal("WM_RBUTTONUP", 3000, rest));
    MoveCursor(kAway.x, kAway.y);
    day.moment("clock right click", pid);

    // The title bar's and the window's hotkeys there and back, and the overflow's.
    const auto chord = [](const std::vector<WORD>& keys, const std::function<bool()>& done) {
        EXPECT_TRUE(WaitForSteadyForeground());
        KeyChord(keys);
        EXPECT_TRUE(WaitUntil(done, 5000));
    };
    const auto captioned = [&] { return (GetWindowLongA(program.mainWindow(), GWL_STYLE) & WS_CAPTION) != 0; };
    const auto shown = [&] { return IsWindowVisible(program.mainWindow()) != FALSE; };
    const std::string fits = program.report()["fits"];
    chord({VK_CONTROL, VK_MENU, 'T'}, [&] { return !captioned(); });
    // Its own icon makes the tray watch fit (and so show) the window: waited for before the hide.
    EXPECT_TRUE(r["version50To62"] != "1" || WaitUntil([&] { return program.report()["fits"] != fits; }, 5000));
    chord({VK_CONTROL, VK_SHIFT, 'A'}, [&] { return !shown(); });
    day.moment("hidden without title bar", pid);
    chord({VK_CONTROL, VK_SHIFT, 'A'}, shown);
    chord({VK_CONTROL, VK_MENU, 'T'}, captioned);
    // Once the taskbar has answered the own icon's going: open, on Windows 10 then moved beside.
    day.settle();
    const auto beside = [&] {
        HWND overflow = standIn.find("NotifyIconOverflowWindow");
        return IsWindowVisible(overflow) && RectOf(overflow).top == RectOf(program.mainWindow()).bottom;
    };
    chord({VK_MENU, 'D'}, [&] {
        return !IsPagerLayout(flavour) || (standIn.waitForJournal("overflow-open", 0, rest) && (!windows10 || beside()));
    });
    standIn.command("overflow close");
    day.moment("hotkeys", pid);
    // On Windows 10 a new icon or one gone makes the taskbar move the area, and the program put
    // it back: how soon (from the move's line to the area's next size) is printed.
    const auto relayout = [&](const char* command, const std::string& title, DWORD id) {
        const size_t from = standIn.journalMark();
        standIn.command(command);
        day.moment(title, id);
        long long moved = -1, back = -1;
        for (const std::string& line : standIn.journalSince(from)) {
            const JournalEntry e = ParseJournalLine(line);
            if (e.target == "TrayNotifyWnd" && e.event == "relayout") moved = e.tick;
            if (e.target == "TrayNotifyWnd" && e.event == "WM_SIZE" && moved >= 0 && back < 0) back = e.tick;
        }
        std::printf("Windows 10 re-layout put back after %lld ms (%s)\n", back < 0 ? -1 : back - moved, title.c_str());
    };
    if (windows10) {
        Click(Centre(RectOf(FindChild(notifyArea, "Button"))));
        EXPECT_TRUE(WaitUntil(beside, 3000));
        MoveCursor(kAway.x, kAway.y);
        day.moment("overflow by the chevron", pid);
        standIn.command("overflow close");
        relayout("add 80 新しいアイコン", "new icon, usual watch", pid);
    }

    // The first copy's window put aside, so that the second copy's box shows uncovered.
    SetWindowPos(program.mainWindow(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Program second(program, c.reportedVersion);
    quietWatch = windows10;
    second.start();
    quietWatch = false;
    ASSERT_EQ(second.waitStarted(standIn), StartOutcome::refused);
    day.moment("second copy", second.processId());
    second.pressMessageBoxButton(IDOK);
    EXPECT_TRUE(program.waitExit(15000));
    ASSERT_EQ(second.waitStarted(standIn), StartOutcome::captured);
    day.moment("second copy took over", second.processId());
    MoveCursor(kAway.x, kAway.y);
    if (windows10) relayout("remove 80", "icon gone, quiet watch", second.processId());
    second.endAsUser();
    EXPECT_TRUE(second.waitExit(15000));
    day.moment("ending");
    const std::string difference = day.compare();
    EXPECT_TRUE(difference.empty()) << difference;
}

INSTANTIATE_TEST_SUITE_P(EachFlavour, Discovery, ::testing::ValuesIn(kFlavours),
                         [](const ::testing::TestParamInfo<FlavourCase>& param) {
                             std::string name = std::string("v") + param.param.flavour;
                             for (char& ch : name) if (ch == '.') ch = '_';
                             return name;
                         });

// Before the taskbar's windows are known only the reported version speaks; afterwards the
// taskbar outranks it.
TEST(Flavour, ReportedVersionDecidesOnlyUntilTheTaskbarIsKnown)
{
    {
        StandIn standIn("6.1");
        Program program("winxp");
        program.start();
        ASSERT_EQ(program.waitStarted(standIn), StartOutcome::captured);
        auto r = program.report();
        EXPECT_EQ(r["flavourAtStart"], "5.1");
        EXPECT_EQ(r["flavour"], "6.1");
        // The fonts were chosen before discovery, by the reported version.
        EXPECT_EQ(r["uiFontFace"], "MS UI Gothic");
        program.endAsUser();
        EXPECT_TRUE(program.waitExit(15000));
    }
    {
        StandIn standIn("5.1");
        Program program("win2003");
        program.start();
        ASSERT_EQ(program.waitStarted(standIn), StartOutcome::captured);
        auto r = program.report();
        EXPECT_EQ(r["flavourAtStart"], "5.2");
        EXPECT_EQ(r["flavour"], "5.1");
        program.endAsUser();
        EXPECT_TRUE(program.waitExit(15000));
    }
}

// The count reads the toolbar of the taskbar's process: hidden buttons are skipped, and
// changes are seen at the next count.
TEST(VisibleIcons, CountSkipsHiddenButtons)
{
    StandIn standIn("6.1", "--icons 4,0x4");
    Program program("win7");
    program.start();
    ASSERT_EQ(program.waitStarted(standIn), StartOutcome::captured);
    auto r = program.report();
    EXPECT_EQ(r["visibleIconCount"], "3");
    EXPECT_EQ(r["countNow"], "3");

    ASSERT_EQ(standIn.command("add 71 hidden 隠れたアイコン"), 1);
    EXPECT_EQ(program.report()["countNow"], "3");
    ASSERT_EQ(standIn.command("show 71"), 1);
    EXPECT_EQ(program.report()["countNow"], "4");
    ASSERT_EQ(standIn.command("hide 71"), 1);
    ASSERT_EQ(standIn.command("add 72 見えるアイコン"), 1);
    EXPECT_EQ(program.report()["countNow"], "4");
    program.endAsUser();
    EXPECT_TRUE(program.waitExit(15000));
}

TEST(VisibleIcons, EmptyToolbarCountsZeroWithoutAskingForButtons)
{
    StandIn standIn("6.1", "--no-icons");
    size_t mark = standIn.journalMark();
    Program program("win7");
    program.start();
    ASSERT_EQ(program.waitStarted(standIn), StartOutcome::captured);
    auto r = program.report();
    EXPECT_EQ(r["visibleIconCount"], "0");
    EXPECT_EQ(r["countNow"], "0");
    EXPECT_FALSE(standIn.entries("ToolbarWindow32", "TB_BUTTONCOUNT", mark).empty());
    EXPECT_TRUE(standIn.entries("ToolbarWindow32", "TB_GETBUTTON", mark).empty());
    program.endAsUser();
    EXPECT_TRUE(program.waitExit(15000));
}

// A second copy first tells the user, and only after OK asks the running copy to close;
// that copy gives the notification area back and saves its place, then the new one takes it.
TEST(SingleInstance, SecondCopyAsksFirstThenTakesOver)
{
    StandIn standIn("6.1");
    Program first("win7");
    first.start();
    ASSERT_EQ(first.waitStarted(standIn), StartOutcome::captured);

    Program second(first, "win7");
    second.start();
    ASSERT_EQ(second.waitStarted(standIn), StartOutcome::refused);
    EXPECT_EQ(second.messageBoxText(), "既に起動しているヴェルトリンを\n\r終了してから起動します。");
    EXPECT_EQ(TextOf(second.messageBox()), "ヴェルトリン Ver.1.4.8.3");
    // While the box is up the first copy still runs and holds the notification area.
    Pause(500);
    EXPECT_TRUE(first.running());
    EXPECT_EQ(ParentOf(standIn.notifyArea()), first.mainWindow());
    EXPECT_FALSE(first.iniExists());

    second.pressMessageBoxButton(IDOK);
    EXPECT_TRUE(first.waitExit(15000));
    EXPECT_TRUE(first.iniExists());
    EXPECT_NE(first.readIni().find("Width=177"), std::string::npos);
    ASSERT_EQ(second.waitStarted(standIn), StartOutcome::captured);
    EXPECT_EQ(ParentOf(standIn.notifyArea()), second.mainWindow());

    // A running copy that is stuck (held by a debugger here) does not end: a third copy
    // says so after a while and ends, without taking the area. Once let go, the running
    // copy answers the close it was sent.
    Program third(first, "win7");
    third.start();
    ASSERT_EQ(third.waitStarted(standIn), StartOutcome::refused);
    SuspendProcess(second.processId(), true);
    third.pressMessageBoxButton(IDOK);
    EXPECT_TRUE(WaitUntil([&] { return third.messageBoxText() == "起動しているヴェルトリンが終了しませんので\r\n起動を中止します。"; },
                          15000));
    third.pressMessageBoxButton(IDOK);
    EXPECT_TRUE(third.waitExit(5000));
    EXPECT_EQ(third.mainWindow(), nullptr);
    SuspendProcess(second.processId(), false);
    EXPECT_TRUE(second.waitExit(15000));
    EXPECT_EQ(ParentOf(standIn.notifyArea()), standIn.taskbar());
}

// With the program in a folder whose path does not fit the program's path buffers, the
// settings file is treated as unavailable: nothing is read from or written to any file.
TEST(Paths, FolderTooLongForThePathBufferWritesNoFile)
{
    TempDir base;
    std::string folder = base.path();
    while (folder.size() < 247) {
        std::string part(std::min<size_t>(60, 247 - folder.size() - 1), 'd');
        if (part.empty()) break;
        folder += "\\" + part;
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    ASSERT_GE(folder.size(), 246u);
    std::string exe = folder + "\\veltrin.exe";
    ASSERT_TRUE(CopyFileA((BinDir() + "\\veltrin.exe").c_str(), exe.c_str(), FALSE));
    // A settings file that a cut path could name must not be read either.
    ASSERT_TRUE(WriteFile(folder + "\\velt.ini", "[Window]\r\nTitle=0\r\n"));

    StandIn standIn("6.1");
    SetReportedVersion("veltrin.exe", "win7");
    ChildProcess child(exe, "", folder);
    ASSERT_TRUE(child.started());
    ASSERT_TRUE(WaitUntil([&] { return ParentOf(standIn.notifyArea()) == FindTopLevel("TVeltrWnd", child.pid()); },
                          20000));
    HWND main = FindTopLevel("TVeltrWnd", child.pid());
    EXPECT_NE(GetWindowLongA(main, GWL_STYLE) & WS_CAPTION, 0) << "the unreadable Title=0 must not apply";
    // OK in the options window says that nothing could be saved.
    PostMessageA(main, WM_COMMAND, 24, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(FindTopLevel("VeltOption", child.pid())); }, 5000));
    PostMessageA(FindTopLevel("VeltOption", child.pid()), WM_COMMAND, 21, 0);  // its OK
    HWND box = WaitForTopLevel("#32770", child.pid(), 5000);
    EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), "設定をvelt.iniに保存できませんでした。\r\n"
                                              "HotKey, HotKey2, HotKey3, ReSize, Alpha, Flat, Top, Down, Left, Right, Key, Hide");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
    PostMessageA(main, WM_COMMAND, 23, 0);
    ASSERT_TRUE(child.waitForExit(15000));

    EXPECT_EQ(ReadFile(folder + "\\velt.ini"), "[Window]\r\nTitle=0\r\n");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    std::vector<std::string> names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ(names, (std::vector<std::string>{"velt.ini", "veltrin.exe"}));
}

}  // namespace
