#include "TsraRand.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

// Each thread starts where the target runtime starts (state 1), whatever another thread seeded.
TEST(TsraRand, ThreadsStartAtTheRuntimesSequenceWhateverOthersSeed)
{
    tsraSeedRand(99);
    const int mainFirst = tsraRand();
    std::vector<int> draws;
    std::thread t([&] {
        for (int i = 0; i < 5; ++i)
            draws.push_back(tsraRand());
    });
    t.join();
    EXPECT_EQ(draws, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
    tsraSeedRand(99);
    EXPECT_EQ(tsraRand(), mainFirst);
}

// The batched draws of the audio path: the same values and the same state afterwards as one
// draw at a time, for every count around the four-chain stride.
TEST(TsraRand, FillMatchesSingleDrawsForEveryCount)
{
    for (uint32_t n = 0; n <= 13; ++n) {
        tsraSeedRand(777 + n);
        std::vector<int> expected(n + 3);
        for (int& v : expected)
            v = tsraRand();
        tsraSeedRand(777 + n);
        std::vector<int> got(n + 3);
        tsraRandFill(got.data(), n);
        for (uint32_t i = n; i < n + 3; ++i)
            got[i] = tsraRand();  // the state carries on
        ASSERT_EQ(got, expected) << "n " << n;
    }
}
