#include "harness.h"

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace e2e {

namespace {

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

bool Matches(HWND window, const char* cls, DWORD pid)
{
    return ClassOf(window) == cls && (pid == 0 || ProcessOf(window) == pid);
}

struct ChildSearch {
    const char* cls;
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindDescendant(HWND window, LPARAM lParam)
{
    ChildSearch* search = reinterpret_cast<ChildSearch*>(lParam);
    if (Matches(window, search->cls, search->pid)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Searches the top-level windows, then the descendants of each.
HWND FindAnywhere(const char* cls, DWORD pid)
{
    if (HWND top = FindTopLevel(cls, pid)) return top;
    for (HWND top = FindWindowExA(nullptr, nullptr, nullptr, nullptr); top;
         top = FindWindowExA(nullptr, top, nullptr, nullptr)) {
        ChildSearch search = {cls, pid, nullptr};
        EnumChildWindows(top, FindDescendant, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
    }
    return nullptr;
}

INPUT MouseInput(DWORD flags, LONG dx = 0, LONG dy = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    return input;
}

DWORD ButtonFlag(MouseButton button, bool down)
{
    switch (button) {
    case MouseButton::Right: return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    case MouseButton::Middle: return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    default: return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
}

void Send(std::vector<INPUT> inputs)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

// ---- Files and folders -------------------------------------------------------------

HANDLE OpenShared(const std::string& path)
{
    // Shared every way: the writer keeps appending while the test reads.
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string BinDir()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return FolderOf(path);
}

std::string ReadFile(const std::string& path)
{
    HANDLE file = OpenShared(path);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string content;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
    CloseHandle(file);
    return content;
}

bool WriteFile(const std::string& path, const std::string& content)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == content.size();
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TempDir::TempDir()
{
    static unsigned counter = 0;
    char base[MAX_PATH] = {};
    GetTempPathA(sizeof base, base);
    std::string root = base;
    if (!root.empty() && root.back() == '\\') root.pop_back();
    for (;;) {
        path_ = root + "\\vt-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + "-" +
                std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
}

TempDir::~TempDir()
{
    RemoveTree(path_);
}

// ---- Waiting -----------------------------------------------------------------------

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD stepMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, stepMs, QS_ALLINPUT);
    }
}

bool WaitForSteadyForeground(DWORD steadyMs, DWORD timeoutMs)
{
    HWND last = GetForegroundWindow();
    DWORD since = GetTickCount();
    return WaitUntil(
        [&] {
            HWND now = GetForegroundWindow();
            if (now != last) {
                last = now;
                since = GetTickCount();
            }
            return GetTickCount() - since >= steadyMs;
        },
        timeoutMs);
}

void Pause(DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    PumpMessages();
}

// ---- Processes ---------------------------------------------------------------------

bool StartProcess(const std::string& exe, std::string commandLine, DWORD flags, const std::string& workDir,
                  PROCESS_INFORMATION& info)
{
    for (int attempt = 1; attempt <= 3; ++attempt) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        info = PROCESS_INFORMATION{};
        if (CreateProcessA(exe.empty() ? nullptr : exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, flags,
                           nullptr, workDir.empty() ? nullptr : workDir.c_str(), &startup, &info)) {
            return true;
        }
        std::fprintf(stderr, "start %d of %s failed, error %lu\n", attempt, commandLine.c_str(), GetLastError());
        Pause(200);
    }
    return false;
}

ChildProcess::ChildProcess(const std::string& exe, const std::string& args, const std::string& workDir)
{
    const std::string path = exe.find_first_of("\\/") == std::string::npos ? BinDir() + "\\" + exe : exe;
    std::string line = "\"" + path + "\"";
    if (!args.empty()) line += " " + args;
    PROCESS_INFORMATION info = {};
    if (StartProcess(path, line, 0, workDir, info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        pid_ = info.dwProcessId;
    }
}

ChildProcess::~ChildProcess()
{
    terminate();
    if (process_) CloseHandle(process_);
}

void SuspendProcess(DWORD pid, bool suspend)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != pid) continue;
        HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
        if (suspend) SuspendThread(thread); else ResumeThread(thread);
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
}

bool ChildProcess::running() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::waitForExit(DWORD timeoutMs)
{
    if (!process_) return true;
    return WaitUntil([this] { return !running(); }, timeoutMs);
}

DWORD ChildProcess::exitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

void ChildProcess::terminate()
{
    if (!running()) return;
    TerminateProcess(process_, 1);
    // Its windows go with it; pumping meanwhile keeps any window of ours it sent to free.
    waitForExit(5000);
}

// ---- Journals ----------------------------------------------------------------------

std::string JournalEntry::param(const std::string& key) const
{
    size_t at = 0;
    while (at < params.size()) {
        const size_t end = params.find(' ', at);
        const size_t equals = params.find('=', at);
        if (equals != std::string::npos && (end == std::string::npos || equals < end)) {
            const std::string name = params.substr(at, equals - at);
            // Free text runs to the end of the line.
            const bool freeText = name == "tip" || name == "text";
            const size_t valueEnd = freeText || end == std::string::npos ? params.size() : end;
            if (name == key) return params.substr(equals + 1, valueEnd - equals - 1);
            if (freeText) break;
        }
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return std::string();
}

long long JournalEntry::number(const std::string& key, long long fallback) const
{
    const std::string value = param(key);
    if (value.empty()) return fallback;
    char* end = nullptr;
    const long long number = std::strtoll(value.c_str(), &end, 0);
    return *end == '\0' ? number : fallback;
}

bool JournalEntry::has(const std::string& key) const
{
    return params.compare(0, key.size() + 1, key + "=") == 0 || params.find(" " + key + "=") != std::string::npos;
}

JournalEntry ParseJournalLine(const std::string& line)
{
    JournalEntry entry;
    std::vector<std::string> fields;
    size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        const size_t tab = line.find('\t', at);
        if (tab == std::string::npos) break;
        fields.push_back(line.substr(at, tab - at));
        at = tab + 1;
    }
    if (fields.size() < 3) return entry;
    entry.tick = static_cast<DWORD>(std::strtoul(fields[0].c_str(), nullptr, 10));
    entry.target = fields[1];
    entry.event = fields[2];
    entry.params = line.substr(at);
    return entry;
}

const std::vector<std::string>& JournalReader::lines()
{
    HANDLE file = OpenShared(path_);
    if (file == INVALID_HANDLE_VALUE) return lines_;
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    if (static_cast<unsigned long long>(size.QuadPart) > offset_) {
        LARGE_INTEGER from = {};
        from.QuadPart = static_cast<LONGLONG>(offset_);
        SetFilePointerEx(file, from, nullptr, FILE_BEGIN);
        char buffer[65536];
        DWORD got = 0;
        while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            partial_.append(buffer, got);
            offset_ += got;
        }
        size_t start = 0;
        for (size_t end = partial_.find('\n'); end != std::string::npos; end = partial_.find('\n', start)) {
            std::string line = partial_.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines_.push_back(line);
            start = end + 1;
        }
        partial_.erase(0, start);
    }
    CloseHandle(file);
    return lines_;
}

bool JournalReader::waitFor(const std::function<bool(const std::string&)>& match, DWORD timeoutMs, size_t fromMark)
{
    size_t next = fromMark;
    return WaitUntil(
        [&] {
            const std::vector<std::string>& all = lines();
            for (; next < all.size(); ++next) {
                if (match(all[next])) return true;
            }
            return false;
        },
        timeoutMs);
}

// ---- The taskbar stand-in ----------------------------------------------------------

StandIn::StandIn(const std::string& flavour, const std::string& extraArgs)
    : flavour_(flavour), journal_(dir_.file("standin-journal.txt"))
{
    std::string args = "--flavour " + flavour + " --journal \"" + journal_.path() + "\"";
    if (!extraArgs.empty()) args += " " + extraArgs;
    // The layouts of Windows 10 and 11 run told what Wine's win10 tells a program; the older
    // ones under the prefix's own version, as their data was recorded.
    std::unique_ptr<RegistrySwitch> version;
    if (flavour == "10" || flavour.compare(0, 2, "11") == 0) {
        version.reset(new RegistrySwitch("Software\\Wine\\AppDefaults\\standin.exe", "Version", "win10"));
    }
    process_.reset(new ChildProcess(BinDir() + "\\standin.exe", args));
    if (!process_->started()) return;
    ready_ = journal_.waitFor(
        [](const std::string& line) { return line.find("\tstandin\tready\t") != std::string::npos; }, 10000);
}

StandIn::~StandIn()
{
    kill();
    // A failed test shows what the stand-in saw last; its journal goes with its folder.
    if (::testing::Test::HasFailure()) {
        const std::vector<std::string>& all = journal_.lines();
        const size_t from = all.size() > 60 ? all.size() - 60 : 0;
        std::printf("--- last lines of the stand-in's journal (%s)\n", flavour_.c_str());
        for (size_t i = from; i < all.size(); ++i) std::printf("%s\n", all[i].c_str());
        std::fflush(stdout);
    }
}

void StandIn::kill()
{
    if (process_) process_->terminate();
}

HWND StandIn::taskbar() const
{
    return FindTopLevel("Shell_TrayWnd", processId());
}

HWND StandIn::notifyArea() const
{
    if (HWND bar = taskbar()) {
        for (HWND child = FindWindowExA(bar, nullptr, "TrayNotifyWnd", nullptr); child;
             child = FindWindowExA(bar, child, "TrayNotifyWnd", nullptr)) {
            if (ProcessOf(child) == processId()) return child;
        }
    }
    return find("TrayNotifyWnd");
}

HWND StandIn::control() const
{
    return FindTopLevel("VtStandInControl", processId());
}

HWND StandIn::find(const char* cls) const
{
    if (processId() == 0) return nullptr;
    return FindAnywhere(cls, processId());
}

LRESULT StandIn::command(const std::string& text) const
{
    HWND target = control();
    if (!target) return -1;
    COPYDATASTRUCT copy = {};
    copy.dwData = 0x5654;
    copy.cbData = static_cast<DWORD>(text.size());
    copy.lpData = const_cast<char*>(text.data());
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_NORMAL, 10000, &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

std::vector<std::string> StandIn::journal()
{
    return journal_.lines();
}

size_t StandIn::journalMark()
{
    return journal_.mark();
}

std::vector<std::string> StandIn::journalSince(size_t mark)
{
    const std::vector<std::string>& all = journal_.lines();
    if (mark >= all.size()) return {};
    return std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(mark), all.end());
}

bool StandIn::waitForJournal(const std::string& substring, DWORD timeoutMs, size_t fromMark)
{
    return journal_.waitFor([&](const std::string& line) { return line.find(substring) != std::string::npos; },
                            timeoutMs, fromMark);
}

bool StandIn::waitForJournal(const std::function<bool(const std::string&)>& match, DWORD timeoutMs, size_t fromMark)
{
    return journal_.waitFor(match, timeoutMs, fromMark);
}

std::vector<JournalEntry> StandIn::entries(const std::string& target, const std::string& event, size_t fromMark)
{
    std::vector<JournalEntry> found;
    for (const std::string& line : journalSince(fromMark)) {
        JournalEntry entry = ParseJournalLine(line);
        if (entry.target == target && entry.event == event) found.push_back(entry);
    }
    return found;
}

// ---- Input as a user gives it ------------------------------------------------------

namespace {

// Where the test last put the pointer. A Wine process that takes in a pointer event of X
// late (an EnterNotify of an earlier warp) sets the pointer back to that event's place for
// a moment; a press or release that took the place from the pointer then would land there.
// So each one carries this place itself.
POINT pointerTarget = {-1, -1};

INPUT PointerInput(DWORD flags)
{
    if (pointerTarget.x < 0) return MouseInput(flags);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const LONG dx = static_cast<LONG>((pointerTarget.x * 65535LL + width / 2) / (width > 1 ? width - 1 : 1));
    const LONG dy = static_cast<LONG>((pointerTarget.y * 65535LL + height / 2) / (height > 1 ? height - 1 : 1));
    return MouseInput(flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, dx, dy);
}

}  // namespace

void MoveCursor(int x, int y)
{
    pointerTarget = {x, y};
    SetCursorPos(x, y);
}

bool KeepCursorAt(int x, int y, POINT* seen)
{
    pointerTarget = {x, y};
    POINT at{};
    if (!GetCursorPos(&at) || (at.x == x && at.y == y)) return false;
    if (seen) *seen = at;
    // Wine warps the X pointer only when its own idea of the position changes, and a busy
    // process that takes in a motion event late sets that idea back to the clock while the
    // pointer stays away. Where the pointer is (asked of X once that idea is 100 ms old) is
    // set first, so that the move back is a change and is carried out.
    SetCursorPos(at.x, at.y);
    SetCursorPos(x, y);
    return true;
}

void PressButton(MouseButton button)
{
    Send({PointerInput(ButtonFlag(button, true))});
}

void ReleaseButton(MouseButton button)
{
    Send({PointerInput(ButtonFlag(button, false))});
}

void ClickAt(int x, int y, MouseButton button)
{
    MoveCursor(x, y);
    // The move alone first, so the target sees the pointer arrive before the click.
    Send({PointerInput(0), PointerInput(ButtonFlag(button, true)), PointerInput(ButtonFlag(button, false))});
}

void Click(POINT at, MouseButton button)
{
    MoveCursor(at.x, at.y);
    Pause(60);
    PressButton(button);
    Pause(80);
    ReleaseButton(button);
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void KeyChord(const std::vector<WORD>& keys)
{
    if (keys.empty()) return;
    auto inputs = [&](bool up) {
        std::vector<INPUT> list;
        for (size_t i = 0; i < keys.size(); ++i) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = up ? keys[keys.size() - 1 - i] : keys[i];
            input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(input.ki.wVk, MAPVK_VK_TO_VSC));
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            list.push_back(input);
        }
        return list;
    };
    auto held = [](WORD key) { return (GetAsyncKeyState(key) & 0x8000) != 0; };
    const auto modifiersLetGo = [&] { return std::any_of(keys.begin(), keys.end() - 1, [&](WORD k) { return !held(k); }); };
    for (int attempt = 0; attempt < 3; ++attempt) {
        // A Wine process that takes in a pointer or focus event of X late sets the keyboard
        // state to X's own, where no key is held. The modifiers go down first and are seen
        // held; then the last key. Modifiers let go while the last key is still held mean
        // that this happened before the last key came: the system never saw the chord, so
        // it is sent again. Had it happened after, the last key would be let go too.
        std::vector<INPUT> downs = inputs(false);
        const INPUT last = downs.back();
        downs.pop_back();
        Send(downs);
        bool broken = modifiersLetGo();
        if (!broken) {
            Send({last});
            broken = held(keys.back()) && modifiersLetGo();
        }
        Send(inputs(true));
        if (!broken) return;
        std::fprintf(stderr, "the chord's modifiers were let go before its last key came; sent again\n");
    }
}

// ---- System settings ---------------------------------------------------------------

void SetReportedVersion(const std::string& exeName, const std::string& version)
{
    const std::string keyPath = "Software\\Wine\\AppDefaults\\" + exeName;
    HKEY key = nullptr;
    if (version.empty()) {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "Version");
            RegCloseKey(key);
        }
        return;
    }
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                   static_cast<DWORD>(version.size() + 1));
    RegCloseKey(key);
}

