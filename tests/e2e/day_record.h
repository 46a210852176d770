// A scripted day's record: at each moment the stand-in's journal since the moment before,
// what the user saw come and go meanwhile (the foreground window, message boxes, the
// program's own clock tooltip), what the program opened, and the program's windows,
// normalised to what the program decides and compared with reviewed data in
// tests/e2e/expected/<flavour>.txt (VELTRIN_UPDATE_EXPECTED=1 rewrites it instead).
#pragma once

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "harness.h"
#include "program.h"

namespace e2e {

// In UTF-8 as the data is kept, control characters escaped so that "\r\n" and "\n\r" differ.
inline std::string Readable(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), &wide[0], static_cast<int>(text.size())));
    std::string out;
    for (wchar_t c : wide) {
        char bytes[8];
        const int n = c < L' ' ? std::snprintf(bytes, sizeof bytes, c == '\r' ? "\\r" : c == '\n' ? "\\n" : "\\x%02X", c)
                               : WideCharToMultiByte(CP_UTF8, 0, &c, 1, bytes, sizeof bytes, nullptr, nullptr);
        out.append(bytes, static_cast<size_t>(n));
    }
    return out;
}

// Under Wine another process's icon cannot be read: the box's icon control is compared on the
// screen with the system's icons drawn here, where they are opaque (alike on black and white).
inline std::string MessageBoxIcon(HWND box)
{
    HWND control = nullptr;
    for (HWND child : Children(box)) control = (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON ? child : control;
    if (!control) return "none";
    const RECT r = RectOf(control), all{0, 0, r.right - r.left, r.bottom - r.top};
    HDC screen = GetDC(nullptr), dc[2] = {CreateCompatibleDC(screen), CreateCompatibleDC(screen)};
    HBITMAP bitmap[2] = {CreateCompatibleBitmap(screen, all.right, all.bottom), CreateCompatibleBitmap(screen, all.right, all.bottom)};
    const std::pair<const char*, LPCSTR> icons[] = {
        {"information", IDI_INFORMATION}, {"question", IDI_QUESTION}, {"warning", IDI_WARNING}, {"error", IDI_ERROR}};
    std::string found = "unknown";
    WaitUntil([&] {
        for (const auto& [label, id] : icons) {
            for (int k = 0; k < 2; ++k) {
                SelectObject(dc[k], bitmap[k]);
                FillRect(dc[k], &all, static_cast<HBRUSH>(GetStockObject(k ? WHITE_BRUSH : BLACK_BRUSH)));
                DrawIconEx(dc[k], 0, 0, LoadIconA(nullptr, id), all.right, all.bottom, 0, nullptr, DI_NORMAL);
            }
            int opaque = 0, wrong = 0;
            for (int at = 0; at < all.right * all.bottom; ++at) {
                const int x = at % all.right, y = at / all.right;
                const COLORREF pixel = GetPixel(dc[0], x, y);
                opaque += pixel == GetPixel(dc[1], x, y);
                wrong += pixel == GetPixel(dc[1], x, y) && pixel != GetPixel(screen, r.left + x, r.top + y);
            }
            if (opaque > all.right * all.bottom / 4 && wrong == 0) found = label;
        }
        return found != "unknown";
    }, 3000, 100);
    for (int k = 0; k < 2; ++k) DeleteDC(dc[k]), DeleteObject(bitmap[k]);
    ReleaseDC(nullptr, screen);
    return found;
}

class Day {
public:
    Day(StandIn& standIn, const std::string& flavour) : standIn_(standIn), flavour_(flavour)
    {
        names_[std::to_string(standIn.processId())] = "standin";
        lines_.push_back("screen " + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                         std::to_string(GetSystemMetrics(SM_CYSCREEN)));
        watchThread_ = std::thread([this] { watch(); });
    }
    ~Day()
    {
        stop_ = true;
        watchThread_.join();
    }

    // Until neither the stand-in's journal, nor what the user sees, nor what the program
    // opened, nor the windows of the program `pid` have changed for 400 ms, and the watcher
    // has looked at the screen once from start to end since then (on a busy machine it
    // lags: a message box up by then would otherwise be told a moment late).
    void settle(DWORD pid = 0)
    {
        size_t count = SIZE_MAX;
        unsigned passes = 0;
        std::vector<std::string> windows;
        DWORD since = 0;
        WaitUntil([&] {
            const size_t now = pending(false).size() + notes(false).size() + opened(false).size();
            std::vector<std::string> seen = tree(pid, false);
            if (now != count || seen != windows) count = now, windows = std::move(seen), since = GetTickCount(), passes = passes_;
            return GetTickCount() - since >= 400 && passes_ >= passes + 2;
        }, 5000, 50);
    }

    // Waits for the watcher's next "box" (described), or "shown" or "hidden" tooltip; the
    // window, or null when none came in time.
    HWND await(const std::string& what, DWORD timeoutMs = 5000)
    {
        HWND found = nullptr;
        WaitUntil([&] {
            std::lock_guard<std::mutex> lock(mutex_);
            for (; !found && awaited_ < seen_.size(); ++awaited_) found = seen_[awaited_].what == what ? seen_[awaited_].window : nullptr;
            return found != nullptr;
        }, timeoutMs, 5);
        return found;
    }

    // Once settled: "== title", the journal since the moment before, the boxes and the
    // tooltip's showings and hidings seen meanwhile, what the program opened, the foreground,
    // then the windows of the program (top-level ones in Z order, each with its children;
    // message boxes are told above), or "(windows as before)" when they did not change.
    void moment(const std::string& title, const Program* program = nullptr)
    {
        if (program) openers_.try_emplace(program->folder(), program->openerJournal());
        const DWORD pid = program ? program->processId() : 0;
        settle(pid);
        if (pid && !names_.count(std::to_string(pid))) {
            names_[std::to_string(pid)] = programs_ ? "veltrin#" + std::to_string(programs_ + 1) : "veltrin";
            ++programs_;
        }
        const std::vector<std::string> tree = this->tree(pid, true);
        lines_.push_back("== " + title);
        for (const auto& part : {pending(true), notes(true), opened(true)}) lines_.insert(lines_.end(), part.begin(), part.end());
        // No window in front is one thing to a user, whether Wine holds none there or the
        // desktop, which it puts there once X tells it late that its window lost the focus.
        const HWND foreground = GetForegroundWindow();
        const bool none = !foreground || foreground == GetDesktopWindow();
        lines_.push_back("foreground " + (none ? "none" : nameOf(foreground, ClassOf(foreground))));
        // A tree like the moment before's is not repeated, so that a review sees what changed.
        if (!tree.empty() && tree == tree_) {
            lines_.push_back("(windows as before)");
        } else {
            lines_.insert(lines_.end(), tree.begin(), tree.end());
        }
        tree_ = tree;
    }

    // Empty when the run is what the data expects; otherwise where the two part. A line of the
    // data that begins with "? " may be missing from the run, where timing may leave a step
    // out; an update keeps such lines.
    std::string compare() const
    {
        std::string dir = VELTRIN_EXPECTED_DIR, merged;
        std::replace(dir.begin(), dir.end(), '/', '\\');
        const std::string path = (dir[0] == '\\' ? "Z:" : "") + dir + "\\" + flavour_ + ".txt";
        std::vector<std::string> expected;
        std::istringstream data(ReadFile(path));
        for (std::string line; std::getline(data, line);) expected.push_back(line);
        size_t i = 0, j = 0;
        for (; i < expected.size(); merged += expected[i++] + "\n") {
            const bool optional = expected[i].compare(0, 2, "? ") == 0;
            if (j < lines_.size() && expected[i].substr(optional ? 2 : 0) == lines_[j]) ++j;
            else if (!optional) break;
        }
        if (const char* update = std::getenv("VELTRIN_UPDATE_EXPECTED"); update && std::string(update) == "1") {
            for (; j < lines_.size(); ++j) merged += lines_[j] + "\n";
            return WriteFile(path, merged) ? "" : "could not write " + path;
        }
        if (i == expected.size() && j == lines_.size()) return "";
        if (expected.empty() || expected[0] != lines_[0]) return path + " holds another screen than this run's " + lines_[0];
        const auto around = [](const std::vector<std::string>& all, size_t at) {
            std::string text;
            for (size_t k = at < 4 ? 0 : at - 4; k < all.size() && k < at + 6; ++k) text += (k == at ? "> " : "  ") + all[k] + "\n";
            return text;
        };
        // The whole run too: a difference may lie further on than the lines around the parting
        // (a tree repeated where the data say "as before").
        std::string run;
        for (const std::string& line : lines_) run += line + "\n";
        return path + " parts from this run at its line " + std::to_string(i + 1) + ":\n" + around(expected, i) +
               "this run:\n" + around(lines_, j) + "(VELTRIN_UPDATE_EXPECTED=1 rewrites the data from the run)\n" +
               "the whole run:\n" + run;
    }

private:
    struct Seen {
        std::string what, detail;
        HWND window, owner;
        std::string cls, ownerCls;
    };

    // What a user sees come and go, noted as it happens by a thread of its own (WinEvent hooks
    // deliver nothing under Wine): every message box of a program other than the stand-in
    // (described once drawn, so that the day answers it only then), each change of the
    // foreground window, and each showing and hiding of the program's own clock tooltip.
    void watch()
    {
        const DWORD mine = GetCurrentProcessId();
        HWND foreground = reinterpret_cast<HWND>(-1);
        std::set<HWND> boxes, shownTips;
        const auto box = [&](HWND w) {
            if (boxes.count(w) || ClassOf(w) != "#32770" || !IsWindowVisible(w) || ProcessOf(w) == mine ||
                ProcessOf(w) == standIn_.processId()) return;
            boxes.insert(w);
            std::string text, buttons;
            for (HWND child : Children(w)) {
                const std::string cls = ClassOf(child), label = Readable(TextOf(child));
                if (cls == "Button") buttons += "[" + label + "]";
                if (cls == "Static" && !label.empty()) text = label;
            }
            const RECT r = RectOf(w);
            const HWND owner = GetWindow(w, GW_OWNER);
            // Drawn once its icon is on the screen, and by then given the focus or not.
            const std::string icon = MessageBoxIcon(w);
            note({"box", "\"" + Readable(TextOf(w)) + "\" \"" + text + "\" " + buttons + " icon=" + icon +
                  ((GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) ? " topmost " : " ") + std::to_string(r.right - r.left) +
                  "x" + std::to_string(r.bottom - r.top) + (GetForegroundWindow() == w ? " focused" : ""), w, owner, "#32770",
                  ClassOf(owner)});
        };
        while (!stop_) {
            for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w; w = FindWindowExA(nullptr, w, "#32770", nullptr)) box(w);
            if (const HWND now = GetForegroundWindow(); now != foreground) note({"foreground", "", foreground = now, nullptr, "", ""});
            std::set<HWND> tips = shownTips;
            for (HWND w = FindWindowExA(nullptr, nullptr, "VeltClockTip", nullptr); w; w = FindWindowExA(nullptr, w, "VeltClockTip", nullptr)) tips.insert(w);
            for (HWND tip : tips) {
                if ((IsWindowVisible(tip) != FALSE) == (shownTips.count(tip) != 0)) continue;
                const RECT r = RectOf(tip), main = RectOf(GetWindow(tip, GW_OWNER));
                const bool shown = shownTips.insert(tip).second;
                if (!shown) shownTips.erase(tip);
                note({shown ? "shown" : "hidden", shown ? " dx=" + std::to_string(r.left - main.left) + " dy=" + std::to_string(r.top - main.top) : "",
                      tip, nullptr, "VeltClockTip", ""});
            }
            ++passes_;
            Sleep(1);
        }
    }

    void note(const Seen& seen)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        seen_.push_back(seen);
    }

    // The watcher's boxes since the moment before, then the tooltip's showings and hidings
    // (whose place among the boxes is timing). Its changes of the foreground only keep the
    // day from settling: while the focus passes between windows of several programs, which
    // windows have it for a moment on the way is timing too.
    std::vector<std::string> notes(bool consume)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!consume) return std::vector<std::string>(seen_.size() - told_);
        std::vector<std::string> out, tip;
        for (; told_ < seen_.size(); ++told_) {
            const Seen& s = seen_[told_];
            if (s.what == "box") {
                out.push_back("box " + nameOf(s.window, s.cls) + " owner=" + (s.owner ? nameOf(s.owner, s.ownerCls) : "none") + " " + s.detail);
            } else if (s.what != "foreground") {
                tip.push_back(nameOf(s.window, s.cls) + " " + s.what + s.detail);
            }
        }
        out.insert(out.end(), tip.begin(), tip.end());
        return out;
    }

    // What the programs had the shell open (the openers' journals), their folder left out.
    std::vector<std::string> opened(bool consume)
    {
        std::vector<std::string> out;
        for (auto& [folder, journal] : openers_) {
            const std::vector<std::string>& all = journal.lines();
            for (size_t n = openerLines_[folder]; n < all.size(); ++n) {
                const JournalEntry e = ParseJournalLine(all[n]);
                std::string what = e.target + " " + e.event + " " + e.params;
                for (size_t at; (at = what.find(folder)) != std::string::npos;) what.replace(at, folder.size(), "<folder>");
                out.push_back(Readable(what));
            }
            if (consume) openerLines_[folder] = all.size();
        }
        return out;
    }

    // A window is named by its class, later ones of a class as met with #2, #3 ...
    std::string nameOf(HWND window, const std::string& cls)
    {
        char key[24];
        std::snprintf(key, sizeof key, "0x%08llX", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
        for (int n = 1; !names_.count(key); ++n) {
            const std::string candidate = n == 1 ? cls : cls + "#" + std::to_string(n);
            if (std::none_of(names_.begin(), names_.end(), [&](const auto& e) { return e.second == candidate; })) names_[key] = candidate;
        }
        return names_[key];
    }

    // The program's windows: the visible top-level ones in Z order, then the hidden ones, whose
    // order nobody sees and which moves with every activation, in the order of their lines.
    // Naming gives the stand-in's and the program's windows their names for the journal.
    std::vector<std::string> tree(DWORD pid, bool naming)
    {
        std::vector<std::pair<bool, std::vector<std::string>>> windows;
        for (HWND w : Children(GetDesktopWindow())) {
            const DWORD process = ProcessOf(w);
            if (process == pid && ClassOf(w) == "#32770") continue;
            windows.push_back({!IsWindowVisible(w), {}});
            if (process == standIn_.processId() || (pid && process == pid)) {
                name(w, process == pid ? &windows.back().second : nullptr, 0, naming);
            }
        }
        std::stable_sort(windows.begin(), windows.end(), [](const auto& a, const auto& b) { return a.first < b.first || (a.first && b.first && a.second < b.second); });
        std::vector<std::string> lines;
        for (const auto& window : windows) lines.insert(lines.end(), window.second.begin(), window.second.end());
        return lines;
    }

    void name(HWND window, std::vector<std::string>* tree, int depth, bool naming)
    {
        char values[64];
        const std::string cls = ClassOf(window);
        if (naming) nameOf(window, cls);
        const RECT r = RectOf(window);
        std::snprintf(values, sizeof values, "\" %08lX %08lX %ldx%ld", GetWindowLongA(window, GWL_STYLE),
                      GetWindowLongA(window, GWL_EXSTYLE), r.right - r.left, r.bottom - r.top);
        if (tree) tree->push_back(std::string(2 * depth, ' ') + cls + " \"" + Readable(TextOf(window)) + values);
        for (HWND child : Children(window)) name(child, tree, depth + 1, naming);
    }

    // The polling that only measures time is left out, handles and process ids become names, a
    // line that repeats the one before is dropped. Lines whose place among the others is timing
    // follow them, each kind in its own order without repeats: the pointer's (two threads of the
    // program and the X server), posted messages (read when the taskbar next reads its queue) and
    // the area's sizes (which the pointer watcher follows: only a moment's last). The watcher
    // repeats its notices and hit tests every 5 ms: of these only a change counts.
    std::vector<std::string> pending(bool consume)
    {
        static const std::set<std::string> polling{"TB_BUTTONCOUNT", "TB_GETBUTTON", "foreign-copy", "foreign-copy-end", "report"},
            pointer{"WM_USER+103", "WM_USER+104", "WM_NCHITTEST"}, handles{"hwnd", "parent", "taskbar", "notify", "control", "host", "pid"};
        std::vector<std::string> out;
        std::map<std::string, std::vector<std::string>> streams;
        std::map<std::string, std::string> watcher = watcher_;
        const std::vector<std::string> journal = standIn_.journalSince(mark_);
        char date[128] = "";
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, date, sizeof date);
        const std::string today = Readable(date);
        for (const std::string& raw : journal) {
            const JournalEntry e = ParseJournalLine(raw);
            if (polling.count(e.event)) continue;
            std::string line = e.target + " " + e.event;
            for (size_t at = 0, end; at < e.params.size(); at = end + 1) {
                end = std::min(e.params.find(' ', at), e.params.size());
                const std::string word = e.params.substr(at, end - at), key = word.substr(0, word.find('=')),
                                  value = word.substr(std::min(word.size(), key.size() + 1));
                const bool handle = handles.count(key) || (key == "lParam" && e.event == "WM_COMMAND");
                line += " " + (!handle ? word : key + "=" + (std::strtoull(value.c_str(), nullptr, 16) == 0 ? "0"
                                                             : names_.count(value) ? names_[value] : "unknown"));
            }
            // A registered message's number depends on what the session registered before.
            char atom[64] = "";
            if (GetClipboardFormatNameA(static_cast<UINT>(std::strtoul(e.param("message").c_str(), nullptr, 16)), atom, 64)) {
                line.replace(line.find("message=") + 8, e.param("message").size(), atom);
            }
            line = Readable(line);
            // The clock's tooltip tells today's date, which the data cannot hold.
            if (const size_t at = line.find(today); !today.empty() && at != std::string::npos) line.replace(at, today.size(), "(today)");
            if ((e.event == "WM_USER+104" || e.event == "WM_NCHITTEST") && std::exchange(watcher[e.event], line) == line) continue;
            const bool areaSize = e.target == "TrayNotifyWnd" && e.event == "WM_SIZE";
            auto& into = pointer.count(e.event) || e.param("posted") == "1" || areaSize ? streams[e.target + e.event] : out;
            if (areaSize) into.clear();
            if (into.empty() || into.back() != line) into.push_back(line);
        }
        for (const auto& stream : streams) out.insert(out.end(), stream.second.begin(), stream.second.end());
        if (consume) mark_ += journal.size(), watcher_ = watcher;
        return out;
    }

    StandIn& standIn_;
    std::string flavour_;
    size_t mark_ = 0, told_ = 0, awaited_ = 0;
    int programs_ = 0;
    std::map<std::string, std::string> names_, watcher_;
    std::vector<std::string> lines_, tree_;
    std::map<std::string, JournalReader> openers_;
    std::map<std::string, size_t> openerLines_;
    std::vector<Seen> seen_;
    std::mutex mutex_;
    std::atomic<bool> stop_{false};
    std::atomic<unsigned> passes_{0};
    std::thread watchThread_;
};

}  // namespace e2e
