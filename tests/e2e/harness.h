// End-to-end test harness: starts the taskbar stand-in and other programs, waits for what
// they show, reads their journals, and acts as a user with the mouse and keyboard.
// Everything here runs in the test process under Wine; waits pump the test thread's
// messages, because other programs send to the test's own windows and wait for an answer.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace e2e {

// ---- Files and folders -------------------------------------------------------------

// Folder of the running test program; veltrin.exe, standin.exe and opener.exe lie there too.
std::string BinDir();
std::string ReadFile(const std::string& path);
// Opened to read, shared every way, as a reader that lets others write on.
HANDLE OpenShared(const std::string& path);
bool WriteFile(const std::string& path, const std::string& content);
bool FileExists(const std::string& path);

// A fresh folder under %TEMP%, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// ---- Waiting -----------------------------------------------------------------------

// Dispatches every message waiting for the calling thread.
void PumpMessages();
// Polls the condition until it holds or the time is up, pumping messages between polls.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD stepMs = 20);
// Lets the given time pass while pumping messages (for letting other programs settle,
// never as a substitute for waiting on a state).
void Pause(DWORD ms);

// ---- Processes ---------------------------------------------------------------------

// CreateProcessA with an absolute path or a command line, tried again when it fails: under
// load a start now and then failed at once, before the new program ran a line of its own.
// Each failure is told on stderr with its error code. Empty exe: the command line names it.
bool StartProcess(const std::string& exe, std::string commandLine, DWORD flags, const std::string& workDir,
                  PROCESS_INFORMATION& info);

