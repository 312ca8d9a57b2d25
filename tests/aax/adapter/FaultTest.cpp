// Faults a host or its audio can throw at BrindleWarbler.so, survived: values outside 0..1 or
// not finite, empty buffers, channel layouts the effect does not offer, a timer that
// generates coefficients without renders.

#include "ModuleScenarios.h"

#include "RealtimeProbe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Renders nBuffers 512-frame buffers of a tone and expects every sample finite.
void RenderFinite(CTestInstance& t, CHostAudioThread& audio, int nBuffers, int64_t& nPosition)
{
    SAudio io(2, 512);
    for (int b = 0; b < nBuffers; ++b, nPosition += 512) {
        io.FillSine(nPosition, 0.5f);
        t.Render(audio, io);
        ASSERT_EQ(CountBadSamples(io, false), 0) << "buffer at frame " << nPosition;
    }
}

}  // namespace

// Values that are not finite, as the host's automation answer, change nothing (the calls that
// refuse them are tested in the library). Below 0 every control lands on its minimum, above 1
// on its maximum, through the parameters (which pass on what their tapers make of it) and as a
// host's answer taken as is; the engine follows.
TEST(HostValueFaults, NonFiniteValuesChangeNothingOutOfRangeOnesEndAtTheNearestEnd)
{
    CHostAudioThread audio;
    CTestInstance t(TheEffect(), kStereoComponent);
    ApplyEveryStage(t);
    int64_t nPosition = 0;
    RenderFinite(t, audio, 2, nPosition);
    const std::vector<std::string> ids = HostIDs();
    const auto values = [&] {
        std::vector<double> v;
        for (const std::string& id : ids)
            v.push_back(t.Parameter(id.c_str())->GetNormalizedValue());
        return v;
    };
    const std::vector<double> before = values();
    for (double bad : {kNaN, kInf, -kInf})
        for (const std::string& id : ids)
            EXPECT_EQ(t.Host().Automation().PostSetValueRequest(id.c_str(), bad), AAX_SUCCESS) << id;
    const uint64_t nFailed = t.Host().Automation().FailedCount();
    t.Host().Automation().ProcessPending();
    EXPECT_EQ(t.Host().Automation().FailedCount(), nFailed + 3 * ids.size());
    ASSERT_EQ(t.Params().GenerateCoefficients(), AAX_SUCCESS);
    RenderFinite(t, audio, 2, nPosition);
    EXPECT_EQ(values(), before);
    // Every engine control and joystick axis holds a finite value inside its range.
    const CModDelayModule& engine = t.Engine();
    for (uint32_t i = 0; i < uint32_t(kControls); ++i) {
        const float v = engine.getControlValue(i);
        EXPECT_TRUE(v >= engine.controlRecord(i)->m_fMin && v <= engine.controlRecord(i)->m_fMax) << i << " = " << v;
    }
    for (const ControlRecord* axis : {&engine.m_JoystickX, &engine.m_JoystickY})
        EXPECT_TRUE(axis->m_fJoystickValue >= -1.0f && axis->m_fJoystickValue <= 1.0f) << axis->m_fJoystickValue;

    for (double bad : {-1.0, 2.0, 1e30, -1e30, 1.0 + 1e-9}) {
        SCOPED_TRACE(bad);
        const bool bHigh = bad > 1.0;
        for (size_t k = 0; k + 1 < ids.size(); ++k) {  // all but the bypass
            t.Set(ids[k].c_str(), bad);
            ASSERT_EQ(t.Params().UpdateParameterNormalizedValue(ids[k].c_str(), bad, 0), AAX_SUCCESS) << ids[k];
        }
        ASSERT_EQ(t.Params().GenerateCoefficients(), AAX_SUCCESS);
        ASSERT_NO_FATAL_FAILURE(RenderFinite(t, audio, 20, nPosition));  // 213 ms: the smoothers land
        // Smoothed knobs head for the end of their range; switches and the axes are there at once.
        for (uint32_t i = 0; i < uint32_t(kControls); ++i) {
            const ControlRecord* r = engine.controlRecord(i);
            EXPECT_EQ(r->m_bSmooth ? r->m_fSmoothTarget : engine.getControlValue(i), bHigh ? r->m_fMax : r->m_fMin) << i;
        }
        for (const ControlRecord* axis : {&engine.m_JoystickX, &engine.m_JoystickY})
            EXPECT_EQ(axis->m_fJoystickValue, bHigh ? 1.0f : -1.0f);
    }
}

// The bypass follows the parameter's own value: a request the taper reads as "off" must not
// leave the render bypassed.
TEST(HostValueFaults, BypassFollowsTheValueTheParameterHolds)
{
    CHostAudioThread audio;
    CTestInstance t(TheEffect(), kStereoComponent);
    AAX_IParameter* pBypass = t.Parameter("MasterBypassID");
    for (double request : {2.0, -1.0, 1e30, 0.0, -1e30, 1.0, -0.5}) {
        SCOPED_TRACE(request);
        // Through the parameter (which cleans the request) and as a host's answer taken as is.
        t.Set("MasterBypassID", request);
        ASSERT_EQ(t.Params().UpdateParameterNormalizedValue("MasterBypassID", request, 0), AAX_SUCCESS);
        bool bBypassed = false;
        ASSERT_TRUE(pBypass->GetValueAsBool(&bBypassed));
        SAudio io(2, 256);
        io.FillSine(0, 0.5f);
        t.Render(audio, io);
        EXPECT_EQ(io.m_Out == io.m_In, bBypassed);
    }
}

