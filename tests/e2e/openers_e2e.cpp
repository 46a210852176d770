// The stand-ins for the outside programs the shell starts: whatever is opened is recorded
// with its command line instead of a text editor, browser, mail client or control panel.
#include <gtest/gtest.h>

#include "harness.h"
#include "program.h"

#include <shellapi.h>

using namespace e2e;

namespace {

std::string RecordedTarget(JournalReader& journal, size_t from)
{
    if (!journal.waitFor([](const std::string& line) { return line.find("\topen\t") != std::string::npos; }, 10000,
                         from)) {
        return "";
    }
    JournalEntry e = ParseJournalLine(journal.lines()[from]);
    return e.params;
}

TEST(Openers, ShellOpenRecordsTextFilesWebPagesAndMail)
{
    TempDir dir;
    std::string journalPath = dir.file("opened.txt");
    SetEnvironmentVariableA("VT_OPENER_JOURNAL", journalPath.c_str());
    std::string text = dir.file("notes.txt");
    ASSERT_TRUE(WriteFile(text, "notes\r\n"));
    JournalReader journal(journalPath);

    const char* targets[] = {text.c_str(), "https://veltrin.example.org/velthelp.html", "mailto:support@veltrin.example.org"};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(targets[i]);
        INT_PTR result = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", targets[i], nullptr, nullptr, SW_SHOWNORMAL));
        EXPECT_GT(result, 32);
        EXPECT_EQ(RecordedTarget(journal, i), std::string("\"") + targets[i] + "\"");
    }
    SetEnvironmentVariableA("VT_OPENER_JOURNAL", nullptr);
}

// The date and time control panel, as the shell starts it, is recorded too.
TEST(Openers, ControlPanelLauncherIsRecorded)
{
    TempDir dir;
    std::string journalPath = dir.file("opened.txt");
    SetEnvironmentVariableA("VT_OPENER_JOURNAL", journalPath.c_str());
    INT_PTR result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", "rundll32.exe", "shell32.dll,Control_RunDLL timedate.cpl", nullptr, SW_SHOWNORMAL));
    SetEnvironmentVariableA("VT_OPENER_JOURNAL", nullptr);
    EXPECT_GT(result, 32);
    JournalReader journal(journalPath);
    ASSERT_TRUE(journal.waitFor([](const std::string&) { return true; }, 10000));
    JournalEntry e = ParseJournalLine(journal.lines()[0]);
    EXPECT_EQ(e.target, "rundll32.exe");
    EXPECT_EQ(e.params, "shell32.dll,Control_RunDLL timedate.cpl");
}

}  // namespace
