// The render of BrindleWarbler.so on the host's audio thread: equality with the engine's own
// processing whatever the buffer sizes, the start at the host's values, bypass, meter taps and
// timing (other channel layouts: FaultTest.cpp).

#include "ModuleScenarios.h"
#include "TsraRand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>

namespace {

float PeakOf(const std::vector<float>& v)
{
    float peak = 0.0f;
    for (float x : v)
        peak = std::max(peak, std::fabs(x));
    return peak;
}

// Renders the same controls through the module and through an engine of the test's own, and
// compares every sample.
void ExpectModuleMatchesEngine(size_t nComponent, int nChannels)
{
    constexpr uint32_t kMainSeed = 77, kAudioSeed = 1234;
    CHostAudioThread audio;
    CTestInstance t(TheEffect(), nComponent, kMainSeed, kSampleRate, 1024);
    // The engine applies the batch in the order of the parameters' addresses; so does the
    // reference, with the values the parameters hold, at once as for a fresh instance.
    std::vector<std::pair<AAX_IParameter*, uint32_t>> order;
    for (uint32_t k = 0; k < uint32_t(kControls); ++k) {
        t.Set(ControlID(int(k)).c_str(), std::fmod(0.23 + 0.37 * double(k), 1.0));
        order.emplace_back(t.Parameter(ControlID(int(k)).c_str()), k);
    }
    std::sort(order.begin(), order.end());

    tsraSeedRand(kMainSeed);
    auto pReference = std::make_unique<CModDelayModule>();
    pReference->m_nSampleRate = int32_t(kSampleRate);
    pReference->resetForSampleRate();
    for (const auto& [pParameter, uIndex] : order) {
        float f = 0.0f;
        int32_t n = 0;
        if (pParameter->GetValueAsFloat(&f)) {
            pReference->setControlValue(uIndex, f, true);
        } else {
            ASSERT_TRUE(pParameter->GetValueAsInt32(&n));
            pReference->setControlValue(uIndex, float(n), true);
        }
    }

    // Both draw from the audio thread's generator, each from the same seed. Buffers of any size,
    // changing from call to call, give the samples of one long buffer.
    std::vector<SAudio> buffers;
    int64_t nStart = 0;
    for (int nFrames : {512, 1, 7, 333, 1, 1000, 64, 2, 511, 256}) {
        buffers.emplace_back(nChannels, nFrames);
        buffers.back().FillSine(nStart);
        nStart += nFrames;
        t.Render(audio, buffers.back(), buffers.size() == 1 ? std::optional<uint32_t>(kAudioSeed) : std::nullopt);
    }
    int64_t nDiffering = 0;
    float fPeak = 0.0f;
    audio.Call([&] {
        tsraSeedRand(kAudioSeed);
        for (const SAudio& io : buffers)
            for (size_t i = 0; i < size_t(io.Frames()); ++i) {
                float in[2] = {io.m_In[0][i], nChannels == 2 ? io.m_In[1][i] : 0.0f};
                float out[2] = {0.0f, 0.0f};
                pReference->processFrame(in, out, uint32_t(nChannels), uint32_t(nChannels));
                for (size_t c = 0; c < size_t(nChannels); ++c)
                    nDiffering += out[c] != io.m_Out[c][i];
                fPeak = std::max(fPeak, std::fabs(out[0]));
            }
    });
    EXPECT_EQ(nDiffering, 0);
    EXPECT_GT(fPeak, 0.01f);
}

}  // namespace

TEST(Render, OutputEqualsTheEnginesOwnProcessing)
{
    ExpectModuleMatchesEngine(kStereoComponent, 2);
    ExpectModuleMatchesEngine(kMonoComponent, 1);
}

TEST(Render, ChangesBeforeTheFirstAudioApplyAtOnceLaterOnesGlide)
{
    CHostAudioThread audio;
    CTestInstance t(TheEffect(), kStereoComponent);
    SAudio io(2, 512), none(2, 0);
    t.Render(audio, none);  // no audio yet: still the start
    t.Set("1", 0.6);  // Wow Depth 60 %
    t.Render(audio, io);
    EXPECT_FLOAT_EQ(t.Engine().getControlValue(0), 60.0f);
    t.Set("1", 0.2);
    t.Render(audio, io);  // 10.7 ms of the 100 ms smoother: about half way
    EXPECT_GT(t.Engine().getControlValue(0), 30.0f);
    EXPECT_LT(t.Engine().getControlValue(0), 50.0f);
}

