// Stories of the options window: its layout as the user sees it, Cancel and the close box
// bringing back what was shown, the defaults stored by OK, and the switches kept across a
// restart.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "harness.h"
#include "program.h"
#include "secondary_windows.h"

using namespace e2e;

namespace {

struct Running {
    StandIn standIn;
    Program program;
    Running(const char* flavour, const char* version, const std::string& ini = "") : standIn(flavour), program(version)
    {
        if (!ini.empty()) program.writeIni(ini);
        program.start();
    }
    bool started() { return program.waitStarted(standIn) == StartOutcome::captured; }
    HWND main() const { return program.mainWindow(); }
    HWND options() const { return FindTopLevel("VeltOption", program.processId()); }
    void end()
    {
        program.endAsUser();
        EXPECT_TRUE(program.waitExit(15000));
    }
};

struct Expected {
    int parent;  // 0: the options window; 1 to 3: the group of that hotkey
    const char* cls;
    const char* text;
    int x, y, width, height, id;
};

std::vector<Expected> ExpectedControls(int wide)
{
    std::vector<Expected> rows = {
        {0, "msctls_trackbar32", "", 10, 100, 196, 20, 1054},
        {0, "Button", "OK", 280 + wide, 220, 70, 25, 21},
        {0, "Button", "キャンセル", 360 + wide, 220, 70, 25, 22},
        {0, "Button", "デフォルト値に戻す", 160 + wide, 220, 110, 25, 28},
        {0, "Button", "カーソル感知", 16, 6, 185, 70, 0},
        {0, "Button", "ヴェルトリンの表示・非表示用ホットキー", 210, 6, 220 + wide, 56, 0},
        {0, "Button", "タイトルバー表示・非表示用ホットキー", 210, 68, 220 + wide, 56, 0},
        {0, "Button", "通知領域アイコン表示・非表示用ホットキー", 210, 130, 220 + wide, 56, 0},
        {0, "Button", "上", 36, 26, 30, 12, 1},
        {0, "Button", "下", 71, 26, 30, 12, 2},
        {0, "Button", "左", 106, 26, 30, 12, 3},
        {0, "Button", "右", 142, 26, 30, 12, 4},
        {0, "Button", "Shift", 41, 50, 50, 12, 0},
        {0, "Button", "Ctrl", 91, 50, 40, 12, 0},
        {0, "Button", "Alt", 136, 50, 40, 12, 0},
        {0, "Button", "タスクトレイをフラットにする", 16, 130, 150 + wide, 12, 7},
        {0, "Button", "非アクティブ時に常に非表示", 16, 150, 160 + wide, 12, 5},
        {0, "Button", "縦横一列表示にタスクトレイの状態に合わせてリサイズする", 16, 197, 305 + wide, 12, 0},
        {0, "Static", "ウィンドウの透過度", 16, 85, 100, 12, 5},
    };
    const int rowY[3] = {24, 86, 148};
    for (int i = 0; i < 3; ++i) {
        int id = 8 + 4 * i;
        rows.push_back({0, "Button", "Shift", 330, rowY[i], 50, 12, id});
        rows.push_back({0, "Button", "Ctrl", 380, rowY[i], 40, 12, id + 1});
        rows.push_back({0, "Button", "Alt", 330, rowY[i] + 17, 40, 12, id + 2});
        rows.push_back({0, "Button", "Win", 380, rowY[i] + 17, 40, 12, id + 3});
        // A drop-down list's own height is its selection field; the 150 is the list's.
        rows.push_back({i + 1, "ComboBox", "", 8, 23, 100, -1, i});
    }
    return rows;
}

HWND FindExpected(const std::vector<HWND>& children, HWND parent, const Expected& e)
{
    for (HWND child : children) {
        if (GetParent(child) != parent || lstrcmpiA(ClassOf(child).c_str(), e.cls) != 0) continue;
        if (GetDlgCtrlID(child) != e.id) continue;
        if (e.parent == 0 && TextOf(child) != e.text) continue;
        RECT r = RectInParent(child);
        if (r.left == e.x && r.top == e.y) return child;
    }
    return nullptr;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

std::vector<HWND> Descendants(HWND window)
{
    std::vector<HWND> all;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&all));
    return all;
}