RegistrySwitch::RegistrySwitch(const char* path, const char* name, const char* value) : path_(path), name_(name)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path_, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    char old[256] = {};
    DWORD size = sizeof old - 1;
    had_ = RegQueryValueExA(key, name_, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
    old_ = old;
    RegSetValueExA(key, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(strlen(value) + 1));
    RegCloseKey(key);
}

RegistrySwitch::~RegistrySwitch()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path_, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    if (had_) {
        RegSetValueExA(key, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                       static_cast<DWORD>(old_.size() + 1));
    } else {
        RegDeleteValueA(key, name_);
    }
    RegCloseKey(key);
}

// ---- Windows -----------------------------------------------------------------------

std::string ClassOf(HWND window)
{
    char name[256] = "";
    if (!window || !GetClassNameA(window, name, sizeof name)) return std::string();
    return name;
}

std::string TextOf(HWND window)
{
    char text[512] = "";
    if (!window) return std::string();
    // WM_GETTEXT rather than GetWindowText: the caption of another process's child window.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &length)) {
        return std::string();
    }
    return std::string(text, length < sizeof text ? length : sizeof text - 1);
}

DWORD ProcessOf(HWND window)
{
    DWORD pid = 0;
    if (window) GetWindowThreadProcessId(window, &pid);
    return pid;
}

