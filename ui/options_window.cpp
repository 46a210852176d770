// The options window: opacity, screen edges and sensing keys, the three hotkeys and three
// switches. OK stores everything; Cancel brings back the state the window was shown with.
#include "ui/options_window.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "core/environment.h"
#include "core/fault_point.h"
#include "core/messages.h"
#include "core/optional_functions.h"
#include "core/shared_state.h"
#include "core/text_calls.h"
#include "core/texts.h"
#include "core/window_class.h"
#include "settings/settings_file.h"
#include "settings/settings_rules.h"
#include "taskbar/flavour.h"
#include "taskbar/taskbar_windows.h"
#include "ui/hotkeys.h"
#include "ui/text_fit.h"
#include "ui/version_window.h"

OptionsControls optionsControls;
OptionsSnapshot optionsSnapshot;

constexpr int kTrackbarId = 1054;
constexpr WPARAM kFlatCommand = 7;
constexpr WPARAM kOkCommand = 21;
constexpr WPARAM kCancelCommand = 22;
constexpr WPARAM kDefaultsCommand = 28;

static int Wide() { return IsVersion60Or61() ? 20 : 0; }

static HMENU IdOf(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

static void SetChecked(HWND box, bool checked) { SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }

// The check boxes in a fixed order: edges, sensing keys, the hotkeys' modifiers, Flat, Hide,
// ReSize.
static void OptionCheckBoxes(HWND (&boxes)[kOptionCheckBoxCount])
{
    const OptionsControls& o = optionsControls;
    int n = 0;
    for (HWND box : {o.edgeTop, o.edgeDown, o.edgeLeft, o.edgeRight, o.sensingShift, o.sensingCtrl, o.sensingAlt}) {
        boxes[n++] = box;
    }
    for (const OptionsControls::ModifierBoxSet& set : o.hotkeyBoxes) {
        for (HWND box : {set.shift, set.ctrl, set.alt, set.win}) boxes[n++] = box;
    }
    for (HWND box : {o.flat, o.hide, o.reSize}) boxes[n++] = box;
}

void CreateOptionsWindow()
{
    RegisterProgramClass(OptionsWindowClass, OptionsWindowProc);
    optionsWindow = CreateTextWindow(0, OptionsWindowClass, Text(TEXT_OPTIONS_TITLE), WS_OVERLAPPED | WS_SYSMENU,
                                     GetSystemMetrics(SM_CXSCREEN) / 2 - 225, GetSystemMetrics(SM_CYSCREEN) / 2 - 145,
                                     450 + Wide(), 290, mainWindow, nullptr);
    UpdateWindow(optionsWindow);
    optionsControls.trackbar = CreateWindowExA(0, TRACKBAR_CLASSA, nullptr, WS_CHILD | WS_VISIBLE | TBS_NOTICKS | TBS_TOOLTIPS,
                                               10, 100, 196, 20, optionsWindow, IdOf(kTrackbarId), instance, nullptr);
    SendMessageA(optionsControls.trackbar, TBM_SETRANGE, TRUE, MAKELPARAM(100, 255));
    SendMessageA(optionsControls.trackbar, TBM_SETPOS, TRUE, ReadSettingInt(setting::windowAlpha));
    EnableWindow(optionsControls.trackbar, IsVersion50To62());
}

static HWND Control(HWND parent, const char* text, DWORD style, int x, int y, int width, int height, int id)
{
    HWND control = CreateTextWindow(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent, IdOf(id));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont), FALSE);
    return control;
}

static HWND PushButton(HWND parent, const char* text, DWORD extra, int x, int y, int width, int id)
{
    return Control(parent, text, BS_FLAT | extra, x, y, width, 25, id);
}

static HWND Group(const char* text, int x, int y, int width, int height)
{
    return Control(optionsWindow, text, BS_FLAT | BS_GROUPBOX, x, y, width, height, 0);
}

