// The taskbar stand-in, seen from outside as veltrin.exe sees it: its window tree for each
// flavour, icons that other programs add over Shell_NotifyIcon, the toolbar read across
// processes, a taskbar restart, the clock's popups, the notification area taken into a
// foreign window and given back. Also proves the harness's own input and settings helpers.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "harness.h"

using namespace e2e;

namespace {

constexpr UINT kFlyoutRequest = WM_USER + 102;
constexpr UINT kTooltipRequest = WM_USER + 103;
constexpr UINT kPointerNotice = WM_USER + 104;
constexpr WPARAM kHiddenIconsCommand = 1502;
constexpr UINT kIconCallback = WM_APP + 5;
constexpr char kCalendar[] = "Windows.UI.Core.CoreWindow";

std::string Hex(const void* handle)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(handle)));
    return text;
}

// The toolbar a program reads the icons from: inside the first SysPager on pager flavours,
// directly inside the notification area before them.
HWND IconToolbar(HWND notify)
{
    HWND pager = FindChild(notify, "SysPager");
    return FindChild(pager ? pager : notify, "ToolbarWindow32");
}

int VisibleCount(const std::vector<ToolbarButton>& buttons)
{
    return static_cast<int>(std::count_if(buttons.begin(), buttons.end(), [](const ToolbarButton& b) { return !b.hidden(); }));
}

const ToolbarButton* NewButton(const std::vector<ToolbarButton>& before, const std::vector<ToolbarButton>& after)
{
    for (const ToolbarButton& b : after) {
        const bool known = std::any_of(before.begin(), before.end(), [&](const ToolbarButton& o) { return o.command == b.command; });
        if (!known) return &b;
    }
    return nullptr;
}

BOOL NotifyIcon(DWORD message, HWND owner, UINT id, UINT flags, const char* tip = "", DWORD state = 0, DWORD mask = 0)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = flags;
    data.uCallbackMessage = kIconCallback;
    data.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    lstrcpynA(data.szTip, tip, sizeof data.szTip);
    data.dwState = state;
    data.dwStateMask = mask;
    return Shell_NotifyIconA(message, &data);
}

// ---- The window tree of each flavour ----------------------------------------------------

struct FlavourTree {
    const char* flavour;
    bool pagerLayout;
    bool systemPager;
    bool showDesktop;
    bool pearlify;
    bool topLevelStart;
    const char* tree = nullptr;  // Windows 10 and 11: the taskbar's whole tree, as TreeText gives it
};

const FlavourTree kFlavours[] = {
    {"4.0", false, false, false, false, false},  {"4.10", false, false, false, false, false},
    {"4.20", false, false, false, false, false}, {"4.90", false, false, false, false, false},
    {"5.0", false, false, false, false, false},  {"5.1", true, false, false, false, false},
    {"5.2", true, false, false, false, false},   {"6.0", true, true, false, false, true},
    {"6.1", true, false, true, false, true},     {"6.2", true, false, true, true, true},
    {"10", true, false, true, false, false,
     "ReBarWindow32 \"\"\n"
     "  MSTaskSwWClass \"\"\n"
     "Start \"Start\"\n"
     "TrayNotifyWnd \"\"\n"
     "  Button \"▲\"\n"
     "  SysPager \"\"\n"
     "    ToolbarWindow32 \"User Promoted Notification Area\" buttons=4\n"
     "  ToolbarWindow32 \"System Promoted Notification Area\" buttons=3\n"
     "  TrayButton \"\"\n"
     "  TrayButton \"\" hidden\n"
     "  TrayButton \"\" hidden\n"
     "  TrayInputIndicatorWClass \"Tray Input Indicator\"\n"
     "  TrayClockWClass \"\"\n"
     "  TrayShowDesktopButtonWClass \"\"\n"},
    // 21H2: the island lies below the old tray, which is still real, and draws the clock.
    {"11-21h2", true, false, false, false, false,
     "ReBarWindow32 \"\"\n"
     "  MSTaskSwWClass \"\"\n"
     "TrayNotifyWnd \"\"\n"
     "  Button \"▲\"\n"
     "  SysPager \"\"\n"
     "    ToolbarWindow32 \"User Promoted Notification Area\" buttons=4\n"
     "  ToolbarWindow32 \"System Promoted Notification Area\" buttons=3\n"
     "  TrayInputIndicatorWClass \"Tray Input Indicator\"\n"
     "Windows.UI.Composition.DesktopWindowContentBridge \"\"\n"},
    // 22H2 on: the island above all draws the tray; TrayNotifyWnd is a shell without buttons.
    {"11", false, false, false, false, false,
     "Windows.UI.Composition.DesktopWindowContentBridge \"\"\n"
     "ReBarWindow32 \"\"\n"
     "  MSTaskSwWClass \"\"\n"
     "TrayNotifyWnd \"\"\n"
     "  SysPager \"\"\n"
     "    ToolbarWindow32 \"User Promoted Notification Area\" buttons=0\n"
     "  ToolbarWindow32 \"System Promoted Notification Area\" buttons=0\n"},
};

// A window's descendants in Z order, a line each, indented under their parent: class and
// text, "hidden" where the window is not, and a toolbar's number of buttons.
std::string TreeText(HWND parent, const std::string& indent = "")
{
    std::string text;
    for (HWND child : Children(parent)) {
        text += indent + ClassOf(child) + " \"" + TextOf(child) + "\"";
        if (ClassOf(child) == "ToolbarWindow32") text += " buttons=" + std::to_string(ReadToolbarButtons(child).size());
        if (!(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE)) text += " hidden";
        text += "\n" + TreeText(child, indent + "  ");
    }
    return text;
}

// Names the parameter in test listings.
void PrintTo(const FlavourTree& tree, std::ostream* out)
{
    *out << tree.flavour;
}

class StandInTree : public ::testing::TestWithParam<FlavourTree> {};

