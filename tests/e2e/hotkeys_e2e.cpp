// Stories of the three hotkeys as the user changes them in the options window: the notes and
// questions on the way, a combination another program holds, digits on the keypad, the third
// hotkey's overflow window, and the guard against a window that could never come back.
#include <gtest/gtest.h>

#include "harness.h"
#include "program.h"
#include "secondary_windows.h"

using namespace e2e;

namespace {

const char kShiftNote[] = "装飾キーにShiftキーを設定している場合は\n\rテンキーでの操作が無効になります。";
const char kShortcutQuestion[] =
    "この設定ではCtrl+CやWin+Fの様なショートカットキーと\n\r重複する可能性があります。\n\rこのまま設定しますか？\n\r"
    "設定した場合は重複しているショートカットキーが\n\r使えなくなります。";
const char kDuplicate[] = "既に他のソフトで設定されているか\n\rホットキーの設定が重複しています。\n\r再設定をお願いします。";
const char kNoWayBack[] = "この設定ではヴェルトリンが非表示になった後\n\r二度とヴェルトリンが表示出来なくなりますので\n\r"
                          "カーソル感知設定を変更前に戻します。";

const char* const kGroups[3] = {"ヴェルトリンの表示・非表示用ホットキー", "タイトルバー表示・非表示用ホットキー",
                                "通知領域アイコン表示・非表示用ホットキー"};

struct Running {
    StandIn standIn;
    Program program;
    explicit Running(const std::string& ini = "") : standIn("6.1"), program("win7")
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

// The options window's controls of one hotkey.
struct HotkeyRow {
    HWND list;
    HWND shift, ctrl, alt, win;
    HotkeyRow(HWND options, int index)
    {
        list = ControlOf(ControlOf(options, 0, kGroups[index]), index);
        int id = 8 + 4 * index;
        shift = ControlOf(options, id, "Shift");
        ctrl = ControlOf(options, id + 1, "Ctrl");
        alt = ControlOf(options, id + 2, "Alt");
        win = ControlOf(options, id + 3, "Win");
    }
    // Chooses the list entry showing `label` and the four modifier boxes.
    bool choose(const char* label, bool s, bool c, bool a, bool w) const
    {
        LRESULT position = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(label));
        if (position < 0) return false;
        SendMessageA(list, CB_SETCURSEL, position, 0);
        return SetBox(shift, s) && SetBox(ctrl, c) && SetBox(alt, a) && SetBox(win, w);
    }
};

void PressOk(HWND options) { ClickControl(ControlOf(options, 21, "OK")); }

bool Hidden(HWND window) { return WaitUntil([&] { return !IsWindowVisible(window); }, 5000); }
bool Shown(HWND window) { return WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 5000); }

// Shift+Alt+A brings the Shift note and is taken; Ctrl+B asks first, and "No" keeps the window
// open with nothing written.
TEST(Hotkeys, ShiftNoteAndShortcutQuestion)
{
    Running run;
    ASSERT_TRUE(run.started());
    HWND options = OpenFromMenu(run.program, kMenuOptions, "VeltOption");
    ASSERT_NE(options, nullptr);
    HotkeyRow first(options, 0);
    ASSERT_TRUE(first.choose("A", true, false, true, false));
    PressOk(options);
    EXPECT_EQ(WaitMessageBox(run.program), kShiftNote);
    ASSERT_TRUE(AnswerMessageBox(run.program, IDOK));
    ASSERT_TRUE(Hidden(options));
    EXPECT_NE(run.program.readIni().find("HotKey=1345\r\n"), std::string::npos) << run.program.readIni();
    EXPECT_TRUE(HotkeyTaken(MOD_SHIFT | MOD_ALT, 'A'));
    EXPECT_FALSE(HotkeyTaken(MOD_SHIFT | MOD_CONTROL, 'A'));

    options = OpenFromMenu(run.program, kMenuOptions, "VeltOption");
    ASSERT_NE(options, nullptr);
    const std::string before = run.program.readIni();
    ASSERT_TRUE(first.choose("B", false, true, false, false));
    PressOk(options);
    EXPECT_EQ(WaitMessageBox(run.program), kShortcutQuestion);
    ASSERT_TRUE(AnswerMessageBox(run.program, IDNO));
    EXPECT_TRUE(IsWindowVisible(options));
    EXPECT_EQ(run.program.readIni(), before);
    // Nothing was taken over: the earlier combination still answers.
    EXPECT_FALSE(HotkeyTaken(MOD_CONTROL, 'B'));
    EXPECT_TRUE(HotkeyTaken(MOD_SHIFT | MOD_ALT, 'A'));
    ClickControl(ControlOf(options, 22, "キャンセル"));
    ASSERT_TRUE(Hidden(options));
    run.end();
}