// The watcher threads ask some boxes in every cycle; a question across threads would wake
// the main thread each time. So every box keeps its state in its own user data, where any
// thread reads it without a message: the box refreshes it after each message it has handled,
// which covers the user's clicks and keys and every BM_SETCHECK, from whatever thread.
enum KeptCheckState : LONG_PTR { kKeptUnknown = 0, kKeptUnchecked = 1, kKeptChecked = 2 };
static WNDPROC buttonProc = nullptr;

static void KeepCheckState(HWND box)
{
    const LONG_PTR state =
        CallPreviousProc(buttonProc, box, BM_GETCHECK, 0, 0) == BST_CHECKED ? kKeptChecked : kKeptUnchecked;
    // Written only on a change: a write goes through the window server.
    if (GetWindowLongPtrA(box, GWLP_USERDATA) != state) SetWindowLongPtrA(box, GWLP_USERDATA, state);
}

static LRESULT CALLBACK CheckBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    const LRESULT result = CallPreviousProc(buttonProc, box, message, wParam, lParam);
    if (message != WM_NCDESTROY) KeepCheckState(box);
    return result;
}

static HWND CheckBox(const char* text, int x, int y, int width, int id)
{
    HWND box = Control(optionsWindow, text, BS_AUTOCHECKBOX, x, y, width, 12, id);
    WNDPROC previous = SubclassWindow(box, CheckBoxProc);
    if (!buttonProc) buttonProc = previous;
    KeepCheckState(box);
    return box;
}

// In English the punctuation keys are named by the user's keyboard, whose characters for
// them differ from the Japanese layout's, and a few keys as Windows names them; the codes
// stay the same.
static void AddKeyLabel(HWND list, const KeyListEntry& entry)
{
    if (entry.code == 0) {
        AddComboText(list, Text(TEXT_NO_KEY));
        return;
    }
    const bool english = TextLanguage() == Language::english;
    if (english && EnglishKeyNameText(entry.code) != 0) {
        AddComboText(list, Text(EnglishKeyNameText(entry.code)));
        return;
    }
    if (english && IsLayoutNamedKey(entry.code)) {
        // The key's character without Shift; dead keys carry a flag in the high bits.
        const UINT character = MapVirtualKeyA(entry.code, 2) & 0xffffu;
        if (character > ' ' && character < 0x100) {
            const char label[2] = {static_cast<char>(character), '\0'};
            AddComboText(list, label);
            return;
        }
    }
    AddComboText(list, entry.label);
}

static HWND CreateKeyList(HWND group, int id)
{
    HWND list = CreateTextWindow(0, "COMBOBOX", nullptr,
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT, 8, 23, 100,
                                 150, group, IdOf(id));
    for (const KeyListEntry& entry : keyList) AddKeyLabel(list, entry);
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont), FALSE);
    return list;
}

static OptionsControls::ModifierBoxSet ModifierBoxSet(int y, int firstId)
{
    return OptionsControls::ModifierBoxSet{CheckBox(Text(TEXT_SHIFT), 330, y, 50, firstId),
                                           CheckBox(Text(TEXT_CTRL), 380, y, 40, firstId + 1),
                                           CheckBox(Text(TEXT_ALT), 330, y + 17, 40, firstId + 2),
                                           CheckBox(Text(TEXT_WIN), 380, y + 17, 40, firstId + 3)};
}

// The boxes that each show one switch of the settings file.
struct SwitchBox {
    HWND box;
    const Setting* setting;
};

static std::array<SwitchBox, 7> SwitchBoxes()
{
    const OptionsControls& o = optionsControls;
    return {{{o.edgeTop, &setting::edgeTop},
             {o.edgeDown, &setting::edgeDown},
             {o.edgeLeft, &setting::edgeLeft},
             {o.edgeRight, &setting::edgeRight},
             {o.flat, &setting::flatArea},
             {o.hide, &setting::hideWhenInactive},
             {o.reSize, &setting::resizeToTray}}};
}

