// Mode, seeds and figures of the stress programs.
#include "stress.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace stress {

static std::string Environment(const char* name)
{
    char value[64] = {};
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length && length < sizeof value ? value : "";
}

bool LongMode() { return Environment("VELTRIN_STRESS") == "long"; }

int Runs(int shortRuns, int longRuns) { return LongMode() ? longRuns : shortRuns; }

uint32_t FirstSeed()
{
    std::string given = Environment("VELTRIN_STRESS_SEED");
    uint32_t seed = given.empty() ? GetTickCount() % 1000000u : static_cast<uint32_t>(std::strtoul(given.c_str(), nullptr, 10));
    std::printf("first seed %u (repeat with VELTRIN_STRESS_SEED=%u)\n", seed, seed);
    std::fflush(stdout);
    return seed;
}

void Tally::add(uint32_t seed, const std::string& failure) { count("seed " + std::to_string(seed), failure); }

void Tally::add(const std::string& failure) { count("run " + std::to_string(runs_ + 1), failure); }

void Tally::count(const std::string& run, const std::string& failure)
{
    ++runs_;
    if (failure.empty()) {
        ++passed_;
    } else {
        failures_.push_back(run + ": " + failure);
    }
    std::printf("  %s: %s\n", run.c_str(), failure.empty() ? "passed" : failure.c_str());
    std::fflush(stdout);
}

void Tally::print() const
{
    for (const std::string& f : failures_) std::printf("FAILED %s\n", f.c_str());
    std::printf("%s: %d of %d passed\n", what_.c_str(), passed_, runs_);
    std::fflush(stdout);
}

}  // namespace stress
