// The render of BrindleWarbler.so on the host's audio thread neither allocates nor locks. The
// one exception is the hand-back of applied parameter entries: the finished queues take their
// producer mutex, which only the audio thread ever takes, so it never waits there.

#include "ModuleScenarios.h"

#include "RealtimeProbe.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

// The address range of the module's code, for the probe.
std::pair<uintptr_t, uintptr_t> ModuleRange()
{
    TheEffect();
    uintptr_t nBegin = 0, nEnd = 0;
    FindLoadedLibrary("/BrindleWarbler.so", nBegin, nEnd);
    return {nBegin, nEnd};
}

// One render call with the probe armed around it, on the audio thread.
SProbeCounts ProbedRender(CTestInstance& t, CHostAudioThread& audio, SAudio& io)
{
    static const auto range = ModuleRange();
    const std::vector<const float*> in = io.InPointers();
    std::vector<float*> out = io.OutPointers();
    SProbeCounts counts;
    AAX_Result result = AAX_ERROR_UNKNOWN_EXCEPTION;
    audio.Call([&] {
        ArmProbe(range.first, range.second);
        result = t.Host().Render(in.data(), out.data(), io.Frames());
        counts = DisarmProbe();
    });
    EXPECT_EQ(result, AAX_SUCCESS);
    return counts;
}

}  // namespace

// The probe sees what the module does: the parameter thread's batch is built with new and
// queued under the queue's mutex, both from the module's code.
TEST(RealTimeProbe, SeesTheModulesAllocationsAndLocks)
{
    const auto [nBegin, nEnd] = ModuleRange();
    CTestInstance t(TheEffect(), kStereoComponent);
    ASSERT_EQ(t.Params().UpdateParameterNormalizedValue("1", 0.5, 0), AAX_SUCCESS);
    ArmProbe(nBegin, nEnd);
    ASSERT_EQ(t.Params().GenerateCoefficients(), AAX_SUCCESS);
    const SProbeCounts counts = DisarmProbe();
    EXPECT_GE(counts.m_nAllocations, 2);  // the batch and its entry
    EXPECT_GE(counts.m_nModuleLocks, 1);
}

TEST(RealTime, SteadyRendersNeitherAllocateNorLock)
{
    CHostAudioThread audio;
    for (size_t nComponent : {kStereoComponent, kMonoComponent}) {
        SCOPED_TRACE(nComponent);
        CTestInstance t(TheEffect(), nComponent);
        ApplyEveryStage(t);
        SAudio io(nComponent == kStereoComponent ? 2 : 1, 512);
        for (int b = 0; b < 40; ++b) {
            io.FillSine(int64_t(b) * 512, b < 20 ? 0.9f : 0.0f);
            if (b < 4) {  // the batches are applied and handed back
                t.Render(audio, io);
                continue;
            }
            if (b == 4)
                t.Params().TimerWakeup();
            const SProbeCounts counts = ProbedRender(t, audio, io);
            ASSERT_EQ(counts.m_nAllocations + counts.m_nFrees + counts.m_nModuleLocks + counts.m_nOtherLocks, 0)
                << "buffer " << b << ": " << counts.m_nAllocations << " allocations, " << counts.m_nFrees << " frees, "
                << counts.m_nModuleLocks << " + " << counts.m_nOtherLocks << " locks";
        }
    }
}

// Host changes between renders: applying them allocates nothing, and the only locks are the
// hand-back of each applied entry and emptied batch.
TEST(RealTime, ApplyingHostChangesAllocatesNothingAndLocksOnlyToHandBack)
{
    CHostAudioThread audio;
    CTestInstance t(TheEffect(), kStereoComponent);
    const std::vector<std::string> ids = HostIDs();
    std::mt19937 rng(77);
    std::uniform_int_distribution<size_t> pick(0, ids.size() - 2);  // not the bypass
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    SAudio io(2, 256);
    int64_t nLocks = 0;
    for (int b = 0; b < 60; ++b) {
        std::set<std::string> changed;
        for (int k = 0; k < 3; ++k) {
            const std::string& id = ids[pick(rng)];
            t.Set(id.c_str(), unit(rng));  // answered here, GenerateCoefficients included
            changed.insert(id);
        }
        t.Params().TimerWakeup();
        io.FillSine(int64_t(b) * 256, 0.5f);
        const SProbeCounts counts = ProbedRender(t, audio, io);
        ASSERT_EQ(counts.m_nAllocations + counts.m_nFrees + counts.m_nOtherLocks, 0) << "buffer " << b;
        // Up to three Set calls made three batches; the meters may ride along in each.
        ASSERT_LE(counts.m_nModuleLocks, int64_t(changed.size() + 3 * 2 + 3)) << "buffer " << b;
        nLocks += counts.m_nModuleLocks;
    }
    EXPECT_GT(nLocks, 0);
}