static void CheckSensingBoxes(int32_t value)
{
    const OptionsControls& o = optionsControls;
    SensingKeys keys = UnpackSensingKeys(value);
    SetChecked(o.sensingShift, keys.valid && keys.shift);
    SetChecked(o.sensingCtrl, keys.valid && keys.ctrl);
    SetChecked(o.sensingAlt, keys.valid && keys.alt);
}

static void CheckModifierBoxes(const OptionsControls::ModifierBoxSet& set, int32_t hotkey)
{
    ModifierBoxes boxes = ModifierBoxesFromByte(UnpackHotkey(hotkey).modifiers);
    SetChecked(set.shift, boxes.shift);
    SetChecked(set.ctrl, boxes.ctrl);
    SetChecked(set.alt, boxes.alt);
    SetChecked(set.win, boxes.win);
}

static void LoadOptionStates()
{
    const OptionsControls& o = optionsControls;
    for (const SwitchBox& s : SwitchBoxes()) SetChecked(s.box, ReadSettingInt(*s.setting) != 0);
    sensingKeys = ReadSettingInt(setting::sensingKeys);
    CheckSensingBoxes(sensingKeys);
    for (int i = 0; i < 3; ++i) {
        const int32_t stored = ReadSettingInt(setting::hotkeys[i]);
        CheckModifierBoxes(o.hotkeyBoxes[i], stored);
        SendMessageA(o.keyList[i], CB_SETCURSEL, KeyListPosition(UnpackHotkey(stored).key), 0);
    }
    if (!IsThemeActive()) SendMessageA(optionsWindow, WM_COMMAND, kFlatCommand, 0);
    if (IsWin9xFamily()) {
        // The third hotkey and the flat look are not offered there.
        const OptionsControls::ModifierBoxSet& b = o.hotkeyBoxes[2];
        for (HWND control : {o.hotkeyGroup[2], b.shift, b.ctrl, b.alt, b.win, o.keyList[2], o.flat}) {
            EnableWindow(control, FALSE);
        }
    }
}

void CreateOptionsControls()
{
    OptionsControls& o = optionsControls;
    const int wide = Wide();
    o.ok = PushButton(optionsWindow, Text(TEXT_OK), BS_DEFPUSHBUTTON, 280 + wide, 220, 70, static_cast<int>(kOkCommand));
    o.cancel = PushButton(optionsWindow, Text(TEXT_CANCEL), 0, 360 + wide, 220, 70, static_cast<int>(kCancelCommand));
    o.defaults = PushButton(optionsWindow, Text(TEXT_DEFAULTS), 0, 160 + wide, 220, 110, static_cast<int>(kDefaultsCommand));
    o.sensingGroup = Group(Text(TEXT_SENSING_GROUP), 16, 6, 185, 70);
    o.hotkeyGroup[0] = Group(Text(TEXT_HOTKEY_GROUP_1), 210, 6, 220 + wide, 56);
    o.hotkeyGroup[1] = Group(Text(TEXT_HOTKEY_GROUP_2), 210, 68, 220 + wide, 56);
    o.hotkeyGroup[2] = Group(Text(TEXT_HOTKEY_GROUP_3), 210, 130, 220 + wide, 56);
    o.edgeTop = CheckBox(Text(TEXT_EDGE_TOP), 36, 26, 30, 1);
    o.edgeDown = CheckBox(Text(TEXT_EDGE_DOWN), 71, 26, 30, 2);
    o.edgeLeft = CheckBox(Text(TEXT_EDGE_LEFT), 106, 26, 30, 3);
    o.edgeRight = CheckBox(Text(TEXT_EDGE_RIGHT), 142, 26, 30, 4);
    o.sensingShift = CheckBox(Text(TEXT_SHIFT), 41, 50, 50, 0);
    o.sensingCtrl = CheckBox(Text(TEXT_CTRL), 91, 50, 40, 0);
    o.sensingAlt = CheckBox(Text(TEXT_ALT), 136, 50, 40, 0);
    o.hotkeyBoxes[0] = ModifierBoxSet(24, 8);
    o.hotkeyBoxes[1] = ModifierBoxSet(86, 12);
    o.hotkeyBoxes[2] = ModifierBoxSet(148, 16);
    o.flat = CheckBox(Text(TEXT_FLAT), 16, 130, 150 + wide, static_cast<int>(kFlatCommand));
    o.hide = CheckBox(Text(TEXT_HIDE), 16, 150, 160 + wide, 5);
    o.reSize = CheckBox(Text(TEXT_RESIZE), 16, 197, 305 + wide, 0);
    versionOkButton = PushButton(versionWindow, Text(TEXT_OK), 0, 224, 34, 57, kVersionOkId);
    for (int i = 0; i < 3; ++i) o.keyList[i] = CreateKeyList(o.hotkeyGroup[i], i);
    LoadOptionStates();
}

