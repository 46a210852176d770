// A scripted day's record: at each moment the stand-in's journal since the moment before and
// the program's windows, normalised to what the program decides and compared with reviewed
// data in tests/e2e/expected/<flavour>.txt (VELTRIN_UPDATE_EXPECTED=1 rewrites it instead).
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "harness.h"

namespace e2e {

class Day {
public:
    Day(StandIn& standIn, const std::string& flavour);
    // Until the stand-in has journalled nothing new for 400 ms.
    void settle();
    // Once settled: "== title", the journal since the moment before, then the windows of the
    // program `pid` (top-level ones in Z order, each with its children), or "(windows as
    // before)" when they did not change.
    void moment(const std::string& title, DWORD pid = 0);
    // Empty when the run is what the data expects; otherwise where the two part. A line of the
    // data that begins with "? " may be missing from the run, where timing may leave a step
    // out; an update keeps such lines.
    std::string compare() const;

private:
    void name(HWND window, std::vector<std::string>* tree, int depth);
    std::vector<std::string> pending(bool consume);

    StandIn& standIn_;
    std::string flavour_;
    size_t mark_ = 0;
    int programs_ = 0;
    std::map<std::string, std::string> names_, watcher_;
    std::vector<std::string> lines_, tree_;
};

}  // namespace e2e