// A combination held by another program stops OK with the duplicate message; the earlier
// hotkeys keep working, and Cancel puts back a hotkey that this OK had already changed.
TEST(Hotkeys, CombinationHeldElsewhere)
{
    Running run;
    ASSERT_TRUE(run.started());
    RecordingWindow other;
    ASSERT_TRUE(RegisterHotKey(other.hwnd(), 1, MOD_CONTROL | MOD_ALT, 'Q'));
    HWND options = OpenFromMenu(run.program, kMenuOptions, "VeltOption");
    ASSERT_NE(options, nullptr);
    const std::string before = run.program.readIni();
    ASSERT_TRUE(HotkeyRow(options, 0).choose("W", false, true, true, false));
    ASSERT_TRUE(HotkeyRow(options, 1).choose("Q", false, true, true, false));
    PressOk(options);
    EXPECT_EQ(WaitMessageBox(run.program), kDuplicate);
    ASSERT_TRUE(AnswerMessageBox(run.program, IDOK));
    EXPECT_TRUE(IsWindowVisible(options));
    EXPECT_EQ(run.program.readIni(), before);
    EXPECT_TRUE(HotkeyTaken(MOD_CONTROL | MOD_ALT, 'W')) << "the first hotkey was changed before the stop";
    // The second hotkey keeps its earlier combination, and that still switches the title bar.
    auto captioned = [&] { return (GetWindowLongA(run.main(), GWL_STYLE) & WS_CAPTION) == WS_CAPTION; };
    ASSERT_TRUE(captioned());
    KeyChord({VK_CONTROL, VK_MENU, 'T'});
    EXPECT_TRUE(WaitUntil([&] { return !captioned(); }, 5000));
    KeyChord({VK_CONTROL, VK_MENU, 'T'});
    EXPECT_TRUE(WaitUntil(captioned, 5000));

    ClickControl(ControlOf(options, 22, "キャンセル"));
    ASSERT_TRUE(Hidden(options));
    EXPECT_FALSE(HotkeyTaken(MOD_CONTROL | MOD_ALT, 'W'));
    // The first hotkey as it was at opening toggles the main window.
    KeyChord({VK_CONTROL, VK_SHIFT, 'A'});
    EXPECT_TRUE(Hidden(run.main()));
    KeyChord({VK_CONTROL, VK_SHIFT, 'A'});
    EXPECT_TRUE(Shown(run.main()));

    // Once more, and meanwhile another program takes the first hotkey's earlier combination:
    // Cancel cannot put it back, and says so.
    options = OpenFromMenu(run.program, kMenuOptions, "VeltOption");
    ASSERT_NE(options, nullptr);
    ASSERT_TRUE(HotkeyRow(options, 0).choose("W", false, true, true, false));
    ASSERT_TRUE(HotkeyRow(options, 1).choose("Q", false, true, true, false));
    PressOk(options);
    EXPECT_EQ(WaitMessageBox(run.program), kDuplicate);
    ASSERT_TRUE(AnswerMessageBox(run.program, IDOK));
    ASSERT_TRUE(RegisterHotKey(other.hwnd(), 2, MOD_CONTROL | MOD_SHIFT, 'A'));
    ClickControl(ControlOf(options, 22, "キャンセル"));
    EXPECT_EQ(WaitMessageBox(run.program), kDuplicate);
    ASSERT_TRUE(AnswerMessageBox(run.program, IDOK));
    ASSERT_TRUE(Hidden(options));
    UnregisterHotKey(other.hwnd(), 1);
    UnregisterHotKey(other.hwnd(), 2);
    run.end();
}