void FitOptionsWindowToTexts()
{
    const OptionsControls& o = optionsControls;
    const HWND edges[] = {o.edgeTop, o.edgeDown, o.edgeLeft, o.edgeRight};
    FitWindowToTexts(optionsWindow, edges, 4);
}

bool IsOptionChecked(HWND box)
{
    if (!box) return false;
    const LONG_PTR kept = GetWindowLongPtrA(box, GWLP_USERDATA);
    if (kept != kKeptUnknown) return kept == kKeptChecked;
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

static int TrackbarPosition() { return static_cast<int>(SendMessageA(optionsControls.trackbar, TBM_GETPOS, 0, 0)); }

static int KeyListSelection(int index)
{
    return static_cast<int>(SendMessageA(optionsControls.keyList[index], CB_GETCURSEL, 0, 0));
}

static ModifierBoxes CheckedModifiers(const OptionsControls::ModifierBoxSet& boxes)
{
    return ModifierBoxes{IsOptionChecked(boxes.shift), IsOptionChecked(boxes.ctrl), IsOptionChecked(boxes.alt),
                         IsOptionChecked(boxes.win)};
}

// The hotkeys as chosen, one after the other; false when OK must stop.
static bool ApplyHotkeyChoices()
{
    const OptionsControls& o = optionsControls;
    for (int i = 0; i < 3; ++i) {
        const HotkeyCombination chosen = ChosenCombination(KeyListSelection(i), CheckedModifiers(o.hotkeyBoxes[i]));
        const HotkeyChoiceResult result = ApplyHotkeyChoice(i, chosen);
        if (result == HotkeyChoiceResult::stop) return false;
        if (result == HotkeyChoiceResult::cleared) CheckModifierBoxes(o.hotkeyBoxes[i], 0);
    }
    return true;
}

void TakeOptionsSnapshot()
{
    OptionsSnapshot& s = optionsSnapshot;
    HWND boxes[kOptionCheckBoxCount] = {};
    OptionCheckBoxes(boxes);
    for (int i = 0; i < kOptionCheckBoxCount; ++i) s.checked[i] = IsOptionChecked(boxes[i]);
    for (int i = 0; i < 3; ++i) {
        s.keyListPosition[i] = KeyListSelection(i);
        s.hotkeys[i] = CombinationOf(hotkeys[i]);
    }
    s.trackbarPosition = TrackbarPosition();
    s.sensingKeys = sensingKeys;
}

void ApplyFlatStyle()
{
    HWND notifyArea = taskbarWindows.notifyArea;
    LONG style = GetWindowLongA(notifyArea, GWL_EXSTYLE);
    if (IsOptionChecked(optionsControls.flat)) {
        style &= ~WS_EX_STATICEDGE;
    } else {
        style |= WS_EX_STATICEDGE;
    }
    SetWindowLongA(notifyArea, GWL_EXSTYLE, style);
    SetWindowPos(notifyArea, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

// The settings that could not be written, for the one report at the end of OK. Japanese
// names each by its key in velt.ini; English by the label under which this window shows it,
// one a line (a label may hold a comma), the edges and the keys held at them by their
// group's label, once.
struct Unsaved {
    std::string names;
    const char* last = nullptr;
};

static void Save(Unsaved& unsaved, const SettingKey& key, int label, int32_t value)
{
    if (WriteSettingNumber(key, value)) return;
    const bool english = TextLanguage() == Language::english;
    const char* name = english ? Text(label) : key.key;
    if (name == unsaved.last) return;
    if (!unsaved.names.empty()) unsaved.names += english ? "\r\n" : ", ";
    unsaved.names += name;
    unsaved.last = name;
}

static void SaveSwitch(Unsaved& unsaved, const SettingKey& key, int label, HWND box)
{
    Save(unsaved, key, label, IsOptionChecked(box) ? 1 : 0);
}

// Writes every choice but "Hide", which follows once the main window may be shown again;
// the settings that could not be written are noted in `unsaved`.
static void SaveOptions(Unsaved& unsaved)
{
    const OptionsControls& o = optionsControls;
    for (int i = 0; i < 3; ++i) {
        Save(unsaved, setting::hotkeys[i], TEXT_HOTKEY_GROUP_1 + i,
             PackHotkey(hotkeys[i].modifiers, KeyListCode(KeyListSelection(i))));
    }
    FaultPoint(FaultSite::optionsOk);
    SaveSwitch(unsaved, setting::resizeToTray, TEXT_RESIZE, o.reSize);
    Save(unsaved, setting::windowAlpha, TEXT_ALPHA, TrackbarPosition());
    SaveSwitch(unsaved, setting::flatArea, TEXT_FLAT, o.flat);
    SaveSwitch(unsaved, setting::edgeTop, TEXT_SENSING_GROUP, o.edgeTop);
    SaveSwitch(unsaved, setting::edgeDown, TEXT_SENSING_GROUP, o.edgeDown);
    SaveSwitch(unsaved, setting::edgeLeft, TEXT_SENSING_GROUP, o.edgeLeft);
    SaveSwitch(unsaved, setting::edgeRight, TEXT_SENSING_GROUP, o.edgeRight);
    Save(unsaved, setting::sensingKeys, TEXT_SENSING_GROUP, sensingKeys);
}

bool ApplyOptions()
{
    const OptionsControls& o = optionsControls;
    sensingKeys = PackSensingKeys(IsOptionChecked(o.sensingShift), IsOptionChecked(o.sensingCtrl),
                                  IsOptionChecked(o.sensingAlt));
    if (!ApplyHotkeyChoices()) return false;

    EdgeChoice edges{IsOptionChecked(o.edgeTop), IsOptionChecked(o.edgeDown), IsOptionChecked(o.edgeLeft),
                     IsOptionChecked(o.edgeRight)};
    if (LeavesNoWayBack(CombinationOf(hotkeys[0]), edges)) {
        ShowMessage(mainWindow, Text(TEXT_NO_WAY_BACK), caption, MB_ICONINFORMATION);
        const bool* shown = optionsSnapshot.checked;
        EdgeChoice back = EdgesAfterGuard(EdgeChoice{shown[0], shown[1], shown[2], shown[3]});
        SetChecked(o.edgeTop, back.top);
        SetChecked(o.edgeDown, back.down);
        SetChecked(o.edgeLeft, back.left);
        SetChecked(o.edgeRight, back.right);
    }

    // One wait for a file held open by another program, and one report: twelve writes
    // waiting and reporting each on their own froze the window for seconds.
    Unsaved unsaved;
    {
        SettingsWriteGroup group;
        SaveOptions(unsaved);
        if (!IsOptionChecked(o.hide) && !IsWindowVisible(mainWindow)) {
            ShowWindow(mainWindow, SW_SHOW);
            SetWindowPos(taskbarWindows.notifyArea, nullptr, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
            InvalidateRect(mainWindow, nullptr, FALSE);
        }
        SaveSwitch(unsaved, setting::hideWhenInactive, TEXT_HIDE, o.hide);
    }
    // What was chosen applies all the same; only keeping it failed. Owned by this window,
    // which it disables meanwhile, so OK cannot be pressed again under it.
    if (!unsaved.names.empty()) {
        ShowMessage(optionsWindow, (Text(TEXT_NOT_SAVED) + unsaved.names).c_str(), caption, MB_ICONINFORMATION);
    }
    return true;
}

void CancelOptions()
{
    const OptionsSnapshot& s = optionsSnapshot;
    sensingKeys = s.sensingKeys;
    HWND boxes[kOptionCheckBoxCount] = {};
    OptionCheckBoxes(boxes);
    for (int i = 0; i < kOptionCheckBoxCount; ++i) SetChecked(boxes[i], s.checked[i]);
    for (int i = 0; i < 3; ++i) {
        SendMessageA(optionsControls.keyList[i], CB_SETCURSEL, s.keyListPosition[i], 0);
        // An OK that stopped at a hotkey may have registered others; they go back too.
        RestoreHotkeyBinding(i, s.hotkeys[i]);
    }
    if (IsVersion50To62()) {
        SendMessageA(optionsControls.trackbar, TBM_SETPOS, TRUE, s.trackbarPosition);
        SendMessageA(optionsWindow, WM_HSCROLL, 0, reinterpret_cast<LPARAM>(optionsControls.trackbar));
        if (!IsThemeActive()) SendMessageA(optionsWindow, WM_COMMAND, kFlatCommand, 0);
    }
    if (!IsOptionChecked(optionsControls.hide)) ShowWindow(mainWindow, SW_SHOW);
    SendMessageA(optionsWindow, WM_DESTROY, 0, 0);
}

void RestoreDefaultOptions()
{
    const OptionsControls& o = optionsControls;
    for (const SwitchBox& s : SwitchBoxes()) SetChecked(s.box, s.setting->defaultValue != 0);
    CheckSensingBoxes(setting::sensingKeys.defaultValue);
    for (int i = 0; i < 3; ++i) {
        CheckModifierBoxes(o.hotkeyBoxes[i], setting::hotkeys[i].defaultValue);
        SendMessageA(o.keyList[i], CB_SETCURSEL, KeyListPosition(UnpackHotkey(setting::hotkeys[i].defaultValue).key), 0);
    }
    SendMessageA(o.trackbar, TBM_SETPOS, TRUE, setting::windowAlpha.defaultValue);
}

// Closing only hides the window: it lives as long as the program.
static void HideOptionsWindow()
{
    EnableWindow(mainWindow, TRUE);
    ShowWindow(optionsWindow, SW_HIDE);
    secondaryWindowOpen = 0;
}

LRESULT CALLBACK OptionsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_DESTROY:
        HideOptionsWindow();
        return 1;
    case WM_CLOSE:
        SendMessageA(window, WM_COMMAND, kCancelCommand, 0);
        return 1;
    case WM_QUERYENDSESSION:
        secondaryWindowOpen = 0;
        return 1;
    case WM_SHOWWINDOW:
        if (wParam == 1) TakeOptionsSnapshot();
        break;
    case WM_COMMAND:
        // Compared whole: only a click (notification code 0) counts.
        switch (wParam) {
        case kFlatCommand:
            if (!IsWin9xFamily()) ApplyFlatStyle();
            break;
        case kOkCommand:
            if (ApplyOptions()) SendMessageA(window, WM_DESTROY, 0, 0);
            break;
        case kCancelCommand: CancelOptions(); break;
        case kDefaultsCommand: RestoreDefaultOptions(); break;
        default: break;
        }
        break;
    case WM_HSCROLL:
        if (optionalFunctions.layeredAvailable) {
            optionalFunctions.setLayeredWindowAttributes(mainWindow, 0, static_cast<BYTE>(TrackbarPosition()), LWA_ALPHA);
        }
        break;
    default: break;
    }
    return DefaultWindowProc(window, message, wParam, lParam);
}
