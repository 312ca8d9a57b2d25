#include "TapeLaneOps.h"

#include <gtest/gtest.h>

namespace {

// Turning a register per row into a register per column, at both widths.
template <class VF>
void expectLanesTurned()
{
    constexpr int kLanes = sizeof(VF) / sizeof(float);
    VF rows[kLanes];
    for (int r = 0; r < kLanes; ++r)
        for (int c = 0; c < kLanes; ++c)
            rows[r][c] = static_cast<float>(10 * r + c);
    tape::transposeLanes(rows);
    for (int r = 0; r < kLanes; ++r)
        for (int c = 0; c < kLanes; ++c)
            ASSERT_EQ(rows[r][c], static_cast<float>(10 * c + r)) << kLanes << " lanes, row " << r << ", column " << c;
}

TEST(TapeLaneOps, TransposeLanes)
{
    expectLanesTurned<tape::v4f>();
    expectLanesTurned<tape::v8f>();
}

}  // namespace
