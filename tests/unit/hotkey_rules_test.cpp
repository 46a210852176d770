#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ui/hotkey_rules.h"

namespace {

// The offered keys as the user sees them, built from their groups.
std::vector<KeyListEntry> ExpectedKeyList()
{
    static std::vector<std::string> labels;  // outlives the entries that point into it
    std::vector<std::pair<std::string, uint32_t>> rows = {{"", 0}};
    for (char c = 'A'; c <= 'Z'; ++c) rows.push_back({std::string(1, c), static_cast<uint32_t>(c)});
    for (char c = '0'; c <= '9'; ++c) rows.push_back({std::string(1, c), static_cast<uint32_t>(c)});
    for (int f = 1; f <= 12; ++f) rows.push_back({"F" + std::to_string(f), static_cast<uint32_t>(111 + f)});
    rows.insert(rows.end(), {{"Insert", 45}, {"Home", 36}, {"End", 35}, {"Delete", 46}, {"BackSpace", 8}, {"PageUp", 33},
                             {"PageDown", 34}, {"Up", 38}, {"Down", 40}, {"Left", 37}, {"Right", 39}, {"-", 189},
                             {"\\", 220}, {"@", 192}, {"[", 219}, {"]", 221}, {":", 186}, {";", 187}, {"/", 191},
                             {".", 190}, {",", 188}});
    labels.clear();
    for (auto& row : rows) labels.push_back(row.first);
    std::vector<KeyListEntry> entries;
    for (size_t i = 0; i < rows.size(); ++i) entries.push_back(KeyListEntry{labels[i].c_str(), rows[i].second});
    return entries;
}

TEST(KeyList, SeventyKeysInTheirOrderEachCodeOnce)
{
    std::vector<KeyListEntry> expected = ExpectedKeyList();
    ASSERT_EQ(expected.size(), static_cast<size_t>(kKeyListSize));
    std::set<uint32_t> codes;
    for (int i = 0; i < kKeyListSize; ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(keyList[i].label, expected[i].label);
        EXPECT_EQ(keyList[i].code, expected[i].code);
        EXPECT_EQ(KeyListCode(i), expected[i].code);
        EXPECT_EQ(KeyListPosition(expected[i].code), i);
        codes.insert(keyList[i].code);
    }
    EXPECT_EQ(codes.size(), static_cast<size_t>(kKeyListSize));
    EXPECT_EQ(std::string(keyList[61].label), "\\");
    // Exactly the punctuation entries take their labels from the keyboard layout.
    for (int i = 0; i < kKeyListSize; ++i) EXPECT_EQ(IsLayoutNamedKey(keyList[i].code), i >= 60) << i;
    // A stored code outside the list selects "none"; a position outside the list has no key.
    EXPECT_EQ(KeyListPosition(200), 0);
    EXPECT_EQ(KeyListPosition(101), 0);
    EXPECT_EQ(KeyListCode(-1), 0u);
    EXPECT_EQ(KeyListCode(kKeyListSize), 0u);
}

TEST(KeyCodes, KeypadStepAndKeypadLikeKeys)
{
    struct Row {
        uint32_t key, registered;
        bool keypadLike;
    } rows[] = {
        {47, 47, false}, {48, 96, true},    {53, 101, true},   {57, 105, true},   {58, 58, false},
        {96, 96, true},  {105, 105, true},  {106, 106, false}, {108, 108, false}, {109, 109, true},
        {111, 111, true}, {112, 112, false}, {188, 188, false}, {189, 189, true},  {191, 191, true},
        {192, 192, false}, {65, 65, false},  {0, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(RegisteredKeyCode(row.key), row.registered);
        EXPECT_EQ(IsKeypadLikeKey(row.key), row.keypadLike);
    }
}

TEST(ModifierByte, BoxesBothWays)
{
    struct Row {
        uint32_t byte;
        ModifierBoxes boxes;
    } rows[] = {
        {0, {false, false, false, false}},  {1, {false, false, true, false}}, {2, {false, true, false, false}},
        {4, {true, false, false, false}},   {8, {false, false, false, true}}, {6, {true, true, false, false}},
        {13, {true, false, true, true}},    {15, {true, true, true, true}},   {16, {false, false, false, false}},
        {255, {false, false, false, false}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.byte);
        ModifierBoxes b = ModifierBoxesFromByte(row.byte);
        EXPECT_EQ(b.shift, row.boxes.shift);
        EXPECT_EQ(b.ctrl, row.boxes.ctrl);
        EXPECT_EQ(b.alt, row.boxes.alt);
        EXPECT_EQ(b.win, row.boxes.win);
        if (row.byte <= 15) {
            EXPECT_EQ(ModifiersFromBoxes(row.boxes), row.byte);
        }
    }
}

TEST(HotkeyChoice, ChosenComparedWithWhatIsRegistered)
{
    const ModifierBoxes ctrlAlt{false, true, true, false};
    // No key reads no boxes; a digit keeps its list code.
    HotkeyCombination none = ChosenCombination(0, ctrlAlt);
    EXPECT_EQ(none.key, 0u);
    EXPECT_EQ(none.modifiers, 0u);
    HotkeyCombination five = ChosenCombination(KeyListPosition('5'), ctrlAlt);
    EXPECT_EQ(five.key, 53u);
    EXPECT_EQ(five.modifiers, 3u);

    struct Row {
        HotkeyCombination chosen, registered;
        bool same;
    } rows[] = {
        {{53, 3}, {101, 3}, true},  // a registered digit is held in its keypad form
        {{53, 3}, {53, 3}, true},   {{65, 6}, {65, 6}, true}, {{65, 6}, {65, 4}, false},
        {{65, 6}, {66, 6}, false},  {{0, 0}, {0, 0}, true},   {{0, 0}, {0, 6}, false},
        {{53, 3}, {102, 3}, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(SameAsRegistered(row.chosen, row.registered), row.same)
            << row.chosen.key << "/" << row.chosen.modifiers << " vs " << row.registered.key << "/"
            << row.registered.modifiers;
    }
    for (uint32_t m = 0; m <= 15; ++m) EXPECT_EQ(MayShadowShortcuts(m), m == kModControl || m == kModWin) << m;
}

TEST(HandleHotkey, WhichHotkeyAMessageMeans)
{
    const HotkeyCombination defaults[3] = {{65, 6}, {84, 3}, {68, 1}};
    const HotkeyCombination digitSecond[3] = {{65, 6}, {101, 3}, {68, 1}};
    struct Row {
        const HotkeyCombination* bindings;
        uint32_t key, mods;
        bool buttonVisible;
        HotkeyAction action;
    } rows[] = {
        {defaults, 65, 6, true, HotkeyAction::toggleWindow},
        {defaults, 0, 6, true, HotkeyAction::toggleWindow},       // key 0 with the first hotkey's modifiers
        {defaults, 0, 3, true, HotkeyAction::toggleTitleBar},     // key 0 otherwise reaches the title bar
        {defaults, 84, 3, true, HotkeyAction::toggleTitleBar},
        {defaults, 68, 1, true, HotkeyAction::openOverflow},
        {defaults, 68, 1, false, HotkeyAction::none},             // hidden-icons button hidden
        {defaults, 65, 4, true, HotkeyAction::none},
        {defaults, 191, 3, true, HotkeyAction::toggleWindow},     // keypad-like, whoever carries it
        {digitSecond, 101, 3, true, HotkeyAction::toggleWindow},
        {defaults, 109, 0, true, HotkeyAction::toggleWindow},
        {defaults, 84, 6, true, HotkeyAction::none},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DecideHotkey(row.key, row.mods, row.bindings, row.buttonVisible), row.action)
            << "key " << row.key << " mods " << row.mods;
    }
}

TEST(HandleHotkey, ARealHotkeyTogglesThePointerRequestOnlyShows)
{
    EXPECT_EQ(MainWindowToggleStep(false, false), ToggleStep::setForeground);
    EXPECT_EQ(MainWindowToggleStep(true, false), ToggleStep::hide);
    EXPECT_EQ(MainWindowToggleStep(false, true), ToggleStep::bringToFront);
    EXPECT_EQ(MainWindowToggleStep(true, true), ToggleStep::nothing);
}

TEST(ReachabilityGuard, CatchesOnlyAChoiceWithNoWayBack)
{
    const HotkeyCombination none{0, 0}, someKey{65, 6};
    struct Row {
        HotkeyCombination first;
        EdgeChoice edges;
        bool caught;
    } rows[] = {
        {none, {false, false, false, false}, true},
        {none, {false, false, false, true}, false},  // the right edge still shows the window
        {none, {true, false, false, false}, false},
        {someKey, {false, false, false, false}, false},
        {{0, 6}, {false, false, false, false}, false},
    };
    for (const Row& row : rows) {
        const EdgeChoice& e = row.edges;
        EXPECT_EQ(LeavesNoWayBack(row.first, e), row.caught)
            << row.first.key << "/" << row.first.modifiers << " " << e.top << e.down << e.left << e.right;
    }
    EdgeChoice shown{false, true, false, true};
    EdgeChoice back = EdgesAfterGuard(shown);
    EXPECT_TRUE(!back.top && back.down && !back.left && back.right);
    // Shown with no edge either: putting that back would leave no way back again.
    back = EdgesAfterGuard(EdgeChoice{false, false, false, false});
    EXPECT_TRUE(back.top && back.down && back.left && back.right);
}

}  // namespace
