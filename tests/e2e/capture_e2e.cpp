// Capture stories: how the window starts from the settings file, and that it follows a
// taskbar that is created anew.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "harness.h"
#include "program.h"

using namespace e2e;

namespace {

RECT ClientOnScreen(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// No settings file: 177 x 135, centred on the screen, with a title bar, opaque, and the
// notification area filling the client area. Nothing is written at start.
TEST(Capture, DefaultsWithoutSettingsFile)
{
    StandIn standIn("6.1");
    Program program("win7");
    program.start();
    ASSERT_EQ(program.waitStarted(standIn), StartOutcome::captured);
    HWND main = program.mainWindow();
    RECT r = RectOf(main);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(r.right - r.left, 177);
    EXPECT_EQ(r.bottom - r.top, 135);
    EXPECT_EQ(r.left, screenWidth / 2 - 88);
    EXPECT_EQ(r.top, screenHeight / 2 - 67);
    LONG style = GetWindowLongA(main, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_LAYERED);
    auto r2 = program.report();
    EXPECT_EQ(r2["alpha"], "255");
    EXPECT_EQ(r2["alphaFlags"], "2");  // LWA_ALPHA
    EXPECT_TRUE(WaitUntil([&] { return SameRect(RectOf(standIn.notifyArea()), ClientOnScreen(main)); }, 3000));
    // No own icon while the title bar is shown.
    EXPECT_TRUE(standIn.entries("Shell_TrayWnd", "NIM_ADD").empty());
    EXPECT_FALSE(program.iniExists());
    program.endAsUser();
    EXPECT_TRUE(program.waitExit(15000));
}

// "Title" = 0 starts without a title bar and adds the program's own icon; a saved position
// partly off the screen is pulled back on while the saved size stays.
TEST(Capture, SavedTitleBarAndPositionAreApplied)
{
    StandIn standIn("6.1");
    Program program("win7");
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    program.writeIni("[Window]\r\nTitle=0\r\nLeft=" + std::to_string(screenWidth - 100) + "\r\nTop=" +
                     std::to_string(screenHeight - 50) + "\r\nWidth=220\r\nHeight=150\r\nAlpha=200\r\n");
    program.start();
    ASSERT_EQ(program.waitStarted(standIn), StartOutcome::captured);
    HWND main = program.mainWindow();
    EXPECT_EQ(GetWindowLongA(main, GWL_STYLE) & WS_CAPTION, 0);
    RECT r = RectOf(main);
    EXPECT_EQ(r.right, screenWidth);
    EXPECT_EQ(r.bottom, screenHeight);
    EXPECT_EQ(r.right - r.left, 220);
    EXPECT_EQ(r.bottom - r.top, 150);
    EXPECT_EQ(program.report()["alpha"], "200");

    ASSERT_TRUE(standIn.waitForJournal("NIM_ADD", 5000));
    auto added = standIn.entries("Shell_TrayWnd", "NIM_ADD");
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].param("tip"), "ヴェルトリン");
    EXPECT_EQ(added[0].param("id"), "100");
    EXPECT_EQ(added[0].param("result"), "1");
    program.endAsUser();
    ASSERT_TRUE(program.waitExit(15000));
    // The own icon goes with the program.
    EXPECT_EQ(standIn.entries("Shell_TrayWnd", "NIM_DELETE").size(), 1u);
}

class Restart : public WatchModes {};
INSTANTIATE_TEST_SUITE_P(Modes, Restart, ::testing::Bool(), WatchModeName);
// Explorer restarting: the old notification area dies, "TaskbarCreated" arrives, and the
// new taskbar's notification area ends up in the program's window. The memory that the old
// toolbar's buttons were read into is let go.
TEST_P(Restart, FollowsARestartedTaskbar)
{
    StandIn standIn("6.1");
    Program program("win7");
    program.start();
    ASSERT_EQ(program.waitStarted(standIn), StartOutcome::captured);
    HWND oldArea = standIn.notifyArea();
    const size_t restart = standIn.journalMark();
    ASSERT_EQ(standIn.command("restart"), 1);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(oldArea); }, 5000));
    HWND main = program.mainWindow();
    ASSERT_TRUE(WaitUntil([&] { return ParentOf(standIn.notifyArea()) == main; }, 10000));
    HWND newArea = standIn.notifyArea();
    EXPECT_NE(newArea, oldArea);
    EXPECT_TRUE(WaitUntil([&] { return SameRect(RectOf(newArea), ClientOnScreen(main)); }, 3000));
    EXPECT_EQ(program.reportedHandle("notifyArea"), newArea);
    // Two passes of the tray watch begun after the new capture (the main thread counts icons
    // too, so the toolbar's counts do not tell them): each block read into before the restart
    // is free again, or read into again for the new toolbar.
    const auto cycles = [&] { return std::stoi(program.report()["trayWatchCycles"]); };
    const int recaptured = cycles();
    ASSERT_TRUE(WaitUntil([&] { return cycles() >= recaptured + 2; }, 5000, 50));
    const auto all = standIn.entries("ToolbarWindow32", "TB_GETBUTTON");
    const auto since = standIn.entries("ToolbarWindow32", "TB_GETBUTTON", restart);
    std::set<long long> reused;
    for (const JournalEntry& e : since) reused.insert(e.number("lParam"));
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, standIn.processId());
    for (size_t i = 0; i + since.size() < all.size(); ++i) {
        MEMORY_BASIC_INFORMATION region{};
        ASSERT_TRUE(VirtualQueryEx(process, reinterpret_cast<void*>(all[i].number("lParam")), &region, sizeof region));
        EXPECT_TRUE(region.State == MEM_FREE || reused.count(all[i].number("lParam"))) << all[i].param("lParam");
    }
    CloseHandle(process);

    // The ending gives the new one back.
    program.endAsUser();
    ASSERT_TRUE(program.waitExit(15000));
    EXPECT_EQ(ParentOf(newArea), standIn.taskbar());
}