RECT RectOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

HWND ParentOf(HWND window)
{
    return GetAncestor(window, GA_PARENT);
}

HWND FindChild(HWND parent, const char* cls, const char* text)
{
    if (!parent) return nullptr;
    if (!text) return FindWindowExA(parent, nullptr, cls, nullptr);
    for (HWND child = FindWindowExA(parent, nullptr, cls, nullptr); child;
         child = FindWindowExA(parent, child, cls, nullptr)) {
        if (TextOf(child) == text) return child;
    }
    return nullptr;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

HWND FindTopLevel(const char* cls, DWORD pid)
{
    for (HWND window = FindWindowExA(nullptr, nullptr, cls, nullptr); window;
         window = FindWindowExA(nullptr, window, cls, nullptr)) {
        if (pid == 0 || ProcessOf(window) == pid) return window;
    }
    return nullptr;
}

HWND WaitForTopLevel(const char* cls, DWORD pid, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevel(cls, pid)) != nullptr; }, timeoutMs);
    return found;
}

// ---- Toolbars of other processes ---------------------------------------------------

std::vector<ToolbarButton> ReadToolbarButtons(HWND toolbar)
{
    std::vector<ToolbarButton> buttons;
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                                 FALSE, ProcessOf(toolbar));
    if (!process) return buttons;
    void* remote = VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
    if (remote) {
        const int count = static_cast<int>(SendMessageA(toolbar, WM_USER + 24 /* TB_BUTTONCOUNT */, 0, 0));
        for (int i = 0; i < count; ++i) {
            BYTE raw[20] = {};
            SIZE_T got = 0;
            if (!SendMessageA(toolbar, WM_USER + 23 /* TB_GETBUTTON */, i, reinterpret_cast<LPARAM>(remote)) ||
                !ReadProcessMemory(process, remote, raw, sizeof raw, &got) || got != sizeof raw) {
                break;
            }
            ToolbarButton button;
            std::memcpy(&button.bitmap, raw, 4);
            std::memcpy(&button.command, raw + 4, 4);
            button.state = raw[8];
            button.style = raw[9];
            buttons.push_back(button);
        }
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return buttons;
}

