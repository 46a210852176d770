// The program where the code page is not Japanese (this test, the stand-in and the program
// all run under en_US.UTF-8): in English, and in Japanese (the key Language=1) through the
// wide calls. Every text it shows, read with the wide calls, is the one of its string
// table, which is read from veltrin.exe itself.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstddef>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/text_ids.h"
#include "harness.h"
#include "program.h"
#include "secondary_windows.h"

using namespace e2e;

namespace {

std::wstring TableText(HMODULE exe, LANGID language, int id)
{
    HRSRC found = FindResourceExW(exe, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(id / 16 + 1), language);
    const auto* units = found ? static_cast<const WCHAR*>(LockResource(LoadResource(exe, found))) : nullptr;
    if (!units) return L"?";
    for (int i = 0; i < id % 16; ++i) units += 1 + *units;
    return std::wstring(units + 1, *units);
}

// A text as the program holds it: Japanese through the wide calls in UTF-8, English in the
// ANSI code page.
std::string Held(const std::wstring& text, UINT codePage)
{
    char bytes[1024] = "";
    WideCharToMultiByte(codePage, 0, text.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

std::wstring WideTextOf(HWND window, UINT message = WM_GETTEXT, WPARAM wParam = 512)
{
    wchar_t text[512] = L"";
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, message, wParam, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &length);
    return text;
}

// The labels of buttons and static controls (a list's text is its selected entry).
BOOL CALLBACK CollectText(HWND child, LPARAM texts)
{
    char cls[16] = "";
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Button") != 0 && lstrcmpiA(cls, "Static") != 0) return TRUE;
    const std::wstring text = WideTextOf(child);
    if (!text.empty()) reinterpret_cast<std::multiset<std::wstring>*>(texts)->insert(text);
    return TRUE;
}

std::vector<HWND> KeyLists(HWND options)
{
    std::vector<HWND> lists;
    for (HWND group = FindWindowExA(options, nullptr, "Button", nullptr); group;
         group = FindWindowExA(options, group, "Button", nullptr)) {
        if (HWND list = FindWindowExA(group, nullptr, "ComboBox", nullptr)) lists.push_back(list);
    }
    return lists;
}

TEST(Languages, EveryTextIsTheTablesThroughTheWideCalls)
{
    ASSERT_NE(GetACP(), 932u);
    HMODULE exe = LoadLibraryExA((BinDir() + "\\veltrin.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    struct Row {
        const char* name;
        const char* ini;
        LANGID table;
        const char* flavour;
        const char* version;
        const char* face;
    } rows[] = {{"English", "", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), "5.1", "winxp", nullptr},
                {"Japanese", "[Config]\r\nLanguage=1\r\n", MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), "6.1", "win7",
                 "Meiryo"},
                {"Japanese, own clock tooltip", "[Config]\r\nLanguage=1\r\n", MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT),
                 "5.1", "winxp", "MS UI Gothic"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto text = [&](int id) { return TableText(exe, row.table, id); };
        ASSERT_NE(text(TEXT_PRODUCT_NAME), L"?");
        StandIn standIn(row.flavour);
        Program program(row.version);
        if (*row.ini) program.writeIni(row.ini);
        program.start();
        ASSERT_EQ(program.waitStarted(standIn), StartOutcome::captured);
        const DWORD pid = program.processId();
        const std::wstring caption = text(TEXT_PRODUCT_NAME) + L" Ver.1.4.8.3";
        EXPECT_EQ(WideTextOf(program.mainWindow()), caption);
        EXPECT_EQ(WideTextOf(FindTopLevel("VeltrinDummy", pid)), text(TEXT_OWNER_WINDOW_TITLE));

        // The options window: its title, and exactly the table's labels beside the key names.
        HWND options = FindTopLevel("VeltOption", pid);
        EXPECT_EQ(WideTextOf(options), text(TEXT_OPTIONS_TITLE));
        std::multiset<std::wstring> shown, expected = {L"OK", L"Shift", L"Ctrl", L"Alt"};
        for (int i = 0; i < 3; ++i) expected.insert({L"Shift", L"Ctrl", L"Alt", L"Win"});
        for (int id = TEXT_CANCEL; id <= TEXT_ALPHA; ++id) expected.insert(text(id));
        EnumChildWindows(options, CollectText, reinterpret_cast<LPARAM>(&shown));
        EXPECT_EQ(shown, expected);
        // The edge boxes (ids 1 to 4), measured to their texts, stand at even gaps.
        std::multiset<LONG> gaps;
        for (int id = 1; id < 4; ++id) gaps.insert(RectOf(ControlOf(options, id + 1)).left - RectOf(ControlOf(options, id)).right);
        EXPECT_TRUE(*gaps.begin() >= 8 && *gaps.rbegin() - *gaps.begin() <= 1) << *gaps.begin() << " to " << *gaps.rbegin();
        const std::vector<HWND> lists = KeyLists(options);
        ASSERT_EQ(lists.size(), 3u);
        for (HWND list : lists) {
            EXPECT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 70);
            EXPECT_EQ(WideTextOf(list, CB_GETLBTEXT, 0), text(TEXT_NO_KEY));
            EXPECT_EQ(WideTextOf(list, CB_GETLBTEXT, 1), L"A");
            // The punctuation keys, named by the keyboard: one character each.
            for (int i = 60; i < 70; ++i) EXPECT_EQ(WideTextOf(list, CB_GETLBTEXT, i).size(), 1u) << i;
            // Backspace, Page Up and Page Down as English writes them.
            for (int i = 0; !row.face && i < 3; ++i) EXPECT_EQ(WideTextOf(list, CB_GETLBTEXT, 53 + i), text(TEXT_KEY_BACKSPACE + i));
        }
        if (!row.face) {
            program.writeIni("");  // held open, OK names what it could not save by the labels
            HANDLE reader = OpenShared(program.iniPath());
            PostMessageA(options, WM_COMMAND, 21, 0);
            std::wstring unsaved = text(TEXT_NOT_SAVED) + text(TEXT_HOTKEY_GROUP_1);
            for (int id : {TEXT_HOTKEY_GROUP_2, TEXT_HOTKEY_GROUP_3, TEXT_RESIZE, TEXT_ALPHA, TEXT_FLAT, TEXT_SENSING_GROUP,
                           TEXT_HIDE}) unsaved += L"\r\n" + text(id);
            EXPECT_EQ(WaitMessageBox(program), Held(unsaved, CP_ACP));
            EXPECT_TRUE(AnswerMessageBox(program, IDOK));
            CloseHandle(reader);
        }

        // The version window and the popup menu.
        HWND version = FindTopLevel("VeltVerWnd", pid);
        EXPECT_EQ(WideTextOf(version), text(TEXT_VERSION_TITLE));
        std::multiset<std::wstring> about;
        EnumChildWindows(version, CollectText, reinterpret_cast<LPARAM>(&about));
        EXPECT_EQ(about.count(text(TEXT_PRODUCT_NAME) + L"\n\rVersion 1.4.8.3\n\r" + text(TEXT_ABOUT_DESCRIPTION) +
                              L"\n\rCopyright (C) 2026 Veltrin developers"),
                  1u);
        auto report = program.report();
        std::ostringstream menu;
        const UINT held = row.face ? CP_UTF8 : CP_ACP;
        menu << "24:" << Held(text(TEXT_MENU_OPTIONS), held) << "|27:|25:" << Held(text(TEXT_MENU_HELP), held) << "|26:"
             << Held(text(TEXT_MENU_VERSION), held) << "|27:|23:" << Held(text(TEXT_MENU_EXIT), held);
        EXPECT_EQ(report["menu"], menu.str());
        if (row.face) {
            EXPECT_EQ(report["uiFontFace"], row.face);
            EXPECT_EQ(report["uiFontCharset"], "128");
        } else {
            // The system's message face.
            NONCLIENTMETRICSA metrics{};
            metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
            ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));
            EXPECT_EQ(report["uiFontFace"], metrics.lfMessageFont.lfFaceName);
            EXPECT_EQ(report["linkFontUnderline"], "1");
        }
        // The own clock tooltip is as wide as its widest line needs (or its least width), its
        // text ending within its margins; the English long date is wider than the least.
        if (HWND tip = FindTopLevel("VeltClockTip", pid)) {
            const POINT clock = Centre(RectOf(FindChild(standIn.notifyArea(), "TrayClockWClass")));
            MoveCursor(clock.x, clock.y);
            ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(tip); }, 5000));
            const RECT r = RectOf(tip);
            HDC screen = GetDC(nullptr);
            LONG ink = r.left;  // the rightmost column inside the frame with text on it
            for (LONG y = r.top + 1; y < r.bottom - 1; ++y)
                for (LONG x = ink + 1; x < r.right - 1; ++x) ink = GetPixel(screen, x, y) != GetSysColor(COLOR_INFOBK) ? x : ink;
            ReleaseDC(nullptr, screen);
            EXPECT_TRUE(r.right - r.left == 86 || r.right - ink <= 12) << r.right - r.left << " wide, text to " << ink - r.left;
            EXPECT_TRUE(row.face || r.right - r.left > 86);
            MoveCursor(kAway.x, kAway.y);
        }

        // A second copy's message box, before it takes over.
        Program second(program, row.version);
        second.start();
        ASSERT_TRUE(WaitUntil([&] { return second.messageBox() != nullptr; }, 15000));
        EXPECT_EQ(WideTextOf(second.messageBox()), caption);
        std::multiset<std::wstring> box;
        EnumChildWindows(second.messageBox(), CollectText, reinterpret_cast<LPARAM>(&box));
        EXPECT_EQ(box.count(text(TEXT_RUNNING_COPY)), 1u);
        // Gone first: a box still up counts as a refused start.
        ASSERT_TRUE(AnswerMessageBox(second, IDOK));
        EXPECT_TRUE(program.waitExit(15000));
        EXPECT_EQ(second.waitStarted(standIn), StartOutcome::captured);
        second.endAsUser();
        EXPECT_TRUE(second.waitExit(15000));
    }
    FreeLibrary(exe);
}

}  // namespace
