// Ten copies of the program started at once, every message box answered as a user would:
// in the end exactly one copy runs and holds the notification area, which was never lost,
// and velt.ini holds one set of the window's place.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

#include "harness.h"
#include "program.h"
#include "stress.h"

using namespace e2e;

namespace {

constexpr int kCopies = 10;

// One [Window] section with each of the four keys once, each a "%u" number.
std::string CheckPlaceKeys(const std::string& ini)
{
    std::istringstream lines(ini);
    std::string line;
    int windowSections = 0;
    std::map<std::string, int> seen;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "[Window]") ++windowSections;
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key != "Top" && key != "Left" && key != "Width" && key != "Height") continue;
        ++seen[key];
        if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos || value.size() > 10) {
            return "bad value " + line;
        }
    }
    if (windowSections != 1) return std::to_string(windowSections) + " [Window] sections";
    for (const char* key : {"Top", "Left", "Width", "Height"}) {
        if (seen[key] != 1) return std::string(key) + " " + std::to_string(seen[key]) + " times";
    }
    return "";
}

std::string RaceOnce()
{
    StandIn standIn("6.1");
    if (!standIn.ready()) return "the stand-in did not start";
    HWND area = standIn.notifyArea();
    const size_t mark = standIn.journalMark();
    std::vector<std::unique_ptr<Program>> copies;
    copies.push_back(std::make_unique<Program>("win7"));
    for (int i = 1; i < kCopies; ++i) copies.push_back(std::make_unique<Program>(*copies[0], "win7"));
    // Created suspended, then let go together.
    for (auto& copy : copies) copy->start("", true);
    const DWORD startedAt = GetTickCount();
    for (auto& copy : copies) copy->resume();
    const DWORD startSpan = GetTickCount() - startedAt;

    // Answer every box as it comes, until one copy is left and holds the area.
    Program* survivor = nullptr;
    bool settled = WaitUntil(
        [&] {
            int running = 0;
            survivor = nullptr;
            for (auto& copy : copies) {
                if (copy->messageBox()) copy->pressMessageBoxButton(IDOK);
                if (copy->running()) {
                    ++running;
                    survivor = copy.get();
                }
            }
            return running == 1 && !survivor->messageBox() && survivor->mainWindow() &&
                   GetParent(standIn.notifyArea()) == survivor->mainWindow();
        },
        60000, 100);
    std::printf("  %d copies started within %lu ms\n", kCopies, startSpan);
    if (!settled) {
        int running = 0;
        std::string codes;
        for (auto& copy : copies) {
            running += copy->running();
            char code[16];
            std::snprintf(code, sizeof code, " %lx", copy->exitCode());
            codes += code;
        }
        return std::to_string(running) + " copies still run (exit codes" + codes + ")";
    }
    // Settled: still one copy after the others have had time to do anything more.
    Pause(2000);
    int running = 0;
    for (auto& copy : copies) running += copy->running();
    if (running != 1) return std::to_string(running) + " copies run after settling";

    if (!IsWindow(area) || standIn.notifyArea() != area) return "the notification area was lost";
    for (const JournalEntry& e : standIn.entries("TrayNotifyWnd", "parent", mark)) {
        if (e.param("class") != "TVeltrWnd" && e.param("class") != "Shell_TrayWnd") {
            return "the notification area went to a " + e.param("class");
        }
    }
    survivor->endAsUser();
    if (!survivor->waitExit(15000)) return "the last copy did not end";
    if (ParentOf(area) != standIn.taskbar()) return "the notification area is not back in the taskbar";
    return CheckPlaceKeys(copies[0]->readIni());
}

TEST(StressCopies, RacingCopies)
{
    stress::Tally tally("racing copies, one left holding the area");
    const int rounds = stress::Runs(1, 5);
    for (int i = 0; i < rounds; ++i) tally.add(RaceOnce());
    tally.print();
    EXPECT_EQ(tally.passed(), tally.runs());
}

}  // namespace