TEST(BufferSizes, AnEmptyBufferChangesNothing)
{
    CHostAudioThread audio;
    CTestInstance t(TheEffect(), kStereoComponent);
    std::vector<float> in(4, 0.5f), out(8, 7.0f);
    const float* ins[2] = {in.data(), in.data()};
    float* outs[2] = {out.data(), out.data() + 4};
    AAX_Result result = AAX_ERROR_UNKNOWN_EXCEPTION;
    audio.Call([&] { result = t.Host().Render(ins, outs, 0); });
    EXPECT_EQ(result, AAX_SUCCESS);
    EXPECT_EQ(out, std::vector<float>(8, 7.0f));
}

// Layouts the effect does not offer, reported by the host: every output channel the host
// handed over is written with something defined (prefilled NaN must not survive); more than
// two inputs pass through untouched and leave the meters alone; no outputs at all (a null
// output array) renders nothing.
TEST(ChannelLayouts, EveryOutputIsWrittenWhateverTheInputCount)
{
    constexpr int kFrames = 300;
    const int32_t kNone = AAX_eStemFormat_None, kStereo = AAX_eStemFormat_Stereo, kMono = AAX_eStemFormat_Mono;
    const int32_t kThree = (5 << 16) | 3, kFour = (6 << 16) | 4;
    for (const auto& [nInFormat, nOutFormat] : {std::pair{kNone, kStereo}, {kThree, kStereo}, {kMono, kStereo}, {kStereo, kFour},
                                                {kMono, kFour}, {kNone, kMono}, {kThree, kThree}, {kThree, kFour}, {kStereo, kNone}}) {
        SCOPED_TRACE(::testing::Message() << "in " << nInFormat << " out " << nOutFormat);
        CHostAudioThread audio;
        CTestInstance t(TheEffect(), kStereoComponent);
        t.Host().SetStemFormats(nInFormat, nOutFormat);
        const int nIn = t.Host().InputChannels(), nOut = t.Host().OutputChannels();
        SAudio io(std::max(nIn, nOut), kFrames);
        io.FillSine(0, 0.5f);
        for (int c = 0; c < nOut; ++c)  // the channels the host hands over
            std::fill(io.m_Out[size_t(c)].begin(), io.m_Out[size_t(c)].end(), std::numeric_limits<float>::quiet_NaN());
        for (int r = 0; r < 2; ++r) {
            const std::vector<const float*> in = io.InPointers();
            std::vector<float*> out = io.OutPointers();
            AAX_Result result = AAX_ERROR_UNKNOWN_EXCEPTION;
            audio.Call([&] { result = t.Host().Render(in.data(), nOut ? out.data() : nullptr, kFrames); });
            ASSERT_EQ(result, AAX_SUCCESS);
        }
        if ((nIn != 1 && nIn != 2) || nOut == 0) {
            EXPECT_EQ(t.Host().MeterTap(0), 0.0f);
        }
        EXPECT_EQ(CountBadSamples(io, false), 0);
        const std::vector<float> silence(kFrames, 0.0f);
        for (int c = 0; c < nOut; ++c) {
            SCOPED_TRACE(c);
            if (nIn == 0 || (c >= nIn && nIn > 2)) {
                EXPECT_EQ(io.m_Out[size_t(c)], silence);
            } else if (nIn > 2) {
                EXPECT_EQ(io.m_Out[size_t(c)], io.m_In[size_t(c)]);
            } else if (c >= 2) {
                EXPECT_EQ(io.m_Out[size_t(c)], silence);  // beyond what the effect makes
            }
        }
        if (nIn == 1 && nOut >= 2) {  // one input feeds both sides
            EXPECT_NE(io.m_Out[1], silence);
        }
    }
}

// A host whose timer generates coefficients over and over while nothing renders: the queued
// batches are bounded, and a full queue keeps the parameters dirty instead of growing.
TEST(CoefficientsWithoutRender, MemoryStaysBoundedAndTheLastValuesArrive)
{
    CHostAudioThread audio;
    CTestInstance t(TheEffect(), kStereoComponent);
    auto round = [&](int r) {
        for (int i = 0; i < kControls; ++i)
            ASSERT_EQ(t.Params().UpdateParameterNormalizedValue(ControlID(i).c_str(), double((r + i) % 7) / 6.0, 0), AAX_SUCCESS);
        ASSERT_EQ(t.Params().GenerateCoefficients(), AAX_SUCCESS);
        if (r % 50 == 0)
            t.Params().TimerWakeup();
    };
    int r = 0;
    for (; r < 1000; ++r)
        ASSERT_NO_FATAL_FAILURE(round(r));
    const int64_t nLive = LiveAllocations();
    for (; r < 10000; ++r)
        ASSERT_NO_FATAL_FAILURE(round(r));
    EXPECT_LE(LiveAllocations(), nLive + 32) << "heap blocks after 1000 calls: " << nLive;

    // A full queue kept the parameters dirty: the last values still arrive once rendering starts
    // (256 queued batches of 16 drain at five per render).
    SAudio io(2, 64);
    for (int k = 0; k < 80; ++k) {
        t.Render(audio, io);
        ASSERT_EQ(t.Params().GenerateCoefficients(), AAX_SUCCESS);
        t.Params().TimerWakeup();
    }
    for (int i = 0; i < kControls; ++i)
        ExpectEngineHolds(t, i, double((r - 1 + i) % 7) / 6.0);
}