TEST_P(StandInTree, OffersTheWindowsOfItsFlavour)
{
    const FlavourTree& expected = GetParam();
    StandIn standIn(expected.flavour);
    ASSERT_TRUE(standIn.ready());

    // The taskbar: top-most, across the bottom, and the one a program finds by class.
    HWND taskbar = standIn.taskbar();
    ASSERT_NE(nullptr, taskbar);
    EXPECT_EQ(taskbar, FindWindowA("Shell_TrayWnd", nullptr));
    EXPECT_TRUE(GetWindowLongA(taskbar, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(taskbar));
    const RECT bar = RectOf(taskbar);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), bar.bottom);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), bar.right - bar.left);
    EXPECT_NE(nullptr, FindChild(taskbar, "ReBarWindow32"));

    HWND notify = FindChild(taskbar, "TrayNotifyWnd");
    ASSERT_NE(nullptr, notify);
    EXPECT_EQ(taskbar, ParentOf(notify));
    const JournalEntry ready = standIn.entries("standin", "ready").at(0);
    EXPECT_EQ(expected.flavour, ready.param("flavour"));
    EXPECT_EQ(Hex(taskbar), ready.param("taskbar"));
    EXPECT_EQ(Hex(notify), ready.param("notify"));
    // At the right end, but on 21H2 left of the clock that the island draws there.
    EXPECT_EQ(std::string(expected.flavour) != "11-21h2", bar.right == RectOf(notify).right);
    if (expected.tree) {
        EXPECT_EQ(expected.tree, TreeText(taskbar));
        // What Wine's win10 reports: 6.2 to GetVersionEx, the real version to RtlGetVersion.
        EXPECT_EQ("6.2", ready.param("version"));
        EXPECT_EQ("10.0.18362", ready.param("realVersion"));
        // The island spans the taskbar.
        if (HWND island = FindChild(taskbar, "Windows.UI.Composition.DesktopWindowContentBridge")) {
            EXPECT_EQ(bar.right - bar.left, RectOf(island).right - RectOf(island).left);
        }
        return;
    }
    EXPECT_FALSE(ready.has("realVersion"));

    HWND clock = FindChild(notify, "TrayClockWClass");
    EXPECT_NE(nullptr, clock);
    HWND firstButton = FindChild(notify, "Button");
    HWND pager = FindChild(notify, "SysPager");
    HWND toolbar = IconToolbar(notify);
    ASSERT_NE(nullptr, toolbar);
    if (expected.pagerLayout) {
        // The hidden-icons button comes first; the icons sit in the first pager.
        ASSERT_NE(nullptr, firstButton);
        EXPECT_EQ(firstButton, Children(notify).at(0));
        ASSERT_NE(nullptr, pager);
        EXPECT_EQ(pager, ParentOf(toolbar));
        EXPECT_EQ(nullptr, FindChild(notify, "ToolbarWindow32"));
        if (std::string(expected.flavour) == "5.1") {
            EXPECT_EQ("通知領域", TextOf(toolbar));
        } else {
            EXPECT_NE("通知領域", TextOf(toolbar));
        }
    } else {
        EXPECT_EQ(nullptr, firstButton);
        EXPECT_EQ(nullptr, pager);
        EXPECT_EQ(notify, ParentOf(toolbar));
    }

    HWND systemPager = pager ? FindWindowExA(notify, pager, "SysPager", nullptr) : nullptr;
    if (expected.systemPager) {
        ASSERT_NE(nullptr, systemPager);
        EXPECT_EQ("システム コントロール領域", TextOf(FindChild(systemPager, "ToolbarWindow32")));
    } else {
        EXPECT_EQ(nullptr, systemPager);
    }
    EXPECT_EQ(expected.showDesktop, FindChild(notify, "TrayShowDesktopButtonWClass") != nullptr);
    EXPECT_EQ(expected.pearlify, FindChild(taskbar, "TrayPearlifyButtonWClass") != nullptr);
    EXPECT_EQ(nullptr, FindChild(notify, "TrayPearlifyButtonWClass"));

    // The Start button: a taskbar child before 6.0, a top-level window at its left end after.
    HWND topLevelStart = FindWindowA("Button", "スタート");
    HWND childStart = FindChild(taskbar, "Button", "スタート");
    if (expected.topLevelStart) {
        ASSERT_NE(nullptr, topLevelStart);
        EXPECT_EQ(standIn.processId(), ProcessOf(topLevelStart));
        EXPECT_EQ(GetDesktopWindow(), ParentOf(topLevelStart));
        EXPECT_TRUE(GetWindowLongA(topLevelStart, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(bar.left, RectOf(topLevelStart).left);
        EXPECT_EQ(nullptr, childStart);
    } else {
        EXPECT_NE(nullptr, childStart);
        EXPECT_TRUE(topLevelStart == nullptr || ProcessOf(topLevelStart) != standIn.processId());
    }
}

std::string FlavourName(const ::testing::TestParamInfo<FlavourTree>& info)
{
    std::string name = info.param.flavour;
    // "10" alone would read as an index.
    if (name.find('.') == std::string::npos) name = "Windows" + name;
    std::replace(name.begin(), name.end(), '.', '_');
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Flavours, StandInTree, ::testing::ValuesIn(kFlavours), FlavourName);

// ---- Notification icons ------------------------------------------------------------

TEST(StandInIcons, ShellNotifyIconAddsHidesAndDeletesAButtonOfTheTestsOwn)
{
    StandIn standIn("6.1");
    ASSERT_TRUE(standIn.ready());
    RecordingWindow owner;
    HWND toolbar = IconToolbar(standIn.notifyArea());
    const std::vector<ToolbarButton> before = ReadToolbarButtons(toolbar);

    size_t mark = standIn.journalMark();
    ASSERT_TRUE(NotifyIcon(NIM_ADD, owner.hwnd(), 7, NIF_ICON | NIF_MESSAGE | NIF_TIP, "テスト"));
    std::vector<ToolbarButton> after = ReadToolbarButtons(toolbar);
    ASSERT_EQ(before.size() + 1, after.size());
    const ToolbarButton* added = NewButton(before, after);
    ASSERT_NE(nullptr, added);
    EXPECT_FALSE(added->hidden());
    const int command = added->command;
    std::vector<JournalEntry> adds = standIn.entries("Shell_TrayWnd", "NIM_ADD", mark);
    ASSERT_EQ(1u, adds.size());
    EXPECT_EQ(Hex(owner.hwnd()), adds[0].param("hwnd"));
    EXPECT_EQ("7", adds[0].param("id"));
    EXPECT_EQ("テスト", adds[0].param("tip"));
    EXPECT_EQ("1", adds[0].param("result"));
    EXPECT_FALSE(NotifyIcon(NIM_ADD, owner.hwnd(), 7, NIF_TIP, "二度目")) << "an icon is added once";

    // Hidden by its state, with a new tip: still a button, but a hidden one.
    mark = standIn.journalMark();
    ASSERT_TRUE(NotifyIcon(NIM_MODIFY, owner.hwnd(), 7, NIF_STATE | NIF_TIP, "テスト 2", NIS_HIDDEN, NIS_HIDDEN));
    after = ReadToolbarButtons(toolbar);
    ASSERT_EQ(before.size() + 1, after.size());
    auto byCommand = [&](int c) { return *std::find_if(after.begin(), after.end(), [&](const ToolbarButton& b) { return b.command == c; }); };
    EXPECT_TRUE(byCommand(command).hidden());
    EXPECT_EQ(VisibleCount(before), VisibleCount(after));
    EXPECT_EQ(VisibleCount(after), standIn.command("visible"));
    std::vector<JournalEntry> modifies = standIn.entries("Shell_TrayWnd", "NIM_MODIFY", mark);
    ASSERT_EQ(1u, modifies.size());
    EXPECT_EQ("1", modifies[0].param("hidden"));
    EXPECT_EQ("テスト 2", modifies[0].param("tip"));

    ASSERT_TRUE(NotifyIcon(NIM_MODIFY, owner.hwnd(), 7, NIF_STATE, "", 0, NIS_HIDDEN));
    after = ReadToolbarButtons(toolbar);
    EXPECT_FALSE(byCommand(command).hidden());

    mark = standIn.journalMark();
    ASSERT_TRUE(NotifyIcon(NIM_DELETE, owner.hwnd(), 7, 0));
    after = ReadToolbarButtons(toolbar);
    EXPECT_EQ(before.size(), after.size());
    EXPECT_EQ(nullptr, NewButton(before, after));
    std::vector<JournalEntry> deletes = standIn.entries("Shell_TrayWnd", "NIM_DELETE", mark);
    ASSERT_EQ(1u, deletes.size());
    EXPECT_EQ("テスト 2", deletes[0].param("tip"));
    EXPECT_EQ(Hex(owner.hwnd()), deletes[0].param("hwnd"));

    EXPECT_FALSE(NotifyIcon(NIM_DELETE, owner.hwnd(), 7, 0)) << "nothing left to delete";
    EXPECT_FALSE(NotifyIcon(NIM_MODIFY, owner.hwnd(), 8, NIF_TIP, "x")) << "nothing to modify";
}

TEST(StandInIcons, ClicksOnAnIconReachItsOwnerAsTheCallbackMessage)
{
    StandIn standIn("6.1", "--no-icons");
    ASSERT_TRUE(standIn.ready());
    RecordingWindow owner;
    ASSERT_TRUE(NotifyIcon(NIM_ADD, owner.hwnd(), 3, NIF_ICON | NIF_MESSAGE | NIF_TIP, "クリック"));
    HWND toolbar = IconToolbar(standIn.notifyArea());
    RECT button = {};
    ASSERT_TRUE(ToolbarButtonRect(toolbar, 0, button));

    ClickAt((button.left + button.right) / 2, (button.top + button.bottom) / 2, MouseButton::Right);
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (const RecordingWindow::Received& r : owner.received(kIconCallback)) {
                if (r.wParam == 3 && r.lParam == WM_RBUTTONUP) return true;
            }
            return false;
        },
        5000));
    EXPECT_TRUE(standIn.waitForJournal("\tcallback\thwnd=" + Hex(owner.hwnd()) + " id=3", 2000));
    NotifyIcon(NIM_DELETE, owner.hwnd(), 3, 0);
}