std::vector<HWND> TopLevels(const char* cls, DWORD pid)
{
    std::vector<HWND> found;
    for (HWND w = FindWindowExA(nullptr, nullptr, cls, nullptr); w; w = FindWindowExA(nullptr, w, cls, nullptr)) {
        if (ProcessOf(w) == pid) found.push_back(w);
    }
    return found;
}

// The window exists hidden from the capture on, centred, with every control in its place;
// on the 9x family the third hotkey and the flat switch are not offered.
TEST(OptionsWindow, LayoutPerFlavour)
{
    struct Flavour {
        const char* standIn;
        const char* version;
        int wide;
        bool win9x;
    } flavours[] = {{"6.1", "win7", 20, false}, {"5.1", "winxp", 0, false}, {"4.10", "win98", 0, true}};
    for (const Flavour& f : flavours) {
        SCOPED_TRACE(f.standIn);
        Running run(f.standIn, f.version);
        ASSERT_TRUE(run.started());
        HWND options = run.options();
        ASSERT_NE(options, nullptr);
        EXPECT_FALSE(IsWindowVisible(options));
        EXPECT_EQ(TextOf(options), "オプション");
        EXPECT_EQ(GetWindow(options, GW_OWNER), run.main());
        LONG style = GetWindowLongA(options, GWL_STYLE);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & WS_THICKFRAME);
        RECT r = RectOf(options);
        EXPECT_EQ(r.right - r.left, 450 + f.wide);
        EXPECT_EQ(r.bottom - r.top, 290);
        EXPECT_EQ(r.left, GetSystemMetrics(SM_CXSCREEN) / 2 - 225);
        EXPECT_EQ(r.top, GetSystemMetrics(SM_CYSCREEN) / 2 - 145);

        std::vector<HWND> children = Descendants(options);
        std::vector<Expected> rows = ExpectedControls(f.wide);
        HWND groups[4] = {options};
        for (int i = 0; i < 3; ++i) groups[i + 1] = FindExpected(children, options, rows[5 + i]);
        for (const Expected& e : rows) {
            SCOPED_TRACE(std::string(e.cls) + " " + e.text + " id " + std::to_string(e.id));
            HWND control = FindExpected(children, groups[e.parent], e);
            ASSERT_NE(control, nullptr);
            RECT c = RectInParent(control);
            EXPECT_EQ(c.right - c.left, e.width);
            if (e.height >= 0) {
                EXPECT_EQ(c.bottom - c.top, e.height);
            }
            EXPECT_TRUE(GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE);
            // OK is the default button, drawn with its heavier frame.
            if (e.id == 21 && e.parent == 0) {
                EXPECT_EQ(GetWindowLongA(control, GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
            }
            if (lstrcmpiA(e.cls, "msctls_trackbar32") == 0) {
                EXPECT_EQ(SendMessageA(control, TBM_GETRANGEMIN, 0, 0), 100);
                EXPECT_EQ(SendMessageA(control, TBM_GETRANGEMAX, 0, 0), 255);
                EXPECT_EQ(IsWindowEnabled(control) != FALSE, !f.win9x);
                continue;
            }
            bool third = (e.id >= 16 && e.id <= 19) || &e == &rows[7] || e.parent == 3;
            bool offeredOn9x = !third && e.id != 7;
            // Elsewhere the tray-watch thread enables the flat switch exactly while visual
            // styles are off (tray_watch_e2e), so its state here depends on when it last ran.
            if (e.id == 7 && !f.win9x) continue;
            EXPECT_EQ(IsWindowEnabled(control) != FALSE, !f.win9x || offeredOn9x);
            if (e.parent != 0) {
                EXPECT_EQ(SendMessageA(control, CB_GETCOUNT, 0, 0), 70);
                EXPECT_EQ(GetWindowLongA(control, GWL_STYLE) & 0x3, CBS_DROPDOWNLIST);
            }
        }
        // Each key list drops down with a scroll bar: 70 keys do not fit its 150 pixels. A combo
        // box hands the scroll bar to its list, a window of its own on the desktop.
        const std::vector<HWND> lists = TopLevels("ComboLBox", run.program.processId());
        EXPECT_EQ(lists.size(), 3u);
        for (HWND list : lists) EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
        run.end();
    }
}


// Unchecking an edge and moving the trackbar act at once; Cancel and the close box bring back
// the state the window was shown with.
TEST(OptionsWindow, CancelAndTheCloseBoxBringBackTheShownState)
{
    Running run("6.1", "win7", "[Window]\r\nAlpha=200\r\n");
    ASSERT_TRUE(run.started());
    ASSERT_EQ(AlphaOf(run.main()), 200);
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        HWND options = OpenFromMenu(run.program, kMenuOptions, "VeltOption");
        ASSERT_NE(options, nullptr);
        HWND top = ControlOf(options, 1, "上");
        HWND trackbar = ControlOf(options, 1054);
        ASSERT_TRUE(IsChecked(top));
        ASSERT_TRUE(ToggleBox(top));
        EXPECT_FALSE(IsChecked(top));
        // A click on the channel right of the thumb moves it a page up.
        RECT t = RectOf(trackbar);
        ClickAt(t.right - 8, (t.top + t.bottom) / 2);
        ASSERT_TRUE(WaitUntil([&] { return SendMessageA(trackbar, TBM_GETPOS, 0, 0) > 200; }, 3000));
        int moved = static_cast<int>(SendMessageA(trackbar, TBM_GETPOS, 0, 0));
        EXPECT_TRUE(WaitUntil([&] { return AlphaOf(run.main()) == moved; }, 3000)) << AlphaOf(run.main());

        if (closeBox) {
            ClickCloseBox(options);
        } else {
            ClickControl(ControlOf(options, 22, "キャンセル"));
        }
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }, 5000)) << ClickScene(options);
        EXPECT_TRUE(IsWindow(options));
        EXPECT_TRUE(IsChecked(top));
        EXPECT_EQ(SendMessageA(trackbar, TBM_GETPOS, 0, 0), 200);
        EXPECT_EQ(AlphaOf(run.main()), 200);
        EXPECT_TRUE(IsWindowVisible(run.main()));
    }
    EXPECT_EQ(run.program.readIni(), "[Window]\r\nAlpha=200\r\n");
    run.end();
}

