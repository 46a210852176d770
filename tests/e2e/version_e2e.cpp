// The version window as the user meets it: its layout per flavour, the two links opening the
// web site and a mail, the hand cursor over them, and closing it in every way.
#include <gtest/gtest.h>

#include "harness.h"
#include "program.h"
#include "secondary_windows.h"

using namespace e2e;

namespace {

const char kWebSite[] = "https://veltrin.example.org/";
const char kSupportMail[] = "support@veltrin.example.org";

struct Row {
    const char* cls;
    int x, y, width, height, id;
    int style;  // the low style bits that make the control what it is
};

// Whether the screen shows the colour somewhere on the window.
bool ShowsColour(HWND window, COLORREF colour)
{
    const RECT r = RectOf(window);
    HDC screen = GetDC(nullptr);
    bool found = false;
    for (int y = r.top; y < r.bottom && !found; ++y) {
        for (int x = r.left; x < r.right && !found; ++x) found = GetPixel(screen, x, y) == colour;
    }
    ReleaseDC(nullptr, screen);
    return found;
}

// The layout, a click on each link, and the hand cursor, on a flavour with larger links and
// one without.
TEST(VersionWindow, LayoutAndLinks)
{
    for (bool wide : {true, false}) {
        SCOPED_TRACE(wide ? "6.1" : "5.1");
        StandIn standIn(wide ? "6.1" : "5.1");
        Program program(wide ? "win7" : "winxp");
        program.start();
        ASSERT_EQ(program.waitStarted(standIn), StartOutcome::captured);
        HWND version = FindTopLevel("VeltVerWnd", program.processId());
        ASSERT_NE(version, nullptr);
        EXPECT_FALSE(IsWindowVisible(version));
        EXPECT_EQ(TextOf(version), "バージョン情報");
        EXPECT_EQ(GetWindow(version, GW_OWNER), program.mainWindow());
        RECT r = RectOf(version);
        EXPECT_EQ(r.right - r.left, 300);
        EXPECT_EQ(r.bottom - r.top, 128);
        EXPECT_EQ(r.left, GetSystemMetrics(SM_CXSCREEN) / 2 - 150);
        EXPECT_EQ(r.top, GetSystemMetrics(SM_CYSCREEN) / 2 - 64);

        const int extraWidth = wide ? 15 : 0, extraHeight = wide ? 5 : 0;
        HWND ok = ControlOf(version, 1060, "OK");
        HWND about = ControlOf(version, 1);
        HWND web = ControlOf(version, 1058, kWebSite);
        HWND mail = ControlOf(version, 1059, kSupportMail);
        HWND icon = ControlOf(version, 0);
        const struct {
            HWND control;
            Row row;
        } rows[] = {
            {ok, {"Button", 224, 34, 57, 25, 1060, BS_PUSHBUTTON}},
            {about, {"Static", 60, 15, 140, 48, 1, SS_LEFT}},
            {web, {"Static", 60, 65, 185 + extraWidth, 12 + extraHeight, 1058, SS_NOTIFY}},
            {mail, {"Static", 60, 78, 118 + extraWidth, 12 + extraHeight, 1059, SS_NOTIFY}},
            {icon, {"Static", 15, 25, -1, -1, 0, SS_ICON}},
        };
        for (const auto& c : rows) {
            SCOPED_TRACE(c.row.id);
            ASSERT_NE(c.control, nullptr);
            EXPECT_EQ(lstrcmpiA(ClassOf(c.control).c_str(), c.row.cls), 0);
            RECT p = RectInParent(c.control);
            EXPECT_EQ(p.left, c.row.x);
            EXPECT_EQ(p.top, c.row.y);
            if (c.row.width >= 0) {
                EXPECT_EQ(p.right - p.left, c.row.width);
                EXPECT_EQ(p.bottom - p.top, c.row.height);
            }
            EXPECT_EQ(GetWindowLongA(c.control, GWL_STYLE) & c.row.style, c.row.style);
        }
        EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);
        RECT iconRect = RectOf(icon);
        EXPECT_EQ(iconRect.right - iconRect.left, GetSystemMetrics(SM_CXICON));
        EXPECT_EQ(TextOf(about).rfind("ヴェルトリン\n\rVersion 1.4.8.3\n\r", 0), 0u) << TextOf(about);
        ASSERT_EQ(OpenFromMenu(program, kMenuVersion, "VeltVerWnd"), version);
        // The links are written in blue, the rest in the window's text colour.
        const COLORREF blue = RGB(0, 0, 255);
        EXPECT_TRUE(WaitUntil([&] { return ShowsColour(web, blue) && ShowsColour(mail, blue); }, 3000)) << "links not blue";
        EXPECT_FALSE(ShowsColour(about, blue));
        // Over a link the pointer is the hand; over the about text the arrow.
        HCURSOR hand = reinterpret_cast<HCURSOR>(program.reportedHandle("handCursor"));
        HCURSOR arrow = reinterpret_cast<HCURSOR>(program.reportedHandle("arrowCursor"));
        ASSERT_NE(hand, arrow);
        // Under load Wine may hit-test a warp of the pointer at its earlier place; a user's hand
        // moves on, so the pointer moves again by a pixel while the cursor is not yet the one wanted.
        auto cursorOver = [](HWND control, HCURSOR expected) {
            RECT c = RectOf(control);
            CURSORINFO info{};
            info.cbSize = sizeof info;
            for (int nudge = 0; nudge < 6; ++nudge) {
                MoveCursor((c.left + c.right) / 2 + nudge % 2, (c.top + c.bottom) / 2);
                if (WaitUntil([&] { return GetCursorInfo(&info) && info.hCursor == expected; }, 500)) break;
            }
            return info.hCursor;
        };
        EXPECT_EQ(cursorOver(mail, hand), hand);
        EXPECT_EQ(cursorOver(about, arrow), arrow);
        EXPECT_EQ(cursorOver(web, hand), hand);
        JournalReader opened(program.openerJournal());
        ClickControl(web);
        ASSERT_TRUE(opened.waitFor([](const std::string&) { return true; }, 10000));
        EXPECT_EQ(ParseJournalLine(opened.lines()[0]).params, std::string("\"") + kWebSite + "\"");
        ClickControl(mail);
        ASSERT_TRUE(opened.waitFor([](const std::string&) { return true; }, 10000, 1));
        EXPECT_EQ(ParseJournalLine(opened.lines()[1]).params, std::string("\"mailto:") + kSupportMail + "\"");

        PostMessageA(version, WM_DESTROY, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(version); }, 5000));
        program.endAsUser();
        EXPECT_TRUE(program.waitExit(15000));
    }
}

