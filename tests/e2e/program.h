// Drives the real veltrin.exe for the end-to-end tests: a folder of its own (with or without
// a velt.ini), the reported Windows version, start, the outcome of the start, the test
// report, and an ending as a user's or by process id.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "harness.h"

namespace e2e {

enum class StartOutcome { captured, refused, exited, timedOut };

class Program {
public:
    // A new folder holding a copy of veltrin.exe.
    explicit Program(const std::string& reportedVersion = "win7");
    // A second copy started from the same folder as `first`.
    Program(const Program& first, const std::string& reportedVersion);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    std::string folder() const { return dir_->path(); }
    std::string iniPath() const { return dir_->file("velt.ini"); }
    void writeIni(const std::string& text) const;
    std::string readIni() const;
    bool iniExists() const;

    // Starts the program; `fault` arms the test-only fault switch ("access", "abort",
    // "exception"), `openerJournal` is where the opener stand-ins record.
    void start(const std::string& fault = "", bool suspended = false);
    // Lets a program started suspended run (several can then start within a few ms).
    void resume();
    // Waits until the notification area of `standIn` lives in this program's window, the
    // program shows a message box, or it ends.
    StartOutcome waitStarted(const StandIn& standIn, DWORD timeoutMs = 20000);

    DWORD processId() const { return processId_; }
    HANDLE handle() const { return process_; }
    bool running() const;
    bool waitExit(DWORD timeoutMs);
    DWORD exitCode() const;

    HWND mainWindow() const;                 // its "TVeltrWnd"
    HWND messageBox() const;                 // a message box it shows, if any
    std::string messageBoxText() const;
    void pressMessageBoxButton(int id = IDOK) const;

    // The popup menu's "exit" command, as a user chooses it.
    void endAsUser() const;
    // What the program found and decided, from its test-only report.
    std::map<std::string, std::string> report() const;
    // What the ending left behind, written as its last step.
    std::map<std::string, std::string> endingReport() const;
    // The report's value of a handle, as a window handle.
    HWND reportedHandle(const std::string& key) const;

    std::string openerJournal() const { return dir_->file("opener-journal.txt"); }

private:
    std::shared_ptr<TempDir> dir_;
    std::string version_;
    HANDLE process_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD processId_ = 0;
};

// A story told in both modes of the pointer watcher: when quiet, start() sets QuietWatch=1
// in velt.ini (made if absent).
extern bool quietWatch;
class WatchModes : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { quietWatch = GetParam(); }
    void TearDown() override { quietWatch = false; }
};
inline std::string WatchModeName(const ::testing::TestParamInfo<bool>& mode) { return mode.param ? "quiet" : "usual"; }

}  // namespace e2e
