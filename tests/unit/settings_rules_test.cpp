// Setting values, the line-preserving INI editor, hotkey and sensing-key packing.
#include "settings/settings_rules.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(SettingValue, Parse)
{
    struct Row {
        const char* text;
        int32_t expected;
    };
    const Row rows[] = {
        {nullptr, 77},
        {"", 77},
        {"177", 177},
        {"4294967288", -8},
        {"4294967296", 0},
        {"4294967295", -1},
        {"2147483648", INT32_MIN},
        {"123456789012345678901234567890", 1312754386},  // taken modulo 2^32
        {"99999999999999999999999999999999999999", -1},  // 10^38 - 1 wraps to all ones
        {"  42", 42},
        {"-8", -8},
        {"+5", 5},
        {"0x1F", 0},
        {"12ab", 12},
        {"abc", 77},
        {"-", 77},
        {"   ", 77},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ParseSettingValue(row.text, 77), row.expected) << (row.text ? row.text : "(absent)");
    }
}

TEST(SettingValue, FormatAndReadBack)
{
    EXPECT_EQ(FormatSettingValue(-8), "4294967288");
    EXPECT_EQ(FormatSettingValue(INT32_MIN), "2147483648");
    EXPECT_EQ(FormatSettingValue(177), "177");
    for (int32_t value : {0, 1, -1, -8, INT32_MAX, INT32_MIN}) {
        EXPECT_EQ(ParseSettingValue(FormatSettingValue(value).c_str(), 12345), value);
    }
}

// Comments, a foreign section, odd spacing and case, duplicates, no final newline.
const std::string kSample =
    "; Veltrin\r\n"
    "[Other]\r\n"
    "Left=99\r\n"
    "[ window ]\r\n"
    " LEFT = 4294967288 \r\n"
    ";Height=5\r\n"
    "Top=\r\n"
    "Width=300\r\n"
    "Width=400\r\n"
    "\r\n"
    "[Config]\r\n"
    "HotKey=821";

TEST(IniText, Find)
{
    struct Row {
        const char* section;
        const char* key;
        const char* expected;  // nullptr: absent
    };
    const Row rows[] = {
        {"Window", "Left", "4294967288"}, {"WINDOW", "left", "4294967288"}, {"Window", "Top", ""},
        {"Window", "Width", "300"},       {"Other", "Left", "99"},          {"Config", "HotKey", "821"},
        {"Window", "Height", nullptr},    {"Target", "Key", nullptr},       {"Config", "Left", nullptr},
    };
    for (const Row& row : rows) {
        const std::optional<std::string> found = FindIniValue(kSample, row.section, row.key);
        ASSERT_EQ(found.has_value(), row.expected != nullptr) << row.section << "/" << row.key;
        if (row.expected) {
            EXPECT_EQ(*found, row.expected) << row.section << "/" << row.key;
        }
    }
    EXPECT_EQ(ReadIniInt(kSample, "Window", "Left", 0), -8);
    EXPECT_EQ(ReadIniInt(kSample, "Window", "Top", 7), 7);
    EXPECT_EQ(ReadIniInt(kSample, "Window", "Height", 135), 135);
}

