// Fault plans drawn from seeds: repeatable, within each site's passes, and covering every
// drawn site and every kind.
#include "core/fault_rules.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(FaultPlan, SeedsChooseRepeatablePlansWithinTheSitesPasses)
{
    std::set<uint32_t> sites, kinds, capturePasses;
    for (uint32_t seed = 0; seed < 2000; ++seed) {
        const FaultPlan plan = ChooseFault(seed);
        const FaultPlan again = ChooseFault(seed);
        ASSERT_EQ(plan.site, again.site);
        ASSERT_EQ(plan.pass, again.pass);
        ASSERT_EQ(plan.kind, again.kind);
        ASSERT_GE(plan.pass, 1u) << seed;
        ASSERT_LE(plan.pass, FaultPassLimit(plan.site)) << seed;
        sites.insert(static_cast<uint32_t>(plan.site));
        kinds.insert(static_cast<uint32_t>(plan.kind));
        if (plan.site == FaultSite::capture) capturePasses.insert(plan.pass);
    }
    EXPECT_EQ(sites.size(), sizeof kDrawnFaultSites / sizeof kDrawnFaultSites[0]);
    EXPECT_EQ(kinds.size(), 3u);
    EXPECT_EQ(capturePasses.size(), FaultPassLimit(FaultSite::capture)) << "every moment of the capture";
}

}  // namespace