bool ToolbarButtonRect(HWND toolbar, int index, RECT& screen)
{
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                                 FALSE, ProcessOf(toolbar));
    if (!process) return false;
    bool ok = false;
    void* remote = VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
    if (remote) {
        SIZE_T got = 0;
        ok = SendMessageA(toolbar, WM_USER + 29 /* TB_GETITEMRECT */, index, reinterpret_cast<LPARAM>(remote)) &&
             ReadProcessMemory(process, remote, &screen, sizeof screen, &got) && got == sizeof screen;
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    if (ok) MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&screen), 2);
    return ok;
}

// ---- A window of the test's own ----------------------------------------------------

RecordingWindow::RecordingWindow(int width, int height, bool visible)
{
    static ATOM registered = 0;
    if (!registered) {
        WNDCLASSA cls = {};
        cls.lpfnWndProc = Proc;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
        cls.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        cls.lpszClassName = "VtE2ERecordingWindow";
        registered = RegisterClassA(&cls);
    }
    window_ = CreateWindowExA(0, "VtE2ERecordingWindow", "e2e", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100, 100, width,
                              height, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    if (window_ && visible) ShowWindow(window_, SW_SHOWNOACTIVATE);
}

RecordingWindow::~RecordingWindow()
{
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

std::vector<RecordingWindow::Received> RecordingWindow::received(UINT message) const
{
    std::vector<Received> found;
    for (const Received& r : received_) {
        if (r.message == message) found.push_back(r);
    }
    return found;
}

bool RecordingWindow::waitFor(UINT message, DWORD timeoutMs)
{
    return WaitUntil([&] { return !received(message).empty(); }, timeoutMs);
}

LRESULT CALLBACK RecordingWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    RecordingWindow* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && (message >= WM_USER || message == WM_HOTKEY)) self->received_.push_back({message, wParam, lParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace e2e
