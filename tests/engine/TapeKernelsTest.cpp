// Every kernel table against the readable per-frame chain (processFrame): each must give the
// very samples and meters, whatever the preset, settings, channel layout, buffer sizes or
// control movement. No approximation differs between them: the run path uses the chain's
// own kernels, so no tolerance is needed.
#include "CModDelayModule.h"

#include "TsraRand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

namespace {

using V = std::vector<float>;
using Setup = std::function<void(CModDelayModule&)>;

constexpr size_t kFrames = 12000;
constexpr size_t kChangeAt = 5000;  // controls move here, mid-buffer for most sizes

struct Render {
    V left, right;
    float fPeakL = 0.0f, fPeakR = 0.0f, fMeterL = 0.0f, fMeterR = 0.0f;
    std::vector<float> state;  // what the engine shows of its compander and dropouts afterwards
};

struct Signal {
    V left, right;
    Signal()
        : left(kFrames), right(kFrames)
    {
        for (size_t i = 0; i < kFrames; ++i) {
            left[i] = 0.6f * std::sin(0.031f * static_cast<float>(i)) * (i > 8000 ? 0.0f : 1.0f);  // then silence
            right[i] = 0.4f * std::sin(0.0117f * static_cast<float>(i) + 1.0f);
        }
    }
};

// All ten knobs (they glide: each feeds a value the run captures frame by frame) and two
// switches at once.
void moveControls(CModDelayModule& m)
{
    for (uint32_t k = 0; k < 10; ++k) {
        const ControlRecord* p = m.controlRecord(k);
        m.setControlValue(k, p->m_fMin + 0.7f * (p->m_fMax - p->m_fMin));
    }
    m.setControlValue(CModDelayModule::kTapeType, 1.0f);
    m.setControlValue(CModDelayModule::kMonoStereoDropouts, 1.0f);
}

void prepare(CModDelayModule& m, const Setup& setup)
{
    m.m_nSampleRate = 44100;
    m.resetForSampleRate();
    setup(m);
}

// Through kernel table k in buffers of the sizes given, cycled (with bInPlace the outputs are
// the input buffers); without sizes, processFrame frame by frame: the reference.
Render inBuffers(ETapeKernels k, const Setup& setup, const Signal& sig, uint32_t uIn, uint32_t uOut,
                 const std::vector<size_t>& sizes = {}, bool bInPlace = false)
{
    tsraSeedRand(1234);  // the noise tables draw at construction
    CModDelayModule m;
    prepare(m, setup);
    EXPECT_EQ(m.selectKernels(k), k);
    V inL = sig.left, inR = sig.right;
    Render r;
    r.left.assign(kFrames, 0.0f);
    r.right.assign(kFrames, 0.0f);
    V& outL = bInPlace ? inL : r.left;
    V& outR = bInPlace ? (uIn == 2 ? inR : r.right) : r.right;
    size_t at = 0, nBuffer = 0;
    while (at < kFrames) {
        size_t n = sizes.empty() ? 1 : std::min(sizes[nBuffer++ % sizes.size()], kFrames - at);
        if (at < kChangeAt && at + n > kChangeAt)
            n = kChangeAt - at;  // a host changes controls between buffers
        if (at == kChangeAt)
            moveControls(m);
        if (sizes.empty()) {
            const float in[2] = {inL[at], inR[at]};
            float out[2] = {0.0f, 0.0f};
            m.processFrame(in, out, uIn, uOut);
            outL[at] = out[0];
            outR[at] = uOut == 2 ? out[1] : 0.0f;
            r.fPeakL = std::max(r.fPeakL, m.meterL);
            r.fPeakR = std::max(r.fPeakR, m.meterR);
        } else {
            const float* ins[2] = {inL.data() + at, inR.data() + at};
            float* outs[2] = {outL.data() + at, outR.data() + at};
            EXPECT_TRUE(m.processFrames(ins, outs, uIn, uOut, static_cast<uint32_t>(n)));
            r.fPeakL = std::max(r.fPeakL, m.m_fMeterPeakL);
            r.fPeakR = std::max(r.fPeakR, m.m_fMeterPeakR);
        }
        at += n;
    }
    if (bInPlace) {
        r.left = outL;
        if (uOut == 2)
            r.right = outR;
    }
    r.fMeterL = m.meterL;
    r.fMeterR = m.meterR;
    r.state = {m.m_fNRLowL, m.m_fNRHighL, m.m_fNRLowR, m.m_fNRHighR, m.m_fNREnvLow, m.m_fNREnvHigh, m.m_fNRGainLow,
               m.m_fNRGainHigh, m.m_fNRInputL, m.m_fNRInputR, m.m_fDropoutSmoothedL, m.m_fDropoutSmoothedR};
    return r;
}

// Every table this processor runs.
std::vector<ETapeKernels> tables()
{
    std::vector<ETapeKernels> v = {ETapeKernels::kScalar, ETapeKernels::kBaseline};
    if (tape::kernelsAvailable(ETapeKernels::kAvx2))
        v.push_back(ETapeKernels::kAvx2);
    return v;
}

void expectIdentical(const Render& a, const Render& b, uint32_t uOut)
{
    ASSERT_EQ(0, std::memcmp(a.left.data(), b.left.data(), kFrames * sizeof(float)));
    if (uOut == 2) {
        ASSERT_EQ(0, std::memcmp(a.right.data(), b.right.data(), kFrames * sizeof(float)));
    }
    EXPECT_EQ(a.fPeakL, b.fPeakL);
    EXPECT_EQ(a.fPeakR, b.fPeakR);
    EXPECT_EQ(a.fMeterL, b.fMeterL);
    EXPECT_EQ(a.fMeterR, b.fMeterR);
    EXPECT_EQ(a.state, b.state);
}

Setup preset(int k)
{
    return [k](CModDelayModule& m) { m.applyPreset(k); };
}

// Random settings at one of the rates the equaliser has tables for.
Setup randomSettings(unsigned uSeed)
{
    return [uSeed](CModDelayModule& m) {
        const int32_t kRates[] = {44100, 48000, 88200, 96000, 176400, 192000};
        m.m_nSampleRate = kRates[uSeed % 6];
        m.resetForSampleRate();
        std::mt19937 rng(uSeed);
        for (uint32_t c = 0; c < CModDelayModule::kMeterL; ++c) {
            const ControlRecord* p = m.controlRecord(c);
            m.setControlValue(c, p->m_fMin + std::uniform_real_distribution<float>(0.0f, 1.0f)(rng) * (p->m_fMax - p->m_fMin));
        }
    };
}

}  // namespace