// "Restore defaults" and OK store exactly the defaults, every key in its order, and leave the
// lines the program does not own alone; the opacity of the main window stays until a restart.
TEST(OptionsWindow, DefaultsThenOkStoreTheDefaults)
{
    const std::string ini = "; mine\r\n[Other]\r\nx=1\r\n[Target]\r\nKey=35\r\nTop=0\r\n[Window]\r\nAlpha=180\r\n"
                            "Flat=1\r\nFoo=bar\r\n";
    Running run("6.1", "win7", ini);
    ASSERT_TRUE(run.started());
    HWND options = OpenFromMenu(run.program, kMenuOptions, "VeltOption");
    ASSERT_NE(options, nullptr);
    HWND top = ControlOf(options, 1, "上");
    ASSERT_FALSE(IsChecked(top));
    HWND hotkey1Shift = ControlOf(options, 8, "Shift");
    ASSERT_TRUE(SetBox(hotkey1Shift, false));
    HWND hotkey1List = ControlOf(ControlOf(options, 0, "ヴェルトリンの表示・非表示用ホットキー"), 0);
    SendMessageA(hotkey1List, CB_SETCURSEL, 2, 0);

    ClickControl(ControlOf(options, 28, "デフォルト値に戻す"));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(top); }, 3000));
    EXPECT_TRUE(IsChecked(hotkey1Shift));
    EXPECT_EQ(SendMessageA(hotkey1List, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageA(ControlOf(options, 1054), TBM_GETPOS, 0, 0), 255);
    EXPECT_EQ(AlphaOf(run.main()), 180);
    EXPECT_EQ(run.program.readIni(), ini);

    ClickControl(ControlOf(options, 21, "OK"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }, 5000));
    EXPECT_EQ(run.program.readIni(),
              "; mine\r\n[Other]\r\nx=1\r\n[Target]\r\nKey=0\r\nTop=1\r\nDown=1\r\nLeft=1\r\nRight=1\r\n[Window]\r\n"
              "Alpha=255\r\nFlat=0\r\nFoo=bar\r\nHide=0\r\n[Config]\r\nHotKey=1601\r\nHotKey2=852\r\nHotKey3=324\r\n"
              "ReSize=1\r\n");
    EXPECT_EQ(AlphaOf(run.main()), 180);

    // Held open by another program the file cannot be replaced: OK waits about a second in
    // all, not one for each key, says once which keys it could not store, and closes.
    ASSERT_NE(OpenFromMenu(run.program, kMenuOptions, "VeltOption"), nullptr);
    HANDLE reader = OpenShared(run.program.iniPath());
    const DWORD pressed = GetTickCount();
    ClickControl(ControlOf(options, 21, "OK"));
    EXPECT_EQ(WaitMessageBox(run.program), "設定をvelt.iniに保存できませんでした。\r\n"
                                           "HotKey, HotKey2, HotKey3, ReSize, Alpha, Flat, Top, Down, Left, Right, Key, Hide");
    EXPECT_LT(GetTickCount() - pressed, 3000u);
    ASSERT_TRUE(AnswerMessageBox(run.program, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(options) && !run.program.messageBox(); }, 5000));
    CloseHandle(reader);
    EXPECT_FALSE(FileExists(run.program.iniPath() + ".new"));
    run.end();
}

