// Shared by the stress programs: short or long mode, seeds, and the figure each prints.
//   VELTRIN_STRESS=long        the long mode (more runs); short otherwise
//   VELTRIN_STRESS_SEED=<n>    the first seed (runs take n, n+1, ...); drawn from the
//                              clock otherwise and printed, so any run can be repeated
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace stress {

bool LongMode();
int Runs(int shortRuns, int longRuns);
uint32_t FirstSeed();

// Counts runs and prints "<what>: N of M passed" and the seed and reason of each failure.
class Tally {
public:
    explicit Tally(std::string what) : what_(std::move(what)) {}
    // An empty reason is a pass.
    void add(uint32_t seed, const std::string& failure);
    // A run that draws nothing from a seed.
    void add(const std::string& failure);
    int passed() const { return passed_; }
    int runs() const { return runs_; }
    void print() const;

private:
    std::string what_;
    int runs_ = 0;
    int passed_ = 0;
    std::vector<std::string> failures_;
    void count(const std::string& run, const std::string& failure);
};

}  // namespace stress
