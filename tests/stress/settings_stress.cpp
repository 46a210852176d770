// The settings file as users leave it: broken in every way, read-only, or held open by
// another program. The program starts, ends, gives the notification area back, and loses
// nothing that was in the file: every byte outside the four keys it writes stays.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "broken_ini.h"
#include "harness.h"
#include "program.h"
#include "settings/settings_rules.h"
#include "stress.h"

using namespace e2e;

namespace {

const char* const kPlaceKeys[] = {"Top", "Left", "Width", "Height"};

// The file as it should be after the ending wrote the place values it holds now.
std::string WithPlaceOf(const std::string& original, const std::string& now)
{
    std::string expected = original;
    for (const char* key : kPlaceKeys) {
        expected = SetIniValue(expected, "Window", key, FormatSettingValue(ReadIniInt(now, "Window", key, 0)));
    }
    return expected;
}

// Starts the program over the file, ends it as a user; "" when all went as it should.
// `written`: whether the ending may write the file at all.
std::string StartAndEnd(const StandIn& standIn, Program& program, const std::string& original, bool written)
{
    program.start();
    StartOutcome outcome = program.waitStarted(standIn, 60000);
    if (outcome != StartOutcome::captured) return "did not capture (outcome " + std::to_string(static_cast<int>(outcome)) + ")";
    program.endAsUser();
    bool boxShown = false;
    bool ended = WaitUntil(
        [&] {
            boxShown = boxShown || program.messageBox();
            return !program.running();
        },
        60000);
    if (!ended) return boxShown ? "a message box blocks the ending" : "did not end";
    if (boxShown) return "a message box showed during the ending";
    if (program.exitCode() != 0) return "ended with code " + std::to_string(program.exitCode());
    if (ParentOf(standIn.notifyArea()) != standIn.taskbar()) return "the notification area is not back";
    const std::string now = program.readIni();
    if (now == original) return written ? "the place was not written" : "";
    if (!written) return "the file changed";
    if (now != WithPlaceOf(original, now)) return "bytes outside the place keys changed";
    if (ReadIniInt(now, "Window", "Width", 0) <= 0 || ReadIniInt(now, "Window", "Height", 0) <= 0) {
        return "no size was written";
    }
    return "";
}

TEST(StressSettings, BrokenFilesEndToEnd)
{
    stress::Tally tally("broken settings files end to end");
    const uint32_t first = stress::FirstSeed();
    StandIn standIn("6.1");
    ASSERT_TRUE(standIn.ready());
    const int runs = stress::Runs(20, 60);
    for (int i = 0; i < runs; ++i) {
        const uint32_t seed = first + static_cast<uint32_t>(i);
        const std::string original = brokenini::Make(seed);
        Program program("win7");
        program.writeIni(original);
        std::string failure = StartAndEnd(standIn, program, original, true);
        if (!failure.empty()) failure += std::string(" (") + brokenini::KindName(seed % brokenini::kindCount) + ")";
        tally.add(seed, failure);
    }
    tally.print();
    EXPECT_EQ(tally.passed(), tally.runs());
}

const char kKeptFile[] = "; mine\r\n[Window]\r\nTop=40\r\nLeft=50\r\nWidth=190\r\nHeight=140\r\nAlpha=200\r\n[Other]\r\nx=1\r\n";

// A read-only file: the program ends as always and the file keeps what it held.
TEST(StressSettings, ReadOnlyFile)
{
    StandIn standIn("6.1");
    Program program("win7");
    program.writeIni(kKeptFile);
    ASSERT_TRUE(SetFileAttributesA(program.iniPath().c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string failure = StartAndEnd(standIn, program, kKeptFile, false);
    SetFileAttributesA(program.iniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(failure, "");
    EXPECT_FALSE(FileExists(program.iniPath() + ".new")) << "no half-written file is left beside it";
}

// A file another program holds open without sharing: nothing can be read or written; the
// program starts from the defaults, ends as always, and the file keeps what it held.
TEST(StressSettings, FileHeldOpenWithoutSharing)
{
    StandIn standIn("6.1");
    Program program("win7");
    program.writeIni(kKeptFile);
    HANDLE held = CreateFileA(program.iniPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    // Started and ended while the file is held; read back once it is let go.
    program.start();
    ASSERT_EQ(program.waitStarted(standIn), StartOutcome::captured);
    RECT r = RectOf(program.mainWindow());
    EXPECT_NE(r.left, 50) << "the held file cannot have been read";
    program.endAsUser();
    bool boxShown = false;
    EXPECT_TRUE(WaitUntil(
        [&] {
            boxShown = boxShown || program.messageBox();
            return !program.running();
        },
        30000));
    CloseHandle(held);
    EXPECT_FALSE(boxShown);
    EXPECT_EQ(program.exitCode(), 0u);
    EXPECT_EQ(ParentOf(standIn.notifyArea()), standIn.taskbar());
    EXPECT_EQ(program.readIni(), kKeptFile);
    EXPECT_FALSE(FileExists(program.iniPath() + ".new")) << "no half-written file is left beside it";
}

}  // namespace