// Messages in the layout Windows' own shell sends: signature, NIM_ code, NOTIFYICONDATA.
std::vector<BYTE> WindowsPayload(DWORD message, DWORD cbSize, HWND owner, UINT id, UINT flags, const std::wstring& tip,
                                 bool wide, DWORD state = 0, DWORD mask = 0)
{
    std::vector<BYTE> bytes(8 + cbSize, 0);
    auto put = [&](size_t at, DWORD value) { std::memcpy(&bytes[at], &value, 4); };
    put(0, 0x34753423);
    put(4, message);
    put(8, cbSize);
    put(12, static_cast<DWORD>(reinterpret_cast<UINT_PTR>(owner)));
    put(16, id);
    put(20, flags);
    const size_t tipAt = 8 + 24;
    const size_t tipChars = (cbSize == 88 || cbSize == 152) ? 64 : 128;
    if (wide) {
        std::memcpy(&bytes[tipAt], tip.c_str(), std::min(tip.size(), tipChars - 1) * 2);
    } else {
        char narrow[128] = "";
        WideCharToMultiByte(932, 0, tip.c_str(), -1, narrow, static_cast<int>(tipChars) - 1, nullptr, nullptr);
        std::memcpy(&bytes[tipAt], narrow, std::strlen(narrow));
    }
    if (tipChars == 128) {
        const size_t stateAt = tipAt + tipChars * (wide ? 2 : 1);
        put(stateAt, state);
        put(stateAt + 4, mask);
    }
    return bytes;
}

