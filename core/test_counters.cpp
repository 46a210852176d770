// Event counts for the end-to-end tests; compiled to nothing in a release build.
#include "core/test_counters.h"

#ifdef VELTRIN_TEST_HOOKS
#include <atomic>

static std::atomic<int32_t> counts[static_cast<int>(TestCounter::count)];

void CountTestEvent(TestCounter counter) { ++counts[static_cast<int>(counter)]; }
int32_t TestEventCount(TestCounter counter) { return counts[static_cast<int>(counter)].load(); }

#else

void CountTestEvent(TestCounter) {}
int32_t TestEventCount(TestCounter) { return 0; }

#endif
