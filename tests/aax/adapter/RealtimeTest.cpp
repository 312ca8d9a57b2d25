// The render of BrindleWarbler.so on the host's audio thread neither allocates nor locks. The
// one exception is the hand-back of applied parameter entries: the finished queues take their
// producer mutex, which only the audio thread ever takes, so it never waits there.

#include "ModuleScenarios.h"

#include "RealtimeProbe.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

struct SModuleRange {
    uintptr_t m_nBegin = 0, m_nEnd = 0;
};

SModuleRange ModuleRange()
{
    LoadedModule(BW_MODULE_PATH);
    SModuleRange range;
    FindLoadedLibrary("/BrindleWarbler.so", range.m_nBegin, range.m_nEnd);
    return range;
}

// One render call with the probe armed around it, on the audio thread.
SProbeCounts ProbedRender(CTestInstance& t, CHostAudioThread& audio, SAudio& io, const SModuleRange& range)
{
    const std::vector<const float*> in = io.InPointers();
    std::vector<float*> out = io.OutPointers();
    SProbeCounts counts;
    AAX_Result result = AAX_ERROR_UNKNOWN_EXCEPTION;
    audio.Call([&] {
        ArmProbe(range.m_nBegin, range.m_nEnd);
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
    const SModuleRange range = ModuleRange();
    ASSERT_LT(range.m_nBegin, range.m_nEnd);
    CTestInstance t(Effect(LoadedModule(BW_MODULE_PATH)), kStereoComponent);
    ASSERT_EQ(t.Params().UpdateParameterNormalizedValue("1", 0.5, 0), AAX_SUCCESS);
    ArmProbe(range.m_nBegin, range.m_nEnd);
    ASSERT_EQ(t.Params().GenerateCoefficients(), AAX_SUCCESS);
    const SProbeCounts counts = DisarmProbe();
    EXPECT_GE(counts.m_nAllocations, 2);  // the batch and its entry
    EXPECT_GE(counts.m_nModuleLocks, 1);
}

TEST(RealTime, SteadyRendersNeitherAllocateNorLock)
{
    const SModuleRange range = ModuleRange();
    CHostAudioThread audio;
    for (size_t nComponent : {kStereoComponent, kMonoComponent}) {
        SCOPED_TRACE(nComponent);
        CTestInstance t(Effect(LoadedModule(BW_MODULE_PATH)), nComponent);
        ApplyEveryStage(t);
        const int nChannels = nComponent == kStereoComponent ? 2 : 1;
        SAudio io(nChannels, 512);
        for (int b = 0; b < 4; ++b) {  // the batches are applied and handed back
            io.FillSine(int64_t(b) * 512, 0.5f);
            t.Render(audio, io);
        }
        t.Params().TimerWakeup();
        for (int b = 4; b < 40; ++b) {
            io.FillSine(int64_t(b) * 512, b < 20 ? 0.9f : 0.0f);
            const SProbeCounts counts = ProbedRender(t, audio, io, range);
            ASSERT_EQ(counts.m_nAllocations, 0) << "buffer " << b;
            ASSERT_EQ(counts.m_nFrees, 0) << "buffer " << b;
            ASSERT_EQ(counts.m_nModuleLocks, 0) << "buffer " << b;
            ASSERT_EQ(counts.m_nOtherLocks, 0) << "buffer " << b;
        }
    }
}

// Host changes between renders: applying them allocates nothing, and the only locks are the
// hand-back of each applied entry and emptied batch.
TEST(RealTime, ApplyingHostChangesAllocatesNothingAndLocksOnlyToHandBack)
{
    const SModuleRange range = ModuleRange();
    CHostAudioThread audio;
    CTestInstance t(Effect(LoadedModule(BW_MODULE_PATH)), kStereoComponent);
    std::mt19937 rng(77);
    std::uniform_int_distribution<int> pick(0, kControls + 1);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    SAudio io(2, 256);
    int64_t nLocks = 0;
    for (int b = 0; b < 60; ++b) {
        std::set<std::string> changed;
        for (int k = 0; k < 3; ++k) {
            const int n = pick(rng);
            const std::string id = n < kControls ? ControlID(n) : kJoystickIDs[n - kControls];
            t.Set(id.c_str(), unit(rng));  // answered here, GenerateCoefficients included
            changed.insert(id);
        }
        t.Params().TimerWakeup();
        io.FillSine(int64_t(b) * 256, 0.5f);
        const SProbeCounts counts = ProbedRender(t, audio, io, range);
        ASSERT_EQ(counts.m_nAllocations, 0) << "buffer " << b;
        ASSERT_EQ(counts.m_nFrees, 0) << "buffer " << b;
        ASSERT_EQ(counts.m_nOtherLocks, 0) << "buffer " << b;
        // Up to three Set calls made three batches; the meters may ride along in each.
        ASSERT_LE(counts.m_nModuleLocks, int64_t(changed.size() + 3 * 2 + 3)) << "buffer " << b;
        nLocks += counts.m_nModuleLocks;
    }
    EXPECT_GT(nLocks, 0);
}