// Stored modifier bytes check their boxes (13: Shift, Alt and Win; 16: none); sensing keys
// chosen and stored are checked again after a restart.
TEST(OptionsWindow, StoredSwitchesAreCheckedAgainAfterARestart)
{
    StandIn standIn("6.1");
    Program first("win7");
    first.writeIni("[Config]\r\nHotKey=3393\r\nHotKey2=4096\r\n");
    first.start();
    ASSERT_EQ(first.waitStarted(standIn), StartOutcome::captured);
    HWND options = OpenFromMenu(first, kMenuOptions, "VeltOption");
    ASSERT_NE(options, nullptr);
    const char* names[4] = {"Shift", "Ctrl", "Alt", "Win"};
    const bool hotkey1[4] = {true, false, true, true};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(IsChecked(ControlOf(options, 8 + i, names[i])), hotkey1[i]) << names[i];
        EXPECT_FALSE(IsChecked(ControlOf(options, 12 + i, names[i]))) << names[i];
    }
    ASSERT_TRUE(ToggleBox(ControlOf(options, 0, "Shift")));
    ASSERT_TRUE(ToggleBox(ControlOf(options, 0, "Alt")));
    ClickControl(ControlOf(options, 21, "OK"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }, 5000));
    EXPECT_NE(first.readIni().find("Key=34\r\n"), std::string::npos) << first.readIni();
    first.endAsUser();
    ASSERT_TRUE(first.waitExit(15000));

    Program second(first, "win7");
    second.start();
    ASSERT_EQ(second.waitStarted(standIn), StartOutcome::captured);
    HWND again = FindTopLevel("VeltOption", second.processId());
    EXPECT_TRUE(IsChecked(ControlOf(again, 0, "Shift")));
    EXPECT_FALSE(IsChecked(ControlOf(again, 0, "Ctrl")));
    EXPECT_TRUE(IsChecked(ControlOf(again, 0, "Alt")));
    second.endAsUser();
    EXPECT_TRUE(second.waitExit(15000));
}

}  // namespace