LRESULT SendPayload(HWND taskbar, std::vector<BYTE> bytes)
{
    COPYDATASTRUCT copy = {1, static_cast<DWORD>(bytes.size()), bytes.data()};
    return SendMessageA(taskbar, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
}

TEST(StandInIcons, UnderstandsTheWindowsShellLayoutInBothCharacterSets)
{
    StandIn standIn("6.1", "--no-icons");
    ASSERT_TRUE(standIn.ready());
    RecordingWindow owner;
    HWND taskbar = standIn.taskbar();
    HWND toolbar = IconToolbar(standIn.notifyArea());

    const size_t mark = standIn.journalMark();
    EXPECT_EQ(TRUE, SendPayload(taskbar, WindowsPayload(NIM_ADD, 152, owner.hwnd(), 21, NIF_TIP, L"ワイド", true)));
    EXPECT_EQ(TRUE, SendPayload(taskbar, WindowsPayload(NIM_ADD, 488, owner.hwnd(), 22, NIF_TIP | NIF_STATE, L"ナロー", false,
                                                        NIS_HIDDEN, NIS_HIDDEN)));
    std::vector<ToolbarButton> buttons = ReadToolbarButtons(toolbar);
    ASSERT_EQ(2u, buttons.size());
    EXPECT_FALSE(buttons[0].hidden());
    EXPECT_TRUE(buttons[1].hidden());
    std::vector<JournalEntry> adds = standIn.entries("Shell_TrayWnd", "NIM_ADD", mark);
    ASSERT_EQ(2u, adds.size());
    EXPECT_EQ("windows-w", adds[0].param("layout"));
    EXPECT_EQ("ワイド", adds[0].param("tip"));
    EXPECT_EQ("windows-a", adds[1].param("layout"));
    EXPECT_EQ("ナロー", adds[1].param("tip"));
    EXPECT_EQ(Hex(owner.hwnd()), adds[1].param("hwnd"));

    EXPECT_EQ(TRUE, SendPayload(taskbar, WindowsPayload(NIM_DELETE, 956, owner.hwnd(), 21, 0, L"", true)));
    EXPECT_EQ(FALSE, SendPayload(taskbar, WindowsPayload(NIM_DELETE, 956, owner.hwnd(), 21, 0, L"", true)));
    EXPECT_EQ(1, standIn.command("count"));
    // A record of a size no NOTIFYICONDATA has is refused.
    std::vector<BYTE> odd = WindowsPayload(NIM_ADD, 152, owner.hwnd(), 23, NIF_TIP, L"?", true);
    odd[8] = 100;
    EXPECT_EQ(FALSE, SendPayload(taskbar, odd));
    EXPECT_EQ(1, standIn.command("count"));
}

// ---- The toolbar read from another process -----------------------------------------

class StandInToolbar : public ::testing::TestWithParam<const char*> {};

TEST_P(StandInToolbar, ForeignReadsSeeHiddenButtonsAndFollowCommands)
{
    StandIn standIn(GetParam());
    ASSERT_TRUE(standIn.ready());
    HWND toolbar = IconToolbar(standIn.notifyArea());
    const size_t mark = standIn.journalMark();
    std::vector<ToolbarButton> buttons = ReadToolbarButtons(toolbar);
    // Three demo icons shown and a fourth hidden.
    ASSERT_EQ(4u, buttons.size());
    EXPECT_FALSE(buttons[0].hidden());
    EXPECT_FALSE(buttons[2].hidden());
    EXPECT_TRUE(buttons[3].hidden());
    EXPECT_EQ(4, standIn.command("count"));
    EXPECT_EQ(3, standIn.command("visible"));
    std::vector<JournalEntry> counts = standIn.entries("ToolbarWindow32", "TB_BUTTONCOUNT", mark);
    ASSERT_EQ(1u, counts.size());
    EXPECT_EQ(4, counts[0].number("result"));
    std::vector<JournalEntry> gets = standIn.entries("ToolbarWindow32", "TB_GETBUTTON", mark);
    ASSERT_EQ(4u, gets.size());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(i, gets[static_cast<size_t>(i)].number("index"));

    EXPECT_EQ(1, standIn.command("hide 1"));
    EXPECT_EQ(1, standIn.command("show 4"));
    EXPECT_EQ(1, standIn.command("add 50 hidden 隠し アイコン"));
    EXPECT_EQ(1, standIn.command("remove 2"));
    buttons = ReadToolbarButtons(toolbar);
    ASSERT_EQ(4u, buttons.size());
    EXPECT_TRUE(buttons[0].hidden());
    EXPECT_FALSE(buttons[1].hidden());
    EXPECT_FALSE(buttons[2].hidden());
    EXPECT_TRUE(buttons[3].hidden());
    EXPECT_EQ(2, standIn.command("visible"));
}

INSTANTIATE_TEST_SUITE_P(Layouts, StandInToolbar, ::testing::Values("5.0", "6.1"),
                         [](const ::testing::TestParamInfo<const char*>& layout) {
                             return std::string(layout.param[0] == '5' ? "DirectToolbar" : "PagerToolbar");
                         });

TEST(StandInToolbar, StartsEmptyOrWithTheDemoIconsAsked)
{
    {
        StandIn empty("6.1", "--no-icons");
        ASSERT_TRUE(empty.ready());
        const size_t mark = empty.journalMark();
        EXPECT_TRUE(ReadToolbarButtons(IconToolbar(empty.notifyArea())).empty());
        EXPECT_EQ(1u, empty.entries("ToolbarWindow32", "TB_BUTTONCOUNT", mark).size());
        EXPECT_TRUE(empty.entries("ToolbarWindow32", "TB_GETBUTTON", mark).empty());
    }
    StandIn hidden("5.1", "--icons 2,0x3");
    ASSERT_TRUE(hidden.ready());
    std::vector<ToolbarButton> buttons = ReadToolbarButtons(IconToolbar(hidden.notifyArea()));
    ASSERT_EQ(2u, buttons.size());
    EXPECT_EQ(0, VisibleCount(buttons));
}

TEST(StandInControl, RefusesUnknownCommandsAndIcons)
{
    StandIn standIn("6.1");
    ASSERT_TRUE(standIn.ready());
    EXPECT_EQ(0, standIn.command("dance"));
    EXPECT_EQ(0, standIn.command("hide 99"));
    EXPECT_EQ(0, standIn.command("remove 99"));
    EXPECT_EQ(0, standIn.command("add 1 already a demo icon"));
    EXPECT_EQ(0, standIn.command("add x"));
    EXPECT_EQ(4, standIn.command("count"));
    EXPECT_EQ(1, standIn.command("quit"));
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, standIn.processId());
    ASSERT_NE(nullptr, process);
    EXPECT_TRUE(WaitUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, 5000));
    CloseHandle(process);
}