// A program started by the test. The destructor ends it by its process id if it still runs.
class ChildProcess {
public:
    // exe: a full path or a name in BinDir(). args: the rest of the command line.
    ChildProcess(const std::string& exe, const std::string& args, const std::string& workDir = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD pid() const { return pid_; }
    HANDLE handle() const { return process_; }
    bool running() const;
    bool waitForExit(DWORD timeoutMs);
    // STILL_ACTIVE while it runs.
    DWORD exitCode() const;
    void terminate();

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Stops every thread of a process, as a debugger holds it, or lets them go again.
void SuspendProcess(DWORD pid, bool suspend);

// ---- Journals ----------------------------------------------------------------------

// One journal line: <tick>\t<target>\t<event>\t<key=value ...>; a free-text value (tip=,
// text=) comes last and runs to the end of the line.
struct JournalEntry {
    DWORD tick = 0;
    std::string target;
    std::string event;
    std::string params;
    // The value of key, or "" when the line has none.
    std::string param(const std::string& key) const;
    long long number(const std::string& key, long long fallback = -1) const;
    bool has(const std::string& key) const;
};
JournalEntry ParseJournalLine(const std::string& line);

// Reads a journal that another program appends to, picking up only what is new each time.
class JournalReader {
public:
    explicit JournalReader(std::string path) : path_(std::move(path)) {}
    const std::vector<std::string>& lines();
    size_t mark() { return lines().size(); }
    bool waitFor(const std::function<bool(const std::string&)>& match, DWORD timeoutMs, size_t fromMark = 0);
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::vector<std::string> lines_;
    std::string partial_;
    unsigned long long offset_ = 0;
};

// ---- The taskbar stand-in ----------------------------------------------------------

// standin.exe playing one taskbar flavour, with its journal in a folder of its own.
class StandIn {
public:
    // Starts it and waits (at most 10 s) for its "ready" line. extraArgs e.g. "--no-icons",
    // "--icons 2,0x1". The layouts 10, 11-21h2 and 11 start with Wine reporting win10.
    explicit StandIn(const std::string& flavour, const std::string& extraArgs = "");
    ~StandIn();
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    bool ready() const { return ready_; }
    const std::string& flavour() const { return flavour_; }
    DWORD processId() const { return process_ ? process_->pid() : 0; }
    bool running() const { return process_ && process_->running(); }
    // Ends it by its process id, as a crash would.
    void kill();

    // Found afresh on each call, among this process's windows only (Wine has a hidden
    // Shell_TrayWnd of its own). notifyArea() is found inside the taskbar or, when another
    // program has taken it, wherever it now lives.
    HWND taskbar() const;
    HWND notifyArea() const;
    HWND control() const;
    // First window of this process with the class: a top-level one or any descendant.
    HWND find(const char* cls) const;

    // A command for its control window ("count", "add 5 hidden tip", "restart", ...): the
    // stand-in's answer (1 done, 0 refused, or the number asked for), -1 when it could not
    // be delivered within 10 s.
    LRESULT command(const std::string& text) const;

    std::vector<std::string> journal();
    size_t journalMark();
    std::vector<std::string> journalSince(size_t mark);
    bool waitForJournal(const std::string& substring, DWORD timeoutMs, size_t fromMark = 0);
    bool waitForJournal(const std::function<bool(const std::string&)>& match, DWORD timeoutMs, size_t fromMark = 0);
    // Entries since the mark whose target and event match.
    std::vector<JournalEntry> entries(const std::string& target, const std::string& event, size_t fromMark = 0);
    const std::string& journalPath() const { return journal_.path(); }

private:
    std::string flavour_;
    TempDir dir_;
    JournalReader journal_;
    std::unique_ptr<ChildProcess> process_;
    bool ready_ = false;
};

// ---- Input as a user gives it ------------------------------------------------------

enum class MouseButton { Left, Right, Middle };

void MoveCursor(int x, int y);
// While a story waits for what a rest of the pointer brings, this moves it back when it is
// found elsewhere; true when it had to.
bool KeepCursorAt(int x, int y, POINT* seen = nullptr);
void PressButton(MouseButton button = MouseButton::Left);
void ReleaseButton(MouseButton button = MouseButton::Left);
void ClickAt(int x, int y, MouseButton button = MouseButton::Left);
// A press held long enough for the program's 5 ms pointer watcher to see it down, then a release.
void Click(POINT at, MouseButton button = MouseButton::Left);
POINT Centre(const RECT& r);
// A place on the screen away from the program's windows and the taskbar.
constexpr POINT kAway{40, 700};
// Waits until the foreground window has stayed the same for steadyMs. Under Wine a window
// that takes the focus makes the X driver set the modifier keys to what the X server holds,
// which releases a Shift or Ctrl pressed by SendInput: keys go in once a start-up's
// activation is over.
bool WaitForSteadyForeground(DWORD steadyMs = 300, DWORD timeoutMs = 5000);
// Presses the keys in order and releases them in reverse: KeyChord({VK_CONTROL, VK_SHIFT, 'A'}).
void KeyChord(const std::vector<WORD>& keys);

// ---- System settings ---------------------------------------------------------------

// The Windows version Wine reports to one program: HKCU\Software\Wine\AppDefaults\<exe>,
// value "Version" ("win7", "winxp", "win2k", "nt40", "win95", ...). Empty removes it.
// Takes effect for processes started afterwards.
void SetReportedVersion(const std::string& exeName, const std::string& version);

// A text value under HKEY_CURRENT_USER set for as long as the object lives; the old value
// (or its absence) comes back afterwards.
class RegistrySwitch {
public:
    RegistrySwitch(const char* path, const char* name, const char* value);
    ~RegistrySwitch();
    RegistrySwitch(const RegistrySwitch&) = delete;
    RegistrySwitch& operator=(const RegistrySwitch&) = delete;

private:
    const char* path_;
    const char* name_;
    bool had_ = false;
    std::string old_;
};
constexpr char kThemePath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";
constexpr char kDesktopPath[] = "Control Panel\\Desktop";

// ---- Windows -----------------------------------------------------------------------

std::string ClassOf(HWND window);
std::string TextOf(HWND window);
DWORD ProcessOf(HWND window);
RECT RectOf(HWND window);
// The window's parent (not its owner); the desktop window for a top-level window.
HWND ParentOf(HWND window);
// First direct child with the class (and the text when given), in Z order.
HWND FindChild(HWND parent, const char* cls, const char* text = nullptr);
// Direct children in Z order.
std::vector<HWND> Children(HWND parent);
// First top-level window with the class, of the process when pid is not 0.
HWND FindTopLevel(const char* cls, DWORD pid = 0);
// Waits (pumping) for such a window to appear; null when none did in time.
HWND WaitForTopLevel(const char* cls, DWORD pid, DWORD timeoutMs);

// ---- Toolbars of other processes ---------------------------------------------------

// One button as TB_GETBUTTON gives it in the 32-bit layout (20 bytes).
struct ToolbarButton {
    int bitmap = 0;
    int command = 0;
    BYTE state = 0;
    BYTE style = 0;
    bool hidden() const { return (state & 0x08) != 0; }  // TBSTATE_HIDDEN
};
// TB_BUTTONCOUNT, then TB_GETBUTTON for each index into memory of the toolbar's process.
// Empty when the process cannot be opened.
std::vector<ToolbarButton> ReadToolbarButtons(HWND toolbar);
// Screen rectangle of the button at index (TB_GETITEMRECT into the toolbar's process).
bool ToolbarButtonRect(HWND toolbar, int index, RECT& screen);

// ---- A window of the test's own ----------------------------------------------------

// A top-level window of the test process that records the messages it receives from
// WM_USER up (registered messages included) and WM_HOTKEY; it can also host a window of
// another program (SetParent). Hidden unless shown.
class RecordingWindow {
public:
    struct Received {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    RecordingWindow(int width = 300, int height = 200, bool visible = false);
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND hwnd() const { return window_; }
    std::vector<Received> received(UINT message) const;
    bool waitFor(UINT message, DWORD timeoutMs);
    void clear() { received_.clear(); }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND window_ = nullptr;
    std::vector<Received> received_;
};

}  // namespace e2e
