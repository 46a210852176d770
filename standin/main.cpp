// Taskbar stand-in: a separate program that offers the taskbar's windows and answers the
// messages veltrin.exe sends them, for machines without Explorer's taskbar.
//   standin.exe [--flavour F] [--journal PATH | --quiet] [--icons N[,HIDDENMASK] | --no-icons]
//               [--no-notify-area] [--count-messages] [--no-foreign-paint]
// F is one of 4.0 4.10 4.20 4.90 5.0 5.1 5.2 6.0 6.1 6.2 10 11-21h2 11 (default 6.1); 10 and
// the two of 11 are modelled on public descriptions (modern_tray.cpp). The journal goes
// beside the program unless PATH names another file. The demo icons default to four, the
// last of them hidden (--icons 4,0x8). --quiet keeps no journal, so that a measurement of
// the clients' cost does not include the journal's writes; --count-messages counts what
// other programs send in (see message_count.h); --no-foreign-paint leaves a captured area
// undrawn under Wine (foreign_host.h), so that the copies do not count as the clients' cost.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "control.h"
#include "foreign_host.h"
#include "journal.h"
#include "message_count.h"
#include "tray.h"

namespace {

std::vector<std::string> SplitCommandLine(const char* line)
{
    std::vector<std::string> words;
    while (*line) {
        while (*line == ' ' || *line == '\t') ++line;
        if (!*line) break;
        std::string word;
        bool quoted = false;
        while (*line && (quoted || (*line != ' ' && *line != '\t'))) {
            if (*line == '"') {
                quoted = !quoted;
            } else {
                word += *line;
            }
            ++line;
        }
        words.push_back(word);
    }
    return words;
}

std::string DefaultJournalPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = std::strrchr(path, '\\');
    if (slash) slash[1] = '\0';
    return std::string(path) + "standin-journal.txt";
}

bool ParseIcons(const std::string& text, DemoIcons& icons)
{
    char* end = nullptr;
    const long count = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || count < 0 || count > 64) return false;
    icons.count = static_cast<int>(count);
    icons.hiddenMask = 0;
    if (*end == ',') {
        const char* mask = end + 1;
        icons.hiddenMask = static_cast<unsigned>(std::strtoul(mask, &end, 0));
        if (end == mask) return false;
    }
    return *end == '\0';
}

std::string ReportedVersion()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&info);
#pragma GCC diagnostic pop
    return std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion);
}

// What ntdll's RtlGetVersion reports, which ignores the compatibility an exe declares: from
// Windows 8.1 on it differs from GetVersionEx. Empty where the function is missing.
std::string RealVersion()
{
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto get = reinterpret_cast<RtlGetVersionFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!get || get(&info) != 0) return std::string();
    return std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion) + "." +
           std::to_string(info.dwBuildNumber);
}

}  // namespace

int WINAPI WinMain(HINSTANCE self, HINSTANCE, LPSTR, int)
{
    instance = self;
    std::string flavourName = "6.1";
    std::string journalPath = DefaultJournalPath();
    bool countMessages = false;
    const std::vector<std::string> args = SplitCommandLine(GetCommandLineA());
    for (size_t i = 1; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--flavour" && hasValue) {
            flavourName = args[++i];
        } else if (args[i] == "--journal" && hasValue) {
            journalPath = args[++i];
        } else if (args[i] == "--icons" && hasValue && ParseIcons(args[i + 1], demoIcons)) {
            ++i;
        } else if (args[i] == "--no-icons") {
            demoIcons = {0, 0};
        } else if (args[i] == "--no-notify-area") {
            withNotifyArea = false;
        } else if (args[i] == "--quiet") {
            journalPath.clear();
        } else if (args[i] == "--count-messages") {
            countMessages = true;
        } else if (args[i] == "--no-foreign-paint") {
            StopPaintingForeignHosts();
        } else {
            OpenJournal(journalPath);
            Journal("standin", "error", "argument=" + OneLine(args[i]));
            return 2;
        }
    }
    OpenJournal(journalPath);
    flavour = FindFlavour(flavourName);
    if (!flavour) {
        Journal("standin", "error", "flavour=" + OneLine(flavourName));
        return 2;
    }

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterTrayClasses();
    if (countMessages) StartMessageCount();
    controlWindow = CreateControlWindow(flavour->name);
    CreateTrayTree();
    Journal("standin", "ready",
            std::string("flavour=") + flavour->name + " taskbar=" + HandleText(tray.taskbar) +
                " notify=" + HandleText(tray.notifyArea) + " control=" + HandleText(controlWindow) +
                " version=" + ReportedVersion() +
                // Only the layouts of Windows 10 and 11 name it, so that the older layouts'
                // journals stay as they were recorded.
                (flavour->modernTray ? " realVersion=" + RealVersion() : std::string()) +
                " pid=" + std::to_string(GetCurrentProcessId()));
    // As Explorer does whenever it has made its taskbar, after a crash too: a program that
    // hosts a notification area learns of the new one.
    AnnounceTaskbar();

    // GetMessage, never a sleeping loop: other programs send to these windows and wait.
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        NotePosted(&msg);
        DispatchMessageA(&msg);
        NotePosted(nullptr);
    }
    return 0;
}
