// Broken settings files of every kind: reading and writing them stays within the buffers
// (ASan, UBSan), writes read back and leave every other key as it was.
#include <gtest/gtest.h>

#include "tests/stress/broken_ini.h"

namespace {

TEST(BrokenSettingsFiles, ReadAndWriteEveryKind)
{
    const uint32_t files = 1200;
    uint32_t checked = 0, failures = 0;
    for (uint32_t seed = 0; seed < files; ++seed) {
        // The 10 MB line is costly under the sanitizers; a few of them are enough.
        if (seed % brokenini::kindCount == brokenini::longLine && seed >= 3 * brokenini::kindCount) continue;
        ++checked;
        const int32_t place[4] = {static_cast<int32_t>(seed) - 600, -8, 177, 135};
        const std::string failure = brokenini::CheckReadAndWrite(brokenini::Make(seed), place);
        EXPECT_EQ(failure, "") << "seed " << seed << " (" << brokenini::KindName(seed % brokenini::kindCount) << ")";
        failures += !failure.empty();
    }
    std::printf("broken settings files: %u of %u kept their keys\n", checked - failures, checked);
    EXPECT_GE(checked, 1000u);
}

}  // namespace