// ---- Restart -----------------------------------------------------------------------

TEST(StandInRestart, BuildsAFreshTaskbarAndTellsEveryWindow)
{
    StandIn standIn("6.1");
    ASSERT_TRUE(standIn.ready());
    RecordingWindow listener;
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    ASSERT_TRUE(NotifyIcon(NIM_ADD, listener.hwnd(), 9, NIF_TIP, "消える"));
    EXPECT_EQ(5, standIn.command("count"));
    HWND oldTaskbar = standIn.taskbar();
    HWND oldNotify = standIn.notifyArea();

    const size_t mark = standIn.journalMark();
    ASSERT_EQ(1, standIn.command("restart"));
    EXPECT_FALSE(IsWindow(oldNotify));
    EXPECT_FALSE(IsWindow(oldTaskbar));
    HWND notify = standIn.notifyArea();
    ASSERT_NE(nullptr, notify);
    EXPECT_NE(oldNotify, notify);
    EXPECT_EQ(standIn.taskbar(), ParentOf(notify));
    EXPECT_TRUE(listener.waitFor(taskbarCreated, 5000));

    // Icons other programs added are gone; the demo icons are back.
    std::vector<ToolbarButton> buttons = ReadToolbarButtons(IconToolbar(notify));
    EXPECT_EQ(4u, buttons.size());
    EXPECT_EQ(3, VisibleCount(buttons));
    EXPECT_FALSE(NotifyIcon(NIM_DELETE, listener.hwnd(), 9, 0));
    std::vector<JournalEntry> created = standIn.entries("standin", "TaskbarCreated", mark);
    ASSERT_EQ(1u, created.size());
    EXPECT_EQ(static_cast<long long>(taskbarCreated), created[0].number("message"));
    EXPECT_EQ(Hex(notify), created[0].param("notify"));
    EXPECT_EQ(1u, standIn.entries("standin", "restart", mark).size());
}

TEST(StandInRestart, DestroysTheNotificationAreaInsideAForeignWindow)
{
    StandIn standIn("5.1");
    ASSERT_TRUE(standIn.ready());
    RecordingWindow host(320, 200, true);
    HWND old = standIn.notifyArea();
    ASSERT_NE(nullptr, SetParent(old, host.hwnd()));
    ASSERT_EQ(host.hwnd(), ParentOf(old));

    ASSERT_EQ(1, standIn.command("restart"));
    EXPECT_FALSE(IsWindow(old));
    EXPECT_TRUE(Children(host.hwnd()).empty());
    HWND fresh = standIn.notifyArea();
    ASSERT_NE(nullptr, fresh);
    EXPECT_EQ(standIn.taskbar(), ParentOf(fresh));
}

TEST(StandInRestart, RecoversANotificationAreaLostWithItsForeignHost)
{
    StandIn standIn("6.1");
    ASSERT_TRUE(standIn.ready());
    HWND lost = standIn.notifyArea();
    {
        RecordingWindow host(320, 200, true);
        ASSERT_NE(nullptr, SetParent(lost, host.hwnd()));
    }
    // Destroying the host took the notification area along, as a crashed program would.
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(lost); }, 3000));
    EXPECT_EQ(0, standIn.command("report"));
    ASSERT_EQ(1, standIn.command("restart"));
    HWND fresh = standIn.notifyArea();
    ASSERT_NE(nullptr, fresh);
    EXPECT_EQ(standIn.taskbar(), ParentOf(fresh));
    EXPECT_EQ(1, standIn.command("report"));
    EXPECT_EQ(4u, ReadToolbarButtons(IconToolbar(fresh)).size());
}

// ---- The clock and the hidden-icons button -----------------------------------------