// OK, the close box and WM_DESTROY each hide the window without destroying it; it shows again
// from the menu with the same contents.
TEST(VersionWindow, ClosesInEveryWayAndShowsAgain)
{
    StandIn standIn("6.1");
    Program program("win7");
    program.start();
    ASSERT_EQ(program.waitStarted(standIn), StartOutcome::captured);
    HWND version = FindTopLevel("VeltVerWnd", program.processId());
    ASSERT_NE(version, nullptr);
    const std::vector<HWND> children = Children(version);
    // WM_DESTROY comes first: under Wine, a right click on the caption right after a close-box
    // click and a WM_DESTROY opened no menu although the program had cleared its flag.
    for (int way : {2, 0, 1}) {
        SCOPED_TRACE(way);
        ASSERT_EQ(OpenFromMenu(program, kMenuVersion, "VeltVerWnd"), version);
        if (way == 0) ClickControl(ControlOf(version, 1060, "OK"));
        if (way == 1) ClickCloseBox(version);
        if (way == 2) PostMessageA(version, WM_DESTROY, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(version); }, 5000));
        EXPECT_TRUE(IsWindow(version));
        EXPECT_EQ(Children(version), children);
        // Closed, it no longer keeps the popup menu away. The click waits for the activation
        // that the hiding set off: under load Wine may hand it over after the menu is up,
        // which closes the menu at once.
        ASSERT_TRUE(WaitForSteadyForeground());
        RECT c = RectOf(program.mainWindow());
        int y = c.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
        ClickAt(c.left + 40, y, MouseButton::Right);
        HWND menu = WaitForTopLevel("#32768", program.processId(), 3000);
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(menu) != FALSE; }, 3000));
        KeyChord({VK_ESCAPE});
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, 3000));
    }
    program.endAsUser();
    EXPECT_TRUE(program.waitExit(15000));
}

}  // namespace
