// Fixed texts, bounded paths and the UI font choice.
#include "core/startup_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

TEST(Startup, CaptionBytes)
{
    const FixedText caption = BuildCaption("ヴェルトリン", "Ver.");
    EXPECT_TRUE(caption.fits);
    // ヴェルトリン in code page 932, one space before "Ver.", none after it.
    EXPECT_STREQ(caption.text, "\x83\x94\x83\x46\x83\x8B\x83\x67\x83\x8A\x83\x93 Ver.1.4.8.3");
    EXPECT_STREQ(BuildCaption("Veltrin", "Ver.").text, "Veltrin Ver.1.4.8.3");
}

TEST(Startup, AboutTextAndAddresses)
{
    const std::string about = BuildAboutText("Veltrin", "Version", "What it does", "Copyright").text;
    EXPECT_EQ(about.rfind("Veltrin\n\rVersion 1.4.8.3\n\rWhat it does\n\r", 0), 0u);
    size_t separators = 0;
    for (size_t at = about.find("\n\r"); at != std::string::npos; at = about.find("\n\r", at + 2)) {
        ++separators;
    }
    EXPECT_EQ(separators, 3u);
    EXPECT_STREQ(BuildWebHelpUrl().text, "https://veltrin.example.org/velthelp.html");
    EXPECT_STREQ(BuildMailtoUrl().text, "mailto:support@veltrin.example.org");
}

TEST(Startup, FormattingReportsCutText)
{
    const std::string fits(255, 'a');
    const std::string cut(256, 'a');
    EXPECT_TRUE(FormatFixedText("%s", fits.c_str()).fits);
    const FixedText longer = FormatFixedText("%s", cut.c_str());
    EXPECT_FALSE(longer.fits);
    EXPECT_EQ(std::strlen(longer.text), 255u);
}

TEST(Startup, PathsThatDoNotFitAreUnavailable)
{
    struct Row {
        size_t directoryLength;
        bool fits;
    };
    // "\velt.ini" and "\help.txt" add nine characters; 246 + 9 + zero is 256 bytes.
    const Row rows[] = {{3, true}, {246, true}, {247, false}, {400, false}};
    for (const Row& row : rows) {
        const std::string directory = "C:" + std::string(row.directoryLength - 2, 'd');
        const FixedText settings = BuildSettingsPath(directory.c_str());
        const FixedText help = BuildHelpPath(directory.c_str(), "help.txt");
        EXPECT_EQ(settings.fits, row.fits) << row.directoryLength;
        EXPECT_EQ(help.fits, row.fits) << row.directoryLength;
        EXPECT_STREQ(settings.text, row.fits ? (directory + "\\velt.ini").c_str() : "") << row.directoryLength;
        EXPECT_STREQ(help.text, row.fits ? (directory + "\\help.txt").c_str() : "") << row.directoryLength;
    }
}

// The path as the system leaves it in a buffer of 256 bytes without any terminator: a read
// past what the call answered is caught by AddressSanitizer. An empty folder is unusable.
TEST(Startup, ExecutableFolderFromAnUnterminatedBuffer)
{
    const std::string deep = "C:\\" + std::string(240, 'd');
    const struct { std::string path, folder; size_t answered; } rows[] = {
        {"C:\\Tools\\veltrin.exe", "C:\\Tools", 20},
        {"C:\\veltrin.exe", "C:", 14},
        {"C:\\v\\\x95\x5C.exe", "C:\\v", 11},  // 表 in code page 932: 0x95 0x5C, no separator
        {deep + "\\veltrin.exe", deep, 255},
        {deep + "\\veltrin2.exe", "", 256},  // cut, and unterminated on 2000 and XP
        {deep + "\\veltrin.exe", "", 300},   // the size GetLongPathNameA asks for
        {"", "", 0},
    };
    for (const auto& row : rows) {
        std::unique_ptr<char[]> buffer(new char[kFixedTextSize]);
        std::memset(buffer.get(), 'x', kFixedTextSize);
        row.path.copy(buffer.get(), kFixedTextSize);
        const FixedText folder = ExecutableFolder(buffer.get(), kFixedTextSize, row.answered,
                                                  [](unsigned char b) { return (b >= 0x81 && b <= 0x9F) || b >= 0xE0; });
        EXPECT_EQ(folder.fits, !row.folder.empty()) << row.path;
        EXPECT_EQ(std::string(folder.text), row.folder) << row.path;
    }
}

TEST(Startup, UiFontByFlavour)
{
    struct Row {
        const char* flavour;
        const char* face;
        int32_t height;
        bool latinNames = false;
    };
    const Row rows[] = {
        {"6.0", "\x83\x81\x83\x43\x83\x8A\x83\x49", 16},  // メイリオ
        {"6.1", "\x83\x81\x83\x43\x83\x8A\x83\x49", 16},
        {"6.2", "MS UI Gothic", 12},
        {"5.1", "MS UI Gothic", 12},
        {"4.0", "MS UI Gothic", 12},
        {"6.10", "MS UI Gothic", 12},
        {"6.1", "Meiryo", 16, true},
        {"5.1", "MS UI Gothic", 12, true},
    };
    for (const Row& row : rows) {
        const UiFontChoice font = ChooseUiFont(row.flavour, row.latinNames);
        EXPECT_STREQ(font.faceName, row.face) << row.flavour;
        EXPECT_EQ(font.height, row.height) << row.flavour;
    }
}

}  // namespace