// The bypass is no batch: it acts at the next render without GenerateCoefficients (off again:
// FaultTest.cpp).
TEST(Render, BypassCopiesInputAtOnceAndLeavesTheMetersAlone)
{
    CHostAudioThread audio;
    CTestInstance t(TheEffect(), kStereoComponent);
    SAudio io(2, 512);
    io.FillSine(0, 0.9f);
    t.Render(audio, io);
    const float tap0 = t.Host().MeterTap(0), tap1 = t.Host().MeterTap(1);
    ASSERT_GT(tap0, 0.0f);
    t.Host().DecayMeters(0.5f);

    ASSERT_EQ(t.Params().UpdateParameterNormalizedValue("MasterBypassID", 1.0, 0), AAX_SUCCESS);
    io.FillSine(512, 0.3f);
    t.Render(audio, io);
    EXPECT_EQ(io.m_Out, io.m_In);
    EXPECT_EQ(t.Host().MeterTap(0), tap0 * 0.5f);
    EXPECT_EQ(t.Host().MeterTap(1), tap1 * 0.5f);
}

TEST(Render, MeterTapsHoldThePeakOfTheOutput)
{
    CHostAudioThread audio;
    CTestInstance stereo(TheEffect(), kStereoComponent);
    SAudio loud(2, 512), quiet(2, 512);
    loud.FillSine(0, 0.8f);
    quiet.FillSine(512, 0.05f);
    stereo.Render(audio, loud);
    EXPECT_EQ(stereo.Host().MeterTap(0), PeakOf(loud.m_Out[0]));
    EXPECT_EQ(stereo.Host().MeterTap(1), PeakOf(loud.m_Out[1]));
    // The engine's meters reach the meter parameters ("17", "18") the editor reads.
    stereo.Host().Automation().ProcessPending();
    for (uint32_t k = 0; k < 2; ++k) {
        double fMeter = -1.0;
        ASSERT_EQ(stereo.Params().GetParameterNormalizedValue(std::to_string(17 + k).c_str(), &fMeter), AAX_SUCCESS);
        EXPECT_GT(fMeter, 0.1) << k;
        EXPECT_FLOAT_EQ(float(fMeter), *stereo.Engine().controlRecord(CModDelayModule::kMeterL + k)->m_pMeter) << k;
    }
    stereo.Render(audio, quiet);
    EXPECT_EQ(stereo.Host().MeterTap(0), PeakOf(loud.m_Out[0]));  // never lowered by the render
    stereo.Host().DecayMeters(0.0f);
    stereo.Render(audio, quiet);
    EXPECT_EQ(stereo.Host().MeterTap(0), PeakOf(quiet.m_Out[0]));

    CTestInstance mono(TheEffect(), kMonoComponent);
    SAudio one(1, 512);
    one.FillSine(0, 0.8f);
    mono.Render(audio, one);
    EXPECT_EQ(mono.Host().MeterTap(0), PeakOf(one.m_Out[0]));
    EXPECT_EQ(mono.Host().MeterTap(1), 0.0f);
}

TEST(Render, TimingBlockFollowsTheTransport)
{
    CHostAudioThread audio;
    CTestInstance t(TheEffect(), kStereoComponent);
    SAudio io(2, 128);
    const HostTimeBlock& block = t.Engine().m_HostTime;  // the engine's, updated by each render
    const HostTimeInfo& info = block.m_Info;
    t.Host().Transport().SetInformationAvailable(false);
    t.Render(audio, io);
    EXPECT_EQ(std::make_tuple(info.m_dTempo_bpm, info.m_fTimeSigNumerator, info.m_nTimeSigDenominator, block.m_nLoopEnd),
              std::make_tuple(120.0, 0.0f, 0, int64_t(0)));

    // Only the low 32 bits of the sample location make the position.
    t.Host().Transport().SetState({96.0, 3, 8, true, 960000, true, 100, 200, (int64_t(1) << 32) + 4800});
    t.Host().Transport().SetInformationAvailable(true);
    t.Render(audio, io);
    EXPECT_EQ(std::make_tuple(info.m_dTempo_bpm, info.m_fTimeSigNumerator, info.m_nTimeSigDenominator, info.m_bPlaying,
                              info.m_nTickPosition, info.m_bLooping, info.m_nLoopStart, block.m_nLoopEnd),
              std::make_tuple(96.0, 3.0f, 8, true, int64_t(960000), true, int64_t(100), int64_t(200)));
    // The stereo path sends the block once more after the buffer, at the next buffer's start.
    EXPECT_EQ(info.m_uSamplePosition, 4800u + 128u);
    EXPECT_DOUBLE_EQ(info.m_dPosition_s, 4928.0 / kSampleRate);
}
