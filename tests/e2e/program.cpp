// Drives veltrin.exe for the end-to-end tests.
#include "program.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "settings/settings_rules.h"

namespace e2e {

bool quietWatch = false;

Program::Program(const std::string& reportedVersion)
    : dir_(std::make_shared<TempDir>()), version_(reportedVersion)
{
    CopyFileA((BinDir() + "\\veltrin.exe").c_str(), dir_->file("veltrin.exe").c_str(), FALSE);
}

Program::Program(const Program& first, const std::string& reportedVersion)
    : dir_(first.dir_), version_(reportedVersion)
{
}

Program::~Program()
{
    resume();
    if (process_) {
        if (running()) {
            TerminateProcess(process_, 99);
            WaitForSingleObject(process_, 5000);
        }
        CloseHandle(process_);
    }
}

void Program::writeIni(const std::string& text) const
{
    std::ofstream(iniPath(), std::ios::binary) << text;
}

std::string Program::readIni() const { return ReadFile(iniPath()); }

bool Program::iniExists() const { return GetFileAttributesA(iniPath().c_str()) != INVALID_FILE_ATTRIBUTES; }

void Program::start(const std::string& fault, bool suspended)
{
    SetReportedVersion("veltrin.exe", version_);
    if (quietWatch) writeIni(SetIniValue(iniExists() ? readIni() : "", "Config", "QuietWatch", "1"));
    // The child inherits these; the fault switch and the openers read them.
    SetEnvironmentVariableA("VELTRIN_TEST_FAULT", fault.empty() ? nullptr : fault.c_str());
    SetEnvironmentVariableA("VT_OPENER_JOURNAL", openerJournal().c_str());
    std::string exe = dir_->file("veltrin.exe");
    std::string commandLine = "\"" + exe + "\"";
    PROCESS_INFORMATION info{};
    if (StartProcess(exe, commandLine, suspended ? CREATE_SUSPENDED : 0, dir_->path(), info)) {
        process_ = info.hProcess;
        processId_ = info.dwProcessId;
        if (suspended) {
            thread_ = info.hThread;
        } else {
            CloseHandle(info.hThread);
        }
    }
    SetEnvironmentVariableA("VELTRIN_TEST_FAULT", nullptr);
}

StartOutcome Program::waitStarted(const StandIn& standIn, DWORD timeoutMs)
{
    StartOutcome outcome = StartOutcome::timedOut;
    WaitUntil(
        [&] {
            HWND main = mainWindow();
            HWND notifyArea = standIn.notifyArea();
            if (main && notifyArea && GetParent(notifyArea) == main) {
                // The capture goes on after the move; the start is over once the program
                // waits for input in its message loop.
                WaitForInputIdle(process_, 10000);
                outcome = StartOutcome::captured;
                return true;
            }
            if (messageBox()) {
                outcome = StartOutcome::refused;
                return true;
            }
            if (!running()) {
                outcome = StartOutcome::exited;
                return true;
            }
            return false;
        },
        timeoutMs);
    // A failed story shows how its start ended; the stories that expect no capture see it too.
    static const char* const names[] = {"captured", "refused", "exited", "timed out"};
    if (outcome != StartOutcome::captured) {
        std::printf("the start ended %s (exit code %lu)\n", names[static_cast<int>(outcome)], exitCode());
    }
    return outcome;
}

void Program::resume()
{
    if (!thread_) return;
    ResumeThread(thread_);
    CloseHandle(thread_);
    thread_ = nullptr;
}

bool Program::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool Program::waitExit(DWORD timeoutMs) { return process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0; }

DWORD Program::exitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

HWND Program::mainWindow() const { return processId_ ? FindTopLevel("TVeltrWnd", processId_) : nullptr; }

HWND Program::messageBox() const
{
    if (!processId_) return nullptr;
    HWND box = FindTopLevel("#32770", processId_);
    return box && IsWindowVisible(box) ? box : nullptr;
}

std::string Program::messageBoxText() const
{
    HWND box = messageBox();
    HWND text = box ? FindWindowExA(box, nullptr, "Static", nullptr) : nullptr;
    // The first static control holds the icon in some layouts; the text is the one with text.
    while (text && TextOf(text).empty()) text = FindWindowExA(box, text, "Static", nullptr);
    return text ? TextOf(text) : std::string();
}

void Program::pressMessageBoxButton(int id) const
{
    HWND box = messageBox();
    if (box) PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

void Program::endAsUser() const
{
    const WPARAM exitCommand = 23;
    PostMessageA(mainWindow(), WM_COMMAND, exitCommand, 0);
}

static std::map<std::string, std::string> ReadValues(const std::string& path)
{
    std::map<std::string, std::string> values;
    std::istringstream lines(ReadFile(path));
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t eq = line.find('=');
        if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return values;
}

std::map<std::string, std::string> Program::report() const
{
    std::string path = dir_->file("veltrin-report.txt");
    DeleteFileA(path.c_str());
    static const UINT request = RegisterWindowMessageA("VeltrinTestReport");
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(mainWindow(), request, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
    return ReadValues(path);
}

std::map<std::string, std::string> Program::endingReport() const { return ReadValues(dir_->file("veltrin-ending.txt")); }

HWND Program::reportedHandle(const std::string& key) const
{
    auto values = report();
    auto it = values.find(key);
    if (it == values.end()) return nullptr;
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(it->second.c_str(), nullptr, 16)));
}

}  // namespace e2e