TEST(StandInClock, PrivateMessagesOpenAndCloseTheFlyoutAndTooltip)
{
    StandIn standIn("6.1");
    ASSERT_TRUE(standIn.ready());
    HWND clock = FindChild(standIn.notifyArea(), "TrayClockWClass");
    ASSERT_NE(nullptr, clock);
    const DWORD pid = standIn.processId();
    const size_t mark = standIn.journalMark();

    SendMessageA(clock, kFlyoutRequest, 1, 0);
    HWND flyout = WaitForTopLevel("ClockFlyoutWindow", pid, 2000);
    ASSERT_NE(nullptr, flyout);
    EXPECT_TRUE(IsWindowVisible(flyout));
    EXPECT_TRUE(GetWindowLongA(flyout, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const RECT box = RectOf(flyout);
    EXPECT_EQ(230, box.right - box.left);
    EXPECT_EQ(200, box.bottom - box.top);
    // The same request closes an open flyout; the control command closes it too.
    SendMessageA(clock, kFlyoutRequest, 1, 0);
    EXPECT_EQ(nullptr, FindTopLevel("ClockFlyoutWindow", pid));
    SendMessageA(clock, kFlyoutRequest, 1, 0);
    EXPECT_NE(nullptr, FindTopLevel("ClockFlyoutWindow", pid));
    EXPECT_EQ(1, standIn.command("flyout close"));
    EXPECT_EQ(nullptr, FindTopLevel("ClockFlyoutWindow", pid));

    SendMessageA(clock, kTooltipRequest, 1, 0);
    HWND tooltip = FindTopLevel("ClockTooltipWindow", pid);
    ASSERT_NE(nullptr, tooltip);
    EXPECT_TRUE(IsWindowVisible(tooltip));
    EXPECT_TRUE(GetWindowLongA(tooltip, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    SendMessageA(clock, kTooltipRequest, 0, 0);
    EXPECT_EQ(nullptr, FindTopLevel("ClockTooltipWindow", pid));

    SendMessageA(clock, kPointerNotice, 2, 0);
    std::vector<JournalEntry> flyouts = standIn.entries("TrayClockWClass", "WM_USER+102", mark);
    ASSERT_EQ(3u, flyouts.size());
    EXPECT_EQ("open", flyouts[0].param("flyout"));
    EXPECT_EQ("closed", flyouts[1].param("flyout"));
    std::vector<JournalEntry> tooltips = standIn.entries("TrayClockWClass", "WM_USER+103", mark);
    ASSERT_EQ(2u, tooltips.size());
    EXPECT_EQ("1", tooltips[0].param("wParam"));
    EXPECT_EQ("open", tooltips[0].param("tooltip"));
    EXPECT_EQ("closed", tooltips[1].param("tooltip"));
    std::vector<JournalEntry> notices = standIn.entries("TrayClockWClass", "WM_USER+104", mark);
    ASSERT_EQ(1u, notices.size());
    EXPECT_EQ("2", notices[0].param("wParam"));
}

// Windows 10 from 1607: the old requests do nothing; a press and a release toggle the
// calendar, which also closes when it loses the activation, to a press on the clock too;
// a rest shows the clock's tooltip control.
TEST(StandInClock, OnWindows10TheCalendarFollowsPressesAndActivationAndARestShowsTheTooltip)
{
    MoveCursor(kAway.x, kAway.y);
    StandIn standIn("10");
    ASSERT_TRUE(standIn.ready());
    HWND clock = FindChild(standIn.notifyArea(), "TrayClockWClass");
    ASSERT_NE(nullptr, clock);
    const DWORD pid = standIn.processId();
    const POINT onClock = Centre(RectOf(clock));
    size_t mark = standIn.journalMark();

    MoveCursor(onClock.x, onClock.y);
    ASSERT_TRUE(standIn.waitForJournal("\ttooltips_class32\tshown\t", 5000, mark));
    // The stand-in's shown tooltip control is the clock's.
    HWND tip = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        while ((tip = FindWindowExA(nullptr, tip, "tooltips_class32", nullptr)) && (ProcessOf(tip) != pid || !IsWindowVisible(tip))) {}
        return tip != nullptr;
    }, 3000));
    char date[80] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, date, sizeof date);
    EXPECT_EQ(date, standIn.entries("TrayClockWClass", "TTN_NEEDTEXT", mark).at(0).param("text"));
    EXPECT_EQ(nullptr, FindTopLevel("ClockTooltipWindow", pid));

    mark = standIn.journalMark();
    SendMessageA(clock, kFlyoutRequest, 1, 0);
    SendMessageA(clock, kTooltipRequest, 1, 0);
    SendMessageA(clock, WM_LBUTTONUP, 0, 0);  // a release without a press
    EXPECT_EQ(nullptr, FindTopLevel("ClockFlyoutWindow", pid));
    EXPECT_EQ(nullptr, FindTopLevel(kCalendar, pid));
    EXPECT_EQ("none", standIn.entries("TrayClockWClass", "WM_USER+102", mark).at(0).param("effect"));
    EXPECT_EQ("none", standIn.entries("TrayClockWClass", "WM_USER+103", mark).at(0).param("effect"));

    // Press and release as messages: open at the taskbar's corner and in front, then closed.
    SendMessageA(clock, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(clock, WM_LBUTTONUP, 0, 0);
    HWND calendar = FindTopLevel(kCalendar, pid);
    ASSERT_NE(nullptr, calendar);
    EXPECT_EQ("Date and Time Information", TextOf(calendar));
    const RECT bar = RectOf(standIn.taskbar()), box = RectOf(calendar);
    EXPECT_EQ(bar.right, box.right);
    EXPECT_EQ(bar.top, box.bottom);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == calendar; }, 3000));
    SendMessageA(clock, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(clock, WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(IsWindow(calendar));

    // A user's click opens it; the next one closes it, though its press took the activation.
    mark = standIn.journalMark();
    Click(onClock);
    ASSERT_NE(nullptr, calendar = WaitForTopLevel(kCalendar, pid, 5000));
    Click(onClock);
    std::vector<JournalEntry> releases;
    WaitUntil([&] { return (releases = standIn.entries("TrayClockWClass", "WM_LBUTTONUP", mark)).size() >= 2; }, 3000);
    ASSERT_EQ(2u, releases.size());
    EXPECT_EQ("opened", releases[0].param("calendar"));
    EXPECT_EQ("closed", releases[1].param("calendar"));
    EXPECT_EQ("1", releases[0].param("posted"));
    EXPECT_EQ(nullptr, FindTopLevel(kCalendar, pid));

    // Any other window taking the activation closes it; so does the command.
    MoveCursor(kAway.x, kAway.y);
    mark = standIn.journalMark();
    SendMessageA(clock, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(clock, WM_LBUTTONUP, 0, 0);
    calendar = FindTopLevel(kCalendar, pid);
    ASSERT_NE(nullptr, calendar);
    RecordingWindow other(200, 100, true);
    SetForegroundWindow(other.hwnd());
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(calendar); }, 3000));
    SendMessageA(clock, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(clock, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(1, standIn.command("calendar close"));
    EXPECT_EQ(nullptr, FindTopLevel(kCalendar, pid));
    std::vector<JournalEntry> closes = standIn.entries(kCalendar, "closed", mark);
    ASSERT_EQ(2u, closes.size());
    EXPECT_EQ("deactivated", closes[0].param("reason"));
    EXPECT_EQ("command", closes[1].param("reason"));
    EXPECT_EQ(2u, standIn.entries(kCalendar, "opened", mark).size());
}

// On Windows 10 the overflow window exists from the start and is only shown and hidden.
class StandInOverflow : public ::testing::TestWithParam<const char*> {};

TEST_P(StandInOverflow, HiddenIconsCommandAndClickOpenTheOverflowWindow)
{
    StandIn standIn(GetParam());
    ASSERT_TRUE(standIn.ready());
    HWND notify = standIn.notifyArea();
    HWND button = FindChild(notify, "Button");
    ASSERT_NE(nullptr, button);
    const DWORD pid = standIn.processId();
    auto open = [&] { return IsWindowVisible(FindTopLevel("NotifyIconOverflowWindow", pid)) != FALSE; };

    // Only the command from the hidden-icons button itself counts.
    SendMessageA(notify, WM_COMMAND, kHiddenIconsCommand, 0);
    EXPECT_FALSE(open());
    SendMessageA(notify, WM_COMMAND, kHiddenIconsCommand, reinterpret_cast<LPARAM>(button));
    HWND overflow = FindTopLevel("NotifyIconOverflowWindow", pid);
    ASSERT_TRUE(open());
    EXPECT_TRUE(GetWindowLongA(overflow, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    if (std::string(GetParam()) == "10") {
        HWND list = FindChild(overflow, "ToolbarWindow32");
        EXPECT_EQ("Overflow Notification Area", TextOf(list));
        EXPECT_EQ(1u, ReadToolbarButtons(list).size()) << "the one hidden demo icon";
    }

    // A user's click on the button toggles it the same way.
    const RECT rect = RectOf(button);
    ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    EXPECT_TRUE(WaitUntil([&] { return !open(); }, 5000));
    ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    EXPECT_TRUE(WaitUntil(open, 5000));
    // The window may be up before the command's journal line is written.
    std::vector<JournalEntry> commands;
    WaitUntil([&] { return (commands = standIn.entries("TrayNotifyWnd", "WM_COMMAND")).size() >= 4; }, 3000);
    ASSERT_EQ(4u, commands.size());
    EXPECT_EQ("ignored", commands[0].param("result"));
    EXPECT_EQ("overflow-open", commands[1].param("result"));
    EXPECT_EQ("overflow-closed", commands[2].param("result"));
}

INSTANTIATE_TEST_SUITE_P(Layouts, StandInOverflow, ::testing::Values("6.1", "10"),
                         [](const ::testing::TestParamInfo<const char*>& layout) {
                             return std::string(layout.param[0] == '6' ? "Windows7" : "Windows10");
                         });

// ---- Messages to the taskbar -------------------------------------------------------

TEST(StandInTaskbar, JournalsClicksHitTestsAndRelayout)
{
    StandIn standIn("6.1");
    ASSERT_TRUE(standIn.ready());
    HWND taskbar = standIn.taskbar();
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    size_t mark = standIn.journalMark();

    SendMessageA(taskbar, WM_RBUTTONUP, 0, MAKELPARAM(-5, 12));
    SendMessageA(taskbar, WM_NCHITTEST, 0, MAKELPARAM(1200, 790));
    SendMessageA(taskbar, WM_NCLBUTTONDOWN, 9, MAKELPARAM(1250, 785));
    std::vector<JournalEntry> clicks = standIn.entries("Shell_TrayWnd", "WM_RBUTTONUP", mark);
    ASSERT_EQ(1u, clicks.size());
    EXPECT_EQ(-5, clicks[0].number("x"));
    EXPECT_EQ(12, clicks[0].number("y"));
    EXPECT_EQ("0x000CFFFB", clicks[0].param("lParam"));
    std::vector<JournalEntry> hits = standIn.entries("Shell_TrayWnd", "WM_NCHITTEST", mark);
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(1200, hits[0].number("x"));
    std::vector<JournalEntry> presses = standIn.entries("Shell_TrayWnd", "WM_NCLBUTTONDOWN", mark);
    ASSERT_EQ(1u, presses.size());
    EXPECT_EQ(9, presses[0].number("wParam"));
    EXPECT_EQ(785, presses[0].number("y"));

    // A taller taskbar after MoveWindow and WM_SIZE (0, 0): the notification area follows.
    mark = standIn.journalMark();
    MoveWindow(taskbar, 0, height - 40, width, 40, TRUE);
    SendMessageA(taskbar, WM_SIZE, 0, 0);
    std::vector<JournalEntry> moves = standIn.entries("Shell_TrayWnd", "WM_WINDOWPOSCHANGED", mark);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(height - 40, moves.back().number("y"));
    EXPECT_EQ(40, moves.back().number("h"));
    std::vector<JournalEntry> sizes = standIn.entries("Shell_TrayWnd", "WM_SIZE", mark);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ("0x00000000", sizes.back().param("lParam"));
    const RECT notify = RectOf(standIn.notifyArea());
    EXPECT_EQ(40, notify.bottom - notify.top);
    EXPECT_EQ(width, notify.right);
}

TEST(StandInTaskbar, ShowsAndEndsTheTClockWindowOnRequest)
{
    StandIn standIn("6.1");
    ASSERT_TRUE(standIn.ready());
    EXPECT_EQ(nullptr, FindTopLevel("TClockMainClass", standIn.processId()));
    ASSERT_EQ(1, standIn.command("tclock start"));
    HWND tclock = FindWindowA("TClockMainClass", "TClock");
    ASSERT_NE(nullptr, tclock);
    EXPECT_EQ(standIn.processId(), ProcessOf(tclock));
    EXPECT_EQ(1, standIn.command("tclock end"));
    EXPECT_FALSE(IsWindow(tclock));
    EXPECT_EQ(2u, standIn.entries("standin", "tclock").size());
}

// ---- The notification area in a foreign window -------------------------------------

// On Windows 10 the taskbar also moves the area back to its place in the taskbar's
// coordinates whenever an icon comes or goes, even while another window holds it.
class StandInCapture : public ::testing::TestWithParam<const char*> {};

TEST_P(StandInCapture, NotificationAreaWorksInAForeignWindowAndGoesBack)
{
    const bool windows10 = std::string(GetParam()) == "10";
    StandIn standIn(GetParam());
    ASSERT_TRUE(standIn.ready());
    HWND taskbar = standIn.taskbar();
    HWND notify = standIn.notifyArea();
    HWND toolbar = IconToolbar(notify);
    RecordingWindow host(300, 400, true);

    // Taken into the test's window and made tall: the children stand in a column.
    size_t mark = standIn.journalMark();
    ASSERT_NE(nullptr, SetParent(notify, host.hwnd()));
    MoveWindow(notify, 0, 0, 60, 300, TRUE);
    EXPECT_TRUE(standIn.waitForJournal("\tTrayNotifyWnd\tWM_SIZE\tw=60 h=300 layout=column", 3000, mark));
    ASSERT_EQ(1, standIn.command("report"));
    std::vector<JournalEntry> reports = standIn.entries("standin", "report", mark);
    ASSERT_EQ(1u, reports.size());
    EXPECT_EQ(Hex(host.hwnd()), reports[0].param("parent"));
    EXPECT_EQ("VtE2ERecordingWindow", reports[0].param("parentClass"));
    POINT origin = {0, 0};
    ClientToScreen(host.hwnd(), &origin);
    EXPECT_EQ(origin.x, reports[0].number("x"));
    EXPECT_EQ(origin.y, reports[0].number("y"));
    EXPECT_EQ(60, reports[0].number("w"));
    EXPECT_EQ(300, reports[0].number("h"));
    const RECT icons = RectOf(FindChild(notify, "SysPager"));
    const RECT clock = RectOf(FindChild(notify, "TrayClockWClass"));
    const RECT showDesktop = RectOf(FindChild(notify, "TrayShowDesktopButtonWClass"));
    EXPECT_LE(icons.bottom, clock.top);
    EXPECT_LE(clock.bottom, showDesktop.top);
    EXPECT_EQ(4u, ReadToolbarButtons(toolbar).size()) << "the toolbar still answers while hosted";
    EXPECT_EQ(1, standIn.command("add 60 新しい"));
    EXPECT_EQ(5u, ReadToolbarButtons(toolbar).size());
    std::vector<JournalEntry> moves = standIn.entries("TrayNotifyWnd", "relayout", mark);
    const RECT moved = RectOf(notify);
    if (windows10) {
        ASSERT_EQ(1u, moves.size());
        EXPECT_EQ("1", moves[0].param("held"));
        EXPECT_EQ(Hex(host.hwnd()), moves[0].param("parent"));
        EXPECT_EQ(origin.x + moves[0].number("x"), moved.left);
        EXPECT_EQ(RectOf(taskbar).right - RectOf(taskbar).left, moves[0].number("x") + moves[0].number("w"));
        EXPECT_EQ(moves[0].number("w"), moved.right - moved.left);
        EXPECT_EQ(RectOf(taskbar).bottom - RectOf(taskbar).top, moved.bottom - moved.top);
    } else {
        EXPECT_TRUE(moves.empty());
        EXPECT_EQ(origin.x, moved.left) << "the area keeps the place it was given";
        EXPECT_EQ(300, moved.bottom - moved.top);
    }

    // Given back, and the taskbar told to lay itself out: a row at the right end again.
    mark = standIn.journalMark();
    ASSERT_NE(nullptr, SetParent(notify, taskbar));
    SendMessageA(taskbar, WM_SIZE, 0, 0);
    const RECT bar = RectOf(taskbar);
    const RECT back = RectOf(notify);
    EXPECT_EQ(bar.right, back.right);
    EXPECT_EQ(bar.top, back.top);
    EXPECT_EQ(bar.bottom, back.bottom);
    EXPECT_LE(RectOf(FindChild(notify, "SysPager")).right, RectOf(FindChild(notify, "TrayClockWClass")).left);
    ASSERT_EQ(1, standIn.command("report"));
    reports = standIn.entries("standin", "report", mark);
    ASSERT_EQ(1u, reports.size());
    EXPECT_EQ("Shell_TrayWnd", reports[0].param("parentClass"));
    EXPECT_EQ(Hex(taskbar), reports[0].param("parent"));
    if (windows10) {
        EXPECT_EQ(1, standIn.command("remove 60"));
        moves = standIn.entries("TrayNotifyWnd", "relayout", mark);
        ASSERT_EQ(1u, moves.size());
        EXPECT_EQ("0", moves[0].param("held"));
        EXPECT_EQ(bar.right, RectOf(notify).right);
        EXPECT_EQ(back.right - back.left - 24, moves[0].number("w")) << "one icon's width less";
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, StandInCapture, ::testing::Values("6.1", "10"),
                         [](const ::testing::TestParamInfo<const char*>& layout) {
                             return std::string(layout.param[0] == '6' ? "Windows7" : "Windows10");
                         });

// ---- The harness's own helpers -----------------------------------------------------

TEST(Harness, TempDirRemovesEverythingInIt)
{
    std::string path;
    {
        TempDir dir;
        path = dir.path();
        ASSERT_TRUE(FileExists(path));
        ASSERT_TRUE(CreateDirectoryA(dir.file("sub").c_str(), nullptr));
        ASSERT_TRUE(WriteFile(dir.file("sub\\deep.txt"), "x"));
        ASSERT_TRUE(WriteFile(dir.file("top.txt"), "日本語"));
        EXPECT_EQ("日本語", ReadFile(dir.file("top.txt")));
    }
    EXPECT_FALSE(FileExists(path));
}

TEST(Harness, KeyChordReachesARegisteredHotkey)
{
    RecordingWindow window;
    ASSERT_TRUE(RegisterHotKey(window.hwnd(), 1, MOD_CONTROL | MOD_SHIFT, 'Q'));
    KeyChord({VK_CONTROL, VK_SHIFT, 'Q'});
    EXPECT_TRUE(window.waitFor(WM_HOTKEY, 5000));
    UnregisterHotKey(window.hwnd(), 1);
    EXPECT_FALSE(GetAsyncKeyState(VK_CONTROL) & 0x8000) << "every key of the chord is released";
    EXPECT_FALSE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
}

TEST(Harness, ReportedVersionReachesProgramsStartedAfterwards)
{
    // Whatever happens below, later programs get the prefix's own version again.
    struct Restore {
        ~Restore() { SetReportedVersion("standin.exe", ""); }
    } restore;
    SetReportedVersion("standin.exe", "winxp");
    {
        StandIn xp("5.1");
        ASSERT_TRUE(xp.ready());
        EXPECT_EQ("5.1", xp.entries("standin", "ready").at(0).param("version"));
    }
    SetReportedVersion("standin.exe", "win2k");
    {
        StandIn w2k("5.0");
        ASSERT_TRUE(w2k.ready());
        EXPECT_EQ("5.0", w2k.entries("standin", "ready").at(0).param("version"));
    }
    SetReportedVersion("standin.exe", "");
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\standin.exe", 0, KEY_QUERY_VALUE, &key) ==
        ERROR_SUCCESS) {
        EXPECT_NE(ERROR_SUCCESS, RegQueryValueExA(key, "Version", nullptr, nullptr, nullptr, nullptr));
        RegCloseKey(key);
    }
}

}  // namespace