TEST(IniText, SetKeepsEveryOtherLine)
{
    struct Row {
        const char* name;
        std::string text;
        const char* section;
        const char* key;
        const char* value;
        std::string expected;
    };
    const std::string head = "; Veltrin\r\n[Other]\r\nLeft=99\r\n[ window ]\r\n";
    const std::string tail = "\r\n[Config]\r\nHotKey=821";
    const Row rows[] = {
        {"first duplicate", kSample, "window", "WIDTH", "177",
         head + " LEFT = 4294967288 \r\n;Height=5\r\nTop=\r\nWidth=177\r\nWidth=400\r\n" + tail},
        {"spelling kept", kSample, "Window", "Left", "5",
         head + "LEFT=5\r\n;Height=5\r\nTop=\r\nWidth=300\r\nWidth=400\r\n" + tail},
        {"no final newline", kSample, "Config", "HotKey", "852",
         head + " LEFT = 4294967288 \r\n;Height=5\r\nTop=\r\nWidth=300\r\nWidth=400\r\n\r\n[Config]\r\nHotKey=852"},
        {"added after last line", kSample, "Config", "HotKey2", "852", kSample + "\r\nHotKey2=852\r\n"},
        {"added before blanks", kSample, "Window", "Height", "135",
         head + " LEFT = 4294967288 \r\n;Height=5\r\nTop=\r\nWidth=300\r\nWidth=400\r\nHeight=135\r\n" + tail},
        {"LF file", "[Window]\nLeft=1\n\n[Config]\n", "Window", "Top", "2",
         "[Window]\nLeft=1\nTop=2\n\n[Config]\n"},
        {"new section LF", "[Window]\nLeft=1\n", "Target", "Key", "33", "[Window]\nLeft=1\n[Target]\nKey=33\n"},
        {"new file", "", "Window", "Left", "1", "[Window]\r\nLeft=1\r\n"},
        {"header only", "[Window]\r\n", "Window", "Left", "1", "[Window]\r\nLeft=1\r\n"},
        {"new section after text", "; note", "Window", "Left", "1", "; note\r\n[Window]\r\nLeft=1\r\n"},
        {"first of two sections", "[A]\nx=1\n[B]\n[a]\ny=2\n", "A", "z", "3", "[A]\nx=1\nz=3\n[B]\n[a]\ny=2\n"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(SetIniValue(row.text, row.section, row.key, row.value), row.expected) << row.name;
    }
}

TEST(IniText, NegativeCoordinateSurvivesAWrite)
{
    const std::string written = SetIniValue(kSample, "Window", "Top", FormatSettingValue(-8));
    EXPECT_EQ(FindIniValue(written, "Window", "Top"), std::optional<std::string>("4294967288"));
    EXPECT_EQ(ReadIniInt(written, "Window", "Top", 0), -8);
}

TEST(Hotkey, Packing)
{
    struct Row {
        int32_t value;
        uint32_t modifiers, key;
    };
    const Row rows[] = {
        {821, 3, 53},   // Ctrl+Alt+'5'
        {1601, 6, 65},  // Ctrl+Shift+A
        {852, 3, 84},
        {324, 1, 68},
        {0, 0, 0},
        {65535, 255, 255},
    };
    for (const Row& row : rows) {
        const HotkeyValue unpacked = UnpackHotkey(row.value);
        EXPECT_EQ(unpacked.key, row.key) << row.value;
        EXPECT_EQ(unpacked.modifiers, row.modifiers) << row.value;
        EXPECT_EQ(PackHotkey(row.modifiers, row.key), row.value);
    }
    // Bits above the two bytes are ignored, also for a negative value.
    EXPECT_EQ(UnpackHotkey(0x12345).modifiers, 0x23u);
    EXPECT_EQ(UnpackHotkey(0x12345).key, 0x45u);
    EXPECT_EQ(UnpackHotkey(-8).modifiers, 255u);
    EXPECT_EQ(UnpackHotkey(-8).key, 248u);
}

TEST(SensingKeys, EightValidSumsAndNothingElse)
{
    struct Row {
        int32_t value;
        bool valid, shift, ctrl, alt;
    };
    const Row rows[] = {
        {0, true, false, false, false},  {16, true, true, false, false}, {17, true, false, true, false},
        {18, true, false, false, true},  {33, true, true, true, false},  {34, true, true, false, true},
        {35, true, false, true, true},   {51, true, true, true, true},   {19, false, false, false, false},
        {32, false, false, false, false}, {-1, false, false, false, false},
    };
    for (const Row& row : rows) {
        const SensingKeys keys = UnpackSensingKeys(row.value);
        EXPECT_EQ(keys.valid, row.valid) << row.value;
        EXPECT_EQ(keys.shift, row.shift) << row.value;
        EXPECT_EQ(keys.ctrl, row.ctrl) << row.value;
        EXPECT_EQ(keys.alt, row.alt) << row.value;
        if (row.valid) {
            EXPECT_EQ(PackSensingKeys(row.shift, row.ctrl, row.alt), row.value);
        }
    }
}

}  // namespace
