// Start-up stories: which taskbar windows the program finds for each flavour, how it counts
// the visible icons, its caption and fonts, and what a second copy does.
#include <gtest/gtest.h>

#include <algorithm>
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
    {"11", "win10"},
};

FILETIME LastWriteTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

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
// day of use (the clock rested on and clicked, the hotkeys, help, the options' notes and
// questions, a second copy, the ending, a refused start and a copy meeting it) whose
// journal, message boxes, foreground and windows are compared with the flavour's reviewed
// data.
TEST_P(Discovery, FindsExactlyTheWindowsOfItsLayout)
{
    const FlavourCase c = GetParam();
    const bool windows10 = std::string(c.flavour) == "10";
    MoveCursor(kAway.x, kAway.y);
    StandIn standIn(c.flavour);
    ASSERT_TRUE(standIn.ready());
    Day day(standIn, c.flavour);
    Program program(c.reportedVersion);
    // Where the taskbar draws the tray itself the day is short: the box, and nothing taken,
    // nothing changed in the taskbar, velt.ini not even written again.
    if (std::string(c.flavour) == "11") {
        const std::string ini = "[Window]\r\nLeft=5\r\nTop=6\r\n";
        program.writeIni(ini);
        const FILETIME written = LastWriteTime(program.iniPath());
        program.start();
        ASSERT_EQ(program.waitStarted(standIn), StartOutcome::refused);
        day.moment("refused", &program);
        program.pressMessageBoxButton(IDOK);
        ASSERT_TRUE(program.waitExit(15000));
        EXPECT_NE(program.exitCode(), 0u);
        EXPECT_EQ(program.readIni(), ini);
        const FILETIME now = LastWriteTime(program.iniPath());
        EXPECT_EQ(CompareFileTime(&written, &now), 0);
        day.moment("ending");
        const std::string difference = day.compare();
        EXPECT_TRUE(difference.empty()) << difference;
        return;
    }
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
    day.moment("start", &program);
    const POINT clock = Centre(RectOf(FindChild(notifyArea, "TrayClockWClass")));
    const size_t rest = standIn.journalMark();
    MoveCursor(clock.x, clock.y);
    // The taskbar's tooltip is asked for, or the program's own shows and, past 3 s, hides, or
    // Windows 10's clock shows its own.
    const bool ownTip = FindTopLevel("VeltClockTip", pid) != nullptr;
    EXPECT_TRUE(ownTip ? day.await("shown") && day.await("hidden", 8000)
                       : standIn.waitForJournal(windows10 ? "\ttooltips_class32\tshown\t" : "WM_USER+103\twParam=1", 5000, rest));
    // The pointer leaves before the moment: resting on, the program's own tooltip would show
    // again half a second after it hid, within a slow machine's settle or not.
    const size_t restEnd = standIn.journalMark();
    MoveCursor(kAway.x, kAway.y);
    EXPECT_TRUE(standIn.waitForJournal("WM_USER+104\twParam=1", 3000, restEnd));
    day.moment("clock rest", &program);
    // A click on the clock as the pointer watcher sees it: the press only once the watcher has
    // seen the pointer arrive (a press read in the cycle that still saw the pointer away is a
    // drag away, which forgets the clicks so far), held past the 50 ms for which Wine keeps a
    // key's up state, and both press and release until two of the watcher's notices to the
    // clock have followed (none come while it waits on a flyout).
    // Each click is followed by the pointer leaving, before the next tooltip is due.
    const auto watched = [&] {
        const size_t from = standIn.journalMark();
        EXPECT_TRUE(WaitUntil([&] { return standIn.entries("TrayClockWClass", "WM_USER+104", from).size() >= 2; }, 3000));
    };
    const auto clickClock = [&](MouseButton button) {
        MoveCursor(clock.x, clock.y);
        watched();
        PressButton(button);
        Pause(60);
        watched();
        ReleaseButton(button);
        watched();
    };
    // Where the program keeps the clock's tooltip, a double click opens the date and time
    // settings. It comes first: a click's double-click time would run on into the next. The
    // pointer leaves between the clicks, so that a slow machine's clicks do not outlast the
    // tooltip's delay.
    const auto openedCount = [&] {
        const std::string text = ReadFile(program.openerJournal());
        return std::count(text.begin(), text.end(), '\n');
    };
    for (int click = 0; click < 2; ++click) {
        clickClock(MouseButton::Left);
        const size_t clicked = standIn.journalMark();
        MoveCursor(kAway.x, kAway.y);
        // Seen away by the watcher, which so starts the tooltip's delay afresh.
        EXPECT_TRUE(standIn.waitForJournal("WM_USER+104\twParam=1", 3000, clicked));
    }
    EXPECT_TRUE(!ownTip || WaitUntil([&] { return openedCount() == 1; }, 5000));
    day.settle();
    standIn.command(windows10 ? "calendar close" : "flyout close");
    day.moment("clock double click", &program);
    clickClock(MouseButton::Left);
    MoveCursor(kAway.x, kAway.y);
    day.settle();
    standIn.command(windows10 ? "calendar close" : "flyout close");
    day.moment("clock click", &program);
    clickClock(MouseButton::Right);
    EXPECT_TRUE(standIn.waitForJournal("WM_RBUTTONUP", 3000, rest));
    MoveCursor(kAway.x, kAway.y);
    day.moment("clock right click", &program);

    // The title bar's and the window's hotkeys there and back, and the overflow's.
    const auto chord = [](const std::vector<WORD>& keys, const std::function<bool()>& done) {
        EXPECT_TRUE(WaitForSteadyForeground());
        KeyChord(keys);
        EXPECT_TRUE(WaitUntil(done, 5000));
    };
    const auto captioned = [&] { return (GetWindowLongA(program.mainWindow(), GWL_STYLE) & WS_CAPTION) != 0; };
    const auto shown = [&] { return IsWindowVisible(program.mainWindow()) != FALSE; };
    chord({VK_CONTROL, VK_MENU, 'T'}, [&] { return !captioned(); });
    chord({VK_CONTROL, VK_SHIFT, 'A'}, [&] { return !shown(); });
    day.moment("hidden without title bar", &program);
    // Whether the program has put back the area that a Windows 10 re-layout since `from`
    // moved; `at` and `back` are when the two happened.
    long long at = -1, back = -1;
    const auto putBack = [&](size_t from) {
        at = back = -1;
        for (const std::string& line : standIn.journalSince(from)) {
            const JournalEntry e = ParseJournalLine(line);
            if (e.target == "TrayNotifyWnd" && e.event == "relayout") at = e.tick;
            if (e.target == "TrayNotifyWnd" && e.event == "WM_SIZE" && at >= 0 && back < 0) back = e.tick;
        }
        return back >= 0;
    };
    const size_t iconGoing = standIn.journalMark();
    chord({VK_CONTROL, VK_SHIFT, 'A'}, shown);
    chord({VK_CONTROL, VK_MENU, 'T'}, captioned);
    // Once the taskbar has answered the own icon's going, and on Windows 10 the program has put
    // back what the taskbar's re-layout moved: open, on Windows 10 then moved beside.
    day.settle();
    EXPECT_TRUE(!windows10 || WaitUntil([&] { return putBack(iconGoing); }, 3000));
    const auto beside = [&] {
        HWND overflow = standIn.find("NotifyIconOverflowWindow");
        return IsWindowVisible(overflow) && RectOf(overflow).top == RectOf(program.mainWindow()).bottom;
    };
    chord({VK_MENU, 'D'}, [&] {
        return !IsPagerLayout(flavour) || (standIn.waitForJournal("overflow-open", 0, rest) && (!windows10 || beside()));
    });
    standIn.command("overflow close");
    day.moment("hotkeys", &program);
    // On Windows 10 a new icon or one gone makes the taskbar move the area, and the program put
    // it back: how soon (from the move's line to the area's next size) is printed.
    const auto relayout = [&](const char* command, const std::string& title, const Program* moved) {
        const size_t from = standIn.journalMark();
        standIn.command(command);
        // The quiet watch puts it back on its next pass, which may come later than a settled
        // moment's quiet spell.
        EXPECT_TRUE(WaitUntil([&] { return putBack(from); }, 3000));
        day.moment(title, moved);
        putBack(from);
        std::printf("Windows 10 re-layout put back after %lld ms (%s)\n", back < 0 ? -1 : back - at, title.c_str());
    };
    if (windows10) {
        Click(Centre(RectOf(FindChild(notifyArea, "Button"))));
        EXPECT_TRUE(WaitUntil(beside, 3000));
        MoveCursor(kAway.x, kAway.y);
        day.moment("overflow by the chevron", &program);
        standIn.command("overflow close");
        relayout("add 80 新しいアイコン", "new icon, usual watch", &program);
    }

    // Every box of the program, each answered once the watcher has described it.
    const auto press = [&](HWND box, int button) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
        EXPECT_TRUE(box && WaitUntil([&] { return !IsWindow(box); }, 5000));
    };
    const auto answer = [&](int button, DWORD timeoutMs = 5000) { press(day.await("box", timeoutMs), button); };
    const auto command = [&](HWND window, WPARAM id) { PostMessageA(window, WM_COMMAND, id, 0); };
    const HWND main = program.mainWindow();
    command(main, 25);
    answer(IDOK);
    EXPECT_TRUE(WaitUntil([&] { return openedCount() == 1 + ownTip; }, 5000));
    day.moment("help without help.txt", &program);
    ASSERT_TRUE(CopyFileA((BinDir() + "\\help.txt").c_str(), (program.folder() + "\\help.txt").c_str(), FALSE));
    command(main, 25);
    answer(IDNO);
    EXPECT_TRUE(WaitUntil([&] { return openedCount() == 2 + ownTip; }, 5000));
    day.moment("help with help.txt, the file chosen", &program);

    // The options' OK (21) and Cancel (22): the first hotkey's list, the hotkeys' modifier
    // boxes (Shift, Ctrl, Alt, Win from 8 on, four to a hotkey) and the edges (1 to 4).
    const HWND options = FindTopLevel("VeltOption", pid);
    std::vector<HWND> keyLists;
    for (HWND group : Children(options)) if (HWND list = FindWindowExA(group, nullptr, "ComboBox", nullptr)) keyLists.push_back(list);
    ASSERT_EQ(keyLists.size(), 3u);
    const auto open = [&] {
        command(main, 24);
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(options) != FALSE; }, 5000));
    };
    const auto choose = [&](int hotkey, const char* key, std::vector<bool> modifiers) {
        SendMessageA(keyLists[hotkey], CB_SETCURSEL, SendMessageA(keyLists[hotkey], CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(key)), 0);
        for (int m = 0; m < 4; ++m) SendMessageA(GetDlgItem(options, 8 + 4 * hotkey + m), BM_SETCHECK, modifiers[m], 0);
    };
    const auto closed = [&] { EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }, 5000)); };
    open();
    choose(0, "A", {true, false, true, false});
    command(options, 21);
    answer(IDOK);
    closed();
    day.moment("options: Shift+Alt+A for the window", &program);
    open();
    choose(0, "B", {false, true, false, false});
    command(options, 21);
    answer(IDNO);
    choose(0, "A", {true, false, true, false});
    choose(1, "A", {true, false, true, false});
    command(options, 21);
    answer(IDOK);
    command(options, 22);
    closed();
    day.moment("options: Ctrl+B answered no, then the same keys twice, cancelled", &program);
    // With no hotkey and no edge the window could never come back; held open, the settings
    // file cannot be written.
    open();
    SendMessageA(keyLists[0], CB_SETCURSEL, 0, 0);
    for (int edge = 1; edge <= 4; ++edge) SendMessageA(GetDlgItem(options, edge), BM_SETCHECK, BST_UNCHECKED, 0);
    HANDLE held = OpenShared(program.iniPath());
    command(options, 21);
    answer(IDOK);
    answer(IDOK);
    closed();
    CloseHandle(held);
    day.moment("options: no hotkey and no edge, the settings file held", &program);

    // The first copy's window put aside, so that the second copy's box shows uncovered.
    SetWindowPos(program.mainWindow(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Program second(program, c.reportedVersion);
    quietWatch = windows10;
    second.start();
    quietWatch = false;
    ASSERT_EQ(second.waitStarted(standIn), StartOutcome::refused);
    const HWND secondBox = day.await("box");
    day.moment("second copy", &second);
    press(secondBox, IDOK);
    EXPECT_TRUE(program.waitExit(15000));
    ASSERT_EQ(second.waitStarted(standIn), StartOutcome::captured);
    day.moment("second copy took over", &second);
    MoveCursor(kAway.x, kAway.y);
    if (windows10) relayout("remove 80", "icon gone, quiet watch", &second);
    second.endAsUser();
    EXPECT_TRUE(second.waitExit(15000));
    day.moment("ending");

    // Another window holds the notification area: a copy does not start, and while it says so
    // it does not close when the next copy asks it to, which that copy says after a while.
    ASSERT_TRUE(SetParent(standIn.notifyArea(), standIn.control()));
    Program refused(program, c.reportedVersion), next(program, c.reportedVersion);
    refused.start();
    ASSERT_EQ(refused.waitStarted(standIn), StartOutcome::refused);
    const HWND refusal = day.await("box");
    day.moment("the notification area held elsewhere", &refused);
    SetEnvironmentVariableA("VELTRIN_TEST_SHORT_TAKE_OVER", "1");
    next.start();
    SetEnvironmentVariableA("VELTRIN_TEST_SHORT_TAKE_OVER", nullptr);
    answer(IDOK);
    answer(IDOK, 20000);
    EXPECT_TRUE(next.waitExit(5000));
    day.moment("a copy meanwhile", &next);
    press(refusal, IDOK);
    EXPECT_TRUE(refused.waitExit(5000));
    SetParent(standIn.notifyArea(), standIn.taskbar());
    day.moment("refusal answered");
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
    // says so after a while, and that the running copy will close once it responds, and
    // ends without taking the area. Once let go, the running copy answers the close.
    Program third(first, "win7");
    third.start();
    ASSERT_EQ(third.waitStarted(standIn), StartOutcome::refused);
    SuspendProcess(second.processId(), true);
    third.pressMessageBoxButton(IDOK);
    const char* stuck = "起動しているヴェルトリンが応答していません。\r\n応答し次第終了しますので、\r\nその後でもう一度起動して下さい。";
    EXPECT_TRUE(WaitUntil([&] { return third.messageBoxText() == stuck; }, 15000));
    third.pressMessageBoxButton(IDOK);
    EXPECT_TRUE(third.waitExit(5000));
    EXPECT_EQ(third.mainWindow(), nullptr);
    SuspendProcess(second.processId(), false);
    EXPECT_TRUE(second.waitExit(15000));
    EXPECT_EQ(ParentOf(standIn.notifyArea()), standIn.taskbar());
}

// With the program in a folder whose path does not fit the program's path buffers, the
// settings file is treated as unavailable: nothing is read from or written to any file.
// Its short form, as 95 and 98 give it, fits, and names the same folder.
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
    // The box's text control gets its text after the box exists.
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return !TextOf(GetDlgItem(box = FindTopLevel("#32770", child.pid()), 0xFFFF)).empty(); }, 5000));
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

    SetEnvironmentVariableA("VELTRIN_TEST_SHORT_MODULE_PATH", "1");
    ChildProcess shortStart(exe, "", folder);
    SetEnvironmentVariableA("VELTRIN_TEST_SHORT_MODULE_PATH", nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ParentOf(standIn.notifyArea()) == FindTopLevel("TVeltrWnd", shortStart.pid()); },
                          20000));
    EXPECT_EQ(GetWindowLongA(FindTopLevel("TVeltrWnd", shortStart.pid()), GWL_STYLE) & WS_CAPTION, 0);
    PostMessageA(FindTopLevel("TVeltrWnd", shortStart.pid()), WM_COMMAND, 23, 0);
    ASSERT_TRUE(shortStart.waitForExit(15000));
    EXPECT_NE(ReadFile(folder + "\\velt.ini").find("Width=177"), std::string::npos);
}

}  // namespace