TEST(TapeKernels, EveryTableRendersWhatTheChainRenders)
{
    const Signal sig;
    const std::vector<size_t> sizes = {512, 1, 7, 33, 64, 65, 250, 4096, 2, 63};
    for (ETapeKernels k : tables()) {
        SCOPED_TRACE(tape::kernelsName(k));
        for (int nPreset = 0; nPreset < kTapePresetCount; ++nPreset) {
            for (auto [uIn, uOut] : {std::pair{1u, 1u}, std::pair{1u, 2u}, std::pair{2u, 1u}, std::pair{2u, 2u}}) {
                SCOPED_TRACE(testing::Message() << "preset " << nPreset << ", " << uIn << " in, " << uOut << " out");
                expectIdentical(inBuffers(ETapeKernels::kScalar, preset(nPreset), sig, uIn, uOut),
                                inBuffers(k, preset(nPreset), sig, uIn, uOut, sizes, false), uOut);
            }
        }
        for (unsigned uSeed = 1; uSeed <= 12; ++uSeed) {
            SCOPED_TRACE(testing::Message() << "seed " << uSeed);
            const Render ref = inBuffers(ETapeKernels::kScalar, randomSettings(uSeed), sig, 2, 2);
            expectIdentical(ref, inBuffers(k, randomSettings(uSeed), sig, 2, 2, {CModDelayModule::kRunLength + 1, 3}, true), 2);
            expectIdentical(ref, inBuffers(k, randomSettings(uSeed), sig, 2, 2, {4096}, false), 2);
        }
    }
}

// The choice falls back to what the processor runs and never fails.
TEST(TapeKernels, ChosenByNameWithFallbacks)
{
    const ETapeKernels best = tape::kernelsAvailable(ETapeKernels::kAvx2) ? ETapeKernels::kAvx2 : ETapeKernels::kBaseline;
    EXPECT_EQ(tape::bestKernels(), best);
    EXPECT_EQ(tape::kernelsNamed(nullptr), best);
    EXPECT_EQ(tape::kernelsNamed("AVX512"), best);
    EXPECT_EQ(tape::kernelsNamed("scalar"), ETapeKernels::kScalar);
    EXPECT_EQ(tape::kernelsNamed("baseline"), ETapeKernels::kBaseline);
    EXPECT_EQ(tape::kernelsNamed("avx2"), best);
    setenv("BW_ENGINE_KERNELS", "scalar", 1);
    const CModDelayModule scalar;
    setenv("BW_ENGINE_KERNELS", "baseline", 1);
    const CModDelayModule baseline;
    unsetenv("BW_ENGINE_KERNELS");
    EXPECT_EQ(scalar.kernels(), ETapeKernels::kScalar);
    EXPECT_EQ(baseline.kernels(), ETapeKernels::kBaseline);
}

TEST(TapeKernels, RefusesChannelCountsItCannotRender)
{
    CModDelayModule m;
    prepare(m, [](CModDelayModule&) {});
    float buf[4] = {};
    const float* ins[3] = {buf, buf, buf};
    float* outs[3] = {buf, buf, buf};
    EXPECT_FALSE(m.processFrames(ins, outs, 3, 2, 4));
    EXPECT_FALSE(m.processFrames(ins, outs, 2, 0, 4));
    EXPECT_FALSE(m.processFrames(ins, outs, 2, 3, 4));
    EXPECT_TRUE(m.processFrames(ins, outs, 2, 2, 0));
}
