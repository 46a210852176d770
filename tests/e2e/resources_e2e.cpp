// The resources built into veltrin.exe: the icon "Main" in its four images and the version
// record, read the way Windows reads them; and the texts that ship beside it.
#include <gtest/gtest.h>

#include <algorithm>

#include "harness.h"

#include <set>
#include <utility>

using namespace e2e;

namespace {

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct IconGroup {
    WORD reserved, type, count;
    IconGroupEntry entries[1];
};
#pragma pack(pop)

TEST(Resources, IconMainHas16And32PixelImagesIn16And256Colours)
{
    HMODULE exe = LoadLibraryExA((BinDir() + "\\veltrin.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    HRSRC found = FindResourceA(exe, "Main", MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    ASSERT_NE(found, nullptr);
    auto* group = static_cast<const IconGroup*>(LockResource(LoadResource(exe, found)));
    ASSERT_NE(group, nullptr);
    std::set<std::pair<int, int>> images;  // (size, bits per pixel)
    for (int i = 0; i < group->count; ++i) images.insert({group->entries[i].width, group->entries[i].bitCount});
    EXPECT_EQ(images, (std::set<std::pair<int, int>>{{16, 4}, {16, 8}, {32, 4}, {32, 8}}));
    HICON small = static_cast<HICON>(LoadImageA(exe, "Main", IMAGE_ICON, 16, 16, 0));
    EXPECT_NE(small, nullptr);
    if (small) DestroyIcon(small);
    FreeLibrary(exe);
}

std::string VersionString(const std::vector<char>& data, const char* name, const char* block = "041104b0")
{
    std::string path = std::string("\\StringFileInfo\\") + block + "\\" + name;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return "";
    return value;
}

TEST(Resources, VersionRecordNamesTheProductAndVersion1483)
{
    std::string exe = BinDir() + "\\veltrin.exe";
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(4, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(3, 8));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(4, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(3, 8));
    EXPECT_EQ(VersionString(data, "ProductName"), "ヴェルトリン");
    EXPECT_EQ(VersionString(data, "FileDescription"), "タスクトレイをウィンドウ化するソフト");
    EXPECT_EQ(VersionString(data, "FileVersion"), "1.4.8.3");
    EXPECT_EQ(VersionString(data, "ProductVersion"), "1.4.8.3");
    EXPECT_EQ(VersionString(data, "ProductName", "040904b0"), "Veltrin");
    EXPECT_EQ(VersionString(data, "FileVersion", "040904b0"), "1.4.8.3");
}

// help.txt and readme.txt beside the program are Japanese text in code page 932 with CR LF
// line ends, as Notepad on a Japanese Windows opens them; help.txt names every option of
// the options window and the default hotkeys. The English help, help-en.txt, is plain ASCII
// (valid in code page 932 as well) with CR LF line ends.
TEST(Resources, HelpAndReadmeAreCodePage932WithCrLf)
{
    for (const char* name : {"help.txt", "readme.txt", "help-en.txt"}) {
        SCOPED_TRACE(name);
        const bool english = std::string(name) == "help-en.txt";
        std::string text = ReadFile(BinDir() + "\\" + name);
        ASSERT_FALSE(text.empty());
        EXPECT_GT(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0), 0);
        // The literal is compiled to code page 932, so it is found only in such a file.
        EXPECT_NE(text.find(english ? "Veltrin Ver.1.4.8.3" : "ヴェルトリン Ver.1.4.8.3"), std::string::npos);
        if (english) {
            EXPECT_EQ(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; }), 0);
        }
        size_t lines = 0, bareLineEnds = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            bool lf = text[i] == '\n', cr = text[i] == '\r';
            lines += lf;
            bareLineEnds += (lf && (i == 0 || text[i - 1] != '\r')) || (cr && (i + 1 == text.size() || text[i + 1] != '\n'));
        }
        EXPECT_GT(lines, 10u);
        EXPECT_EQ(bareLineEnds, 0u);
    }
    std::string help = ReadFile(BinDir() + "\\help.txt");
    for (const char* topic : {"ウィンドウの透過度", "カーソル感知", "タスクトレイをフラットにする", "非アクティブ時に常に非表示",
                              "縦横一列表示にタスクトレイの状態に合わせてリサイズする", "デフォルト値に戻す", "Ctrl+Shift+A",
                              "Ctrl+Alt+T", "Alt+D", "velt.ini", "終了", "Language"}) {
        EXPECT_NE(help.find(topic), std::string::npos) << topic;
    }
}

}  // namespace
