// A thousand jobs of random kind against the simulated unit, each with its own mix
// of line faults; the rules each job must keep are checked inside the soak.
#include "soak.h"

#include <gtest/gtest.h>

using namespace talviro6;

TEST(Soak, AThousandJobsUnderFaultsKeepEveryRule)
{
    const soak::Counts c = soak::run(1000, 20240314);
    RecordProperty("soak", soak::describe(c));
    EXPECT_EQ(c.violations, 0u) << soak::describe(c);
    EXPECT_EQ(c.jobs, 1000u);
    // The mix reached every outcome and every fault, or the checks above prove little.
    EXPECT_GT(c.ok, 300u);
    EXPECT_GT(c.okWithCorrections, 0u);
    EXPECT_GT(c.failedAsExpected, 50u);
    EXPECT_GT(c.versionMismatches, 0u);
    for (int k = 0; k < soak::TroubleKinds; ++k)
        EXPECT_GT(c.faultsOfKind[static_cast<std::size_t>(k)], 50u) << soak::troubleName(k);
    EXPECT_LE(c.longestJobTicks, soak::JobTickBound);
}

TEST(Soak, ASeedGivesTheSameRun)
{
    const soak::Counts a = soak::run(60, 7);
    const soak::Counts b = soak::run(60, 7);
    EXPECT_EQ(soak::describe(a), soak::describe(b));
    EXPECT_NE(soak::describe(a), soak::describe(soak::run(60, 8)));
}