// A digit is answered on the keypad and stored with its own code; a keypad-like key acts as
// the first hotkey whichever hotkey carries it; the third hotkey opens the overflow window
// beside the pointer, and does nothing while the hidden-icons button is hidden.
TEST(Hotkeys, KeypadDigitsSlashAndTheOverflowWindow)
{
    Running run;
    ASSERT_TRUE(run.started());
    HWND options = OpenFromMenu(run.program, kMenuOptions, "VeltOption");
    ASSERT_NE(options, nullptr);
    ASSERT_TRUE(HotkeyRow(options, 0).choose("5", false, true, true, false));
    ASSERT_TRUE(HotkeyRow(options, 1).choose("/", false, true, true, false));
    PressOk(options);
    ASSERT_TRUE(Hidden(options));
    EXPECT_EQ(run.program.messageBox(), nullptr);
    const std::string ini = run.program.readIni();
    EXPECT_NE(ini.find("HotKey=821\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("HotKey2=959\r\n"), std::string::npos) << ini;
    EXPECT_TRUE(HotkeyTaken(MOD_CONTROL | MOD_ALT, VK_NUMPAD5));
    EXPECT_FALSE(HotkeyTaken(MOD_CONTROL | MOD_ALT, '5')) << "the main-row digit, only a test of the combination, is free";

    // Each chord once the foreground has settled: Wine resets the modifiers on a change of it.
    const auto chord = [](const std::vector<WORD>& keys) {
        EXPECT_TRUE(WaitForSteadyForeground());
        KeyChord(keys);
    };
    chord({VK_CONTROL, VK_MENU, VK_NUMPAD5});
    EXPECT_TRUE(Hidden(run.main()));
    chord({VK_CONTROL, VK_MENU, VK_NUMPAD5});
    EXPECT_TRUE(Shown(run.main()));
    chord({VK_CONTROL, VK_MENU, VK_OEM_2});
    EXPECT_TRUE(Hidden(run.main()));
    chord({VK_CONTROL, VK_MENU, VK_OEM_2});
    EXPECT_TRUE(Shown(run.main()));

    HWND button = FindChild(run.standIn.notifyArea(), "Button");
    ASSERT_NE(button, nullptr);
    MoveCursor(400, 300);
    size_t mark = run.standIn.journalMark();
    chord({VK_MENU, 'D'});
    ASSERT_TRUE(run.standIn.waitForJournal("overflow-open", 5000, mark));
    auto commands = run.standIn.entries("TrayNotifyWnd", "WM_COMMAND", mark);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].number("wParam"), 1502);
    EXPECT_EQ(std::strtoull(commands[0].param("lParam").c_str(), nullptr, 16), reinterpret_cast<UINT_PTR>(button));
    HWND overflow = FindTopLevel("NotifyIconOverflowWindow", run.standIn.processId());
    ASSERT_NE(overflow, nullptr);
    RECT main = RectOf(run.main());
    EXPECT_TRUE(WaitUntil(
        [&] {
            RECT r = RectOf(overflow);
            return r.left == 400 - (main.right - main.left) / 2 && r.top == 300 - (main.bottom - main.top) / 2;
        },
        5000));
    EXPECT_EQ(run.standIn.command("overflow close"), 1);

    // With the button hidden the third hotkey does nothing; the first hotkey pressed after it
    // shows that the program has handled both.
    ShowWindow(button, SW_HIDE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(button); }, 3000));
    mark = run.standIn.journalMark();
    chord({VK_MENU, 'D'});
    KeyChord({VK_CONTROL, VK_MENU, VK_NUMPAD5});
    EXPECT_TRUE(Hidden(run.main()));
    EXPECT_TRUE(run.standIn.entries("TrayNotifyWnd", "WM_COMMAND", mark).empty());
    ShowWindow(button, SW_SHOW);
    run.end();
}

// "None" for the first hotkey together with no edge would leave no way back: the message comes,
// the edge boxes return as they were, and OK still writes.
TEST(Hotkeys, NoHotkeyAndNoEdgeIsCaught)
{
    Running run;
    ASSERT_TRUE(run.started());
    HWND options = OpenFromMenu(run.program, kMenuOptions, "VeltOption");
    ASSERT_NE(options, nullptr);
    HotkeyRow first(options, 0);
    SendMessageA(first.list, CB_SETCURSEL, 0, 0);
    const char* edges[4] = {"上", "下", "左", "右"};
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(SetBox(ControlOf(options, 1 + i, edges[i]), false));
    PressOk(options);
    EXPECT_EQ(WaitMessageBox(run.program), kNoWayBack);
    ASSERT_TRUE(AnswerMessageBox(run.program, IDOK));
    ASSERT_TRUE(Hidden(options));
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(IsChecked(ControlOf(options, 1 + i, edges[i]))) << edges[i];
    // "None" clears its boxes and frees the combination.
    EXPECT_FALSE(IsChecked(first.shift));
    EXPECT_FALSE(IsChecked(first.ctrl));
    EXPECT_FALSE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT, 'A'));
    const std::string ini = run.program.readIni();
    for (const char* line : {"HotKey=0\r\n", "Top=1\r\n", "Down=1\r\n", "Left=1\r\n", "Right=1\r\n"}) {
        EXPECT_NE(ini.find(line), std::string::npos) << line << ini;
    }

    // With one edge left the choice has a way back and passes unchanged.
    options = OpenFromMenu(run.program, kMenuOptions, "VeltOption");
    ASSERT_NE(options, nullptr);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(SetBox(ControlOf(options, 1 + i, edges[i]), false));
    PressOk(options);
    ASSERT_TRUE(Hidden(options));
    EXPECT_EQ(run.program.messageBox(), nullptr);
    EXPECT_FALSE(IsChecked(ControlOf(options, 1, "上")));
    EXPECT_NE(run.program.readIni().find("Top=0\r\n"), std::string::npos);
    run.end();
}

}  // namespace