// A taskbar without a notification area: the start is refused with the product name as the
// caption, and the taskbar and the settings file are left alone.
TEST(Capture, RefusedStartLeavesTaskbarAndSettingsAlone)
{
    StandIn standIn("6.1", "--no-notify-area");
    ASSERT_TRUE(standIn.ready());
    size_t mark = standIn.journalMark();
    Program program("win7");
    program.writeIni("[Window]\r\nLeft=5\r\nTop=6\r\nWidth=200\r\nHeight=100\r\n");
    program.start();
    ASSERT_EQ(program.waitStarted(standIn), StartOutcome::refused);
    EXPECT_EQ(program.messageBoxText(), "タスクトレイを取得出来ませんでしたので起動を中止します。");
    EXPECT_EQ(TextOf(program.messageBox()), "ヴェルトリン");
    // A close request meanwhile (another copy asking) waits for the box to be closed: the
    // program does not spin on it as long as the box is up.
    const long cpuBefore = std::stol(program.report()["cpuMs"]);
    PostMessageA(program.mainWindow(), WM_CLOSE, 0, 0);
    Pause(1000);
    EXPECT_LT(std::stol(program.report()["cpuMs"]) - cpuBefore, 250) << "the program spins while its box is up";
    program.pressMessageBoxButton(IDOK);
    ASSERT_TRUE(program.waitExit(15000));
    EXPECT_NE(program.exitCode(), 0u);
    EXPECT_EQ(program.readIni(), "[Window]\r\nLeft=5\r\nTop=6\r\nWidth=200\r\nHeight=100\r\n");
    EXPECT_TRUE(standIn.entries("Shell_TrayWnd", "WM_WINDOWPOSCHANGED", mark).empty());
    EXPECT_TRUE(standIn.entries("Shell_TrayWnd", "WM_SIZE", mark).empty());
}


// ---- What a viewer sees ------------------------------------------------------------

// The distinct colours the screen shows inside the rectangle (screen coordinates).
size_t ColoursOnScreen(const RECT& r)
{
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return 0;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    const int rows = GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (rows != height) return 0;
    std::set<DWORD> colours;
    for (DWORD pixel : pixels) colours.insert(pixel & 0xFFFFFF);
    return colours.size();
}

struct ShownCase {
    const char* flavour;
    const char* version;
};

class AreaShown : public ::testing::TestWithParam<ShownCase> {};

// Under Wine the captured area is drawn by the taskbar's side into the program's window:
// the clock's place inside that window shows the clock, not one flat colour, and shows it
// again at its new place after the window was made wider.
TEST_P(AreaShown, ClockIsVisibleInsideTheProgramsWindow)
{
    StandIn standIn(GetParam().flavour);
    Program program(GetParam().version);
    program.start();
    ASSERT_EQ(program.waitStarted(standIn), StartOutcome::captured);
    HWND main = program.mainWindow();
    HWND clock = standIn.find("TrayClockWClass");
    ASSERT_NE(clock, nullptr);
    MoveCursor(0, GetSystemMetrics(SM_CYSCREEN) / 2);

    RECT place = RectOf(clock);
    RECT client = ClientOnScreen(main);
    RECT inside{};
    EXPECT_TRUE(IntersectRect(&inside, &place, &client) && SameRect(inside, place));
    EXPECT_TRUE(WaitUntil([&] { return ColoursOnScreen(RectOf(clock)) > 1; }, 5000))
        << "colours at the clock: " << ColoursOnScreen(RectOf(clock));

    RECT r = RectOf(main);
    SetWindowPos(main, nullptr, 0, 0, r.right - r.left + 80, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return RectOf(clock).left >= place.left + 80; }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return ColoursOnScreen(RectOf(clock)) > 1; }, 5000))
        << "colours at the clock after widening: " << ColoursOnScreen(RectOf(clock));

    program.endAsUser();
    ASSERT_TRUE(program.waitExit(15000));
    EXPECT_EQ(ParentOf(clock), standIn.notifyArea());
    EXPECT_EQ(ParentOf(standIn.notifyArea()), standIn.taskbar());
}

INSTANTIATE_TEST_SUITE_P(Flavours, AreaShown,
                         ::testing::Values(ShownCase{"6.1", "win7"}, ShownCase{"5.1", "winxp"}),
                         [](const ::testing::TestParamInfo<ShownCase>& param) {
                             std::string name = std::string("v") + param.param.flavour;
                             for (char& ch : name) if (ch == '.') ch = '_';
                             return name;
                         });

}  // namespace
