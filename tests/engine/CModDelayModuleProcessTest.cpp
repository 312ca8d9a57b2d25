// The tape chain frame by frame: channel cases, stages, randomness, faults.
#include "CModDelayModule.h"
#include "TapeDropout.h"
#include "TapeFilterDesign.h"

#include "TsraRand.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using V = std::vector<float>;

CModDelayModule* prepared(CModDelayModule& m, int32_t nRate = 44100)
{
    m.m_nSampleRate = nRate;
    m.resetForSampleRate();
    return &m;
}

// Sets a control and lets its smoother arrive.
void set(CModDelayModule& m, uint32_t uIndex, float v)
{
    m.controlRecord(uIndex)->m_bSmooth = false;
    m.setControlValue(uIndex, v);
}

V sine(size_t n, float f, float fRate = 44100.0f, float amp = 0.5f)
{
    V v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = amp * std::sin(6.2831853f * f * static_cast<float>(i) / fRate);
    return v;
}

// Runs a stereo signal (same on both inputs unless R given) and returns interleaved output.
V run(CModDelayModule& m, const V& l, const V* r = nullptr, uint32_t uIn = 2, uint32_t uOut = 2)
{
    V out(2 * l.size(), -7.0f);
    for (size_t i = 0; i < l.size(); ++i) {
        const float in[2] = {l[i], r ? (*r)[i] : l[i]};
        m.processFrame(in, &out[2 * i], uIn, uOut);
    }
    return out;
}

bool allFinite(const V& v)
{
    for (float x : v)
        if (!std::isfinite(x))
            return false;
    return true;
}

// The chain with the hiss silenced (the engine's cooking never writes a zero gain itself).
void silenceHiss(CModDelayModule& m) { m.m_fHissGain = 0.0f; }

}  // namespace

TEST(CModDelayModuleProcess, EqualiserMatchesDirectConvolution)
{
    // With hiss silenced, no dropouts and no wow/flutter, each output sample is
    // sat(dropoutLP(eq(x))): check the equaliser against a plain convolution through the same
    // tail, at a short and a long table.
    for (int32_t nRate : {44100, 192000}) {
        for (uint32_t uType : {0u, 1u, 2u}) {
            CModDelayModule m;
            prepared(m, nRate);
            set(m, CModDelayModule::kTapeType, static_cast<float>(uType));
            silenceHiss(m);
            const int32_t N = m.m_nFIRLength[m.m_nSampleRateIndex];
            const float* c = m.m_fFIRCoeffs[m.m_nTapeTypeIndex + 3 * m.m_nSampleRateIndex];
            const V in = sine(600, 3000.0f, static_cast<float>(nRate));
            const V out = run(m, in);

            CBiQuad lp;
            tape::designDropoutLowPass(lp, 20000.0f, nRate);
            for (size_t i = 0; i < in.size(); ++i) {
                double e = 0;
                for (int32_t k = 0; k <= N; ++k)
                    if (static_cast<int64_t>(i) - k >= 0)
                        e += static_cast<double>(c[N - k]) * in[i - static_cast<size_t>(k)];
                const float y = lp.filterSample(static_cast<float>(e));
                const float s = std::fmax(-1.0f, std::fmin(1.0f, y));
                const float expect = -0.533f * s * s * s + 0.01503f * s * s + 1.446f * s - 0.00229f;
                ASSERT_NEAR(out[2 * i], expect, 2e-5f) << nRate << " type " << uType << " frame " << i;
                ASSERT_NEAR(out[2 * i + 1], expect, 2e-5f);
            }
        }
    }
}

TEST(CModDelayModuleProcess, BypassSkipsEqualiserAndAge)
{
    // BYPASS with a worn tape: no equaliser, no age filter, but age still drives saturation.
    CModDelayModule m;
    prepared(m);
    set(m, CModDelayModule::kTapeType, 3.0f);
    set(m, CModDelayModule::kAge, 4.0f);
    silenceHiss(m);
    const float fDrive = m.m_fSatDrive;
    EXPECT_GT(fDrive, 1.5f);
    const V in = sine(2000, 9000.0f);
    const V out = run(m, in);
    CBiQuad lp;
    tape::designDropoutLowPass(lp, 20000.0f, 44100);
    for (size_t i = 0; i < in.size(); ++i) {
        const float y = lp.filterSample(in[i]);
        const float s = std::fmax(-1.0f, std::fmin(1.0f, fDrive * y));
        const float expect = (-0.533f * s * s * s + 0.01503f * s * s + 1.446f * s - 0.00229f) / fDrive;
        ASSERT_NEAR(out[2 * i], expect, 1e-6f) << i;
    }

    // Age does act on a tape type: the same drive, with the age filter, sounds different.
    CModDelayModule c, d;
    for (CModDelayModule* p : {&c, &d}) {
        prepared(*p);
        silenceHiss(*p);
        set(*p, CModDelayModule::kAge, 4.0f);
    }
    d.m_AgeFilterL.m_fA0 = 1.0f;  // an age filter that does nothing
    d.m_AgeFilterL.m_fA1 = d.m_AgeFilterL.m_fA2 = d.m_AgeFilterL.m_fB1 = d.m_AgeFilterL.m_fB2 = 0.0f;
    const V oc = run(c, in), od = run(d, in);
    double dC = 0, dD = 0;
    for (size_t i = 1000; i < in.size(); ++i) {
        dC += static_cast<double>(oc[2 * i]) * oc[2 * i];
        dD += static_cast<double>(od[2 * i]) * od[2 * i];
    }
    EXPECT_LT(dC, 0.5 * dD);  // a 4 kHz cutoff darkens a 9 kHz tone
}

TEST(CModDelayModuleProcess, MetersMonoInMonoOutAndPassThroughBlocks)
{
    CModDelayModule m;
    prepared(m);
    const float in[2] = {0.25f, 99.0f};
    float out[2] = {0.0f, -5.0f};
    for (int i = 0; i < 100; ++i) {
        m.processFrame(in, out, 1, 1);
        ASSERT_EQ(out[1], -5.0f);
        ASSERT_EQ(m.meterR, std::fabs(out[0]));
        ASSERT_EQ(m.meterL, 0.25f);  // one input: |xL|, the right input is never read
    }
    EXPECT_EQ(m.m_WowDelayR.m_nWritePos, 0);  // the right delay lines never ran

    const float stereo[2] = {0.5f, -0.25f};
    m.processFrame(stereo, out, 2, 2);
    EXPECT_FLOAT_EQ(m.meterL, 0.375f);
    EXPECT_FLOAT_EQ(m.meterR, (std::fabs(out[0]) + std::fabs(out[1])) * 0.5f);

    float a[3] = {1, 2, 3}, b[3] = {0, 0, 0}, c[3] = {4, 5, 6}, d[3] = {0, 0, 0};
    float* ins[2] = {a, c};
    float* outs[2] = {b, d};
    m.processChannelBuffers(ins, outs, 2, 3);
    EXPECT_EQ(b[2], 3.0f);
    EXPECT_EQ(d[0], 4.0f);
    float e[3] = {0, 0, 0};
    m.processBlock(a, e, 0, 0, 3);
    EXPECT_EQ(e[1], 2.0f);
}

TEST(CModDelayModuleProcess, MonoInStereoOutSharesSignalWithOwnHissAndDropouts)
{
    CModDelayModule m;
    prepared(m);
    silenceHiss(m);
    const V in = sine(1000, 200.0f);
    V out = run(m, in, nullptr, 1, 2);
    for (size_t i = 0; i < in.size(); ++i)
        ASSERT_EQ(out[2 * i], out[2 * i + 1]);

    CModDelayModule h;  // with hiss: the two sides differ only by independent hiss
    prepared(h);
    out = run(h, in, nullptr, 1, 2);
    size_t nDiff = 0;
    for (size_t i = 0; i < in.size(); ++i) {
        nDiff += out[2 * i] != out[2 * i + 1];
        ASSERT_NEAR(out[2 * i], out[2 * i + 1], 0.1f);
    }
    EXPECT_GT(nDiff, in.size() / 2);

    CModDelayModule s;  // separate dropouts: different gains per side
    prepared(s);
    silenceHiss(s);
    set(s, CModDelayModule::kDropoutAmount, 10.0f);
    set(s, CModDelayModule::kDropoutIntensity, 1.0f);
    set(s, CModDelayModule::kMonoStereoDropouts, 1.0f);
    out = run(s, sine(20000, 200.0f), nullptr, 1, 2);
    double dMaxDiff = 0;
    for (size_t i = 0; i < 20000; ++i)
        dMaxDiff = std::fmax(dMaxDiff, std::fabs(out[2 * i] - out[2 * i + 1]));
    EXPECT_GT(dMaxDiff, 1e-3);
}

// The right channel is built as the left: the same input on both sides, with the hiss
// silenced and the dropouts shared, comes out the same on both, every preset with noise
// reduction on. The output gain scales what comes out.
TEST(CModDelayModuleProcess, BothSidesAlikeAndTheOutputGainScales)
{
    const V in = sine(3000, 330.0f, 44100.0f, 0.7f);
    for (int k = 0; k < kTapePresetCount; ++k) {
        const auto render = [&](float fOutput_dB) {
            tsraSeedRand(3);  // the same random LFO tables and dropouts
            CModDelayModule m;
            prepared(m);
            for (uint32_t i = 0; i < kTapePresetControls; ++i)
                set(m, i, static_cast<float>(kTapePresetValues[k][i]));
            set(m, CModDelayModule::kNrComp, 1.0f);
            set(m, CModDelayModule::kMonoStereoDropouts, 0.0f);
            set(m, CModDelayModule::kOutput, fOutput_dB);
            silenceHiss(m);
            return run(m, in);
        };
        const V out = render(0.0f), outQuiet = render(-6.0f);
        for (size_t i = 0; i < in.size(); ++i) {
            ASSERT_EQ(out[2 * i], out[2 * i + 1]) << kTapePresetNames[k] << ", frame " << i;
            ASSERT_NEAR(outQuiet[2 * i], out[2 * i] * 0.50118723f, 1e-6f) << kTapePresetNames[k] << ", frame " << i;
        }
    }
}

// Separate dropouts duck each side by its own walk and half the other's, so swapping the
// walks swaps the gains; shared ones duck both alike. Ducking never raises the level.
TEST(CModDelayModuleProcess, DropoutDucksTreatBothSidesAlike)
{
    for (double a : {0.0, 0.01, 0.025})
        for (double sL : {-3.0, -0.4, 0.0, 1.7})
            for (double sR : {-2.0, 0.0, 0.9}) {
                double gL, gR, gSwappedL, gSwappedR, gSharedL, gSharedR;
                tape::dropoutDucks(a, sL, sR, true, gL, gR);
                tape::dropoutDucks(a, sR, sL, true, gSwappedL, gSwappedR);
                tape::dropoutDucks(a, sL, sR, false, gSharedL, gSharedR);
                EXPECT_EQ(gL, gSwappedR);
                EXPECT_EQ(gR, gSwappedL);
                EXPECT_EQ(gSharedL, gSharedR);
                for (double g : {gL, gR, gSharedL})
                    EXPECT_LE(g, 1.0) << a << ", " << sL << ", " << sR;
            }
}

TEST(CModDelayModuleProcess, ZeroDropoutAmountGivesUnityGainAndA20kFilter)
{
    CModDelayModule m;
    prepared(m);
    set(m, CModDelayModule::kDropoutIntensity, 1.0f);  // the walk still runs
    run(m, sine(500, 100.0f));
    CBiQuad lp;
    tape::designDropoutLowPass(lp, 20000.0f, 44100);
    EXPECT_EQ(m.m_fDropoutScale, 0.0f);
    EXPECT_EQ(m.m_DropoutFilterL.m_fB1, lp.m_fB1);
    EXPECT_EQ(m.m_DropoutFilterL.m_fA0, lp.m_fA0);
    EXPECT_EQ(m.m_DropoutFilterR.m_fB1, lp.m_fB1);
    EXPECT_NE(m.m_fDropoutSmoothedL, 0.0f);
}

TEST(CModDelayModuleProcess, MsDropSwitchesBetweenSharedAndSeparateDropouts)
{
    CModDelayModule m;
    prepared(m);
    set(m, CModDelayModule::kDropoutAmount, 10.0f);
    set(m, CModDelayModule::kDropoutIntensity, 1.0f);
    run(m, sine(3000, 100.0f));
    EXPECT_EQ(m.m_DropoutFilterR.m_fB1, m.m_DropoutFilterL.m_fB1);  // shared
    const float fWalkR = m.m_fDropoutWalkR;
    EXPECT_EQ(fWalkR, 0.0f);  // the right walk is not touched
    set(m, CModDelayModule::kMonoStereoDropouts, 1.0f);
    run(m, sine(3000, 100.0f));
    EXPECT_NE(m.m_fDropoutWalkR, 0.0f);
    EXPECT_NE(m.m_DropoutFilterR.m_fB1, m.m_DropoutFilterL.m_fB1);
    // The cutoff never drops under 1 kHz: b1 = -gamma grows with the cutoff.
    CBiQuad floor1k;
    tape::designDropoutLowPass(floor1k, 1000.0f, 44100);
    float fLowest = 1.0f;
    const float in[2] = {0.1f, 0.1f};
    float out[2];
    for (int i = 0; i < 44100; ++i) {
        m.processFrame(in, out, 2, 2);
        fLowest = std::fmin(fLowest, std::fmin(m.m_DropoutFilterL.m_fB1, m.m_DropoutFilterR.m_fB1));
    }
    EXPECT_GE(fLowest, floor1k.m_fB1);
    EXPECT_LT(fLowest, 0.0f);  // and deep dropouts do happen at full amount
}

TEST(CModDelayModuleProcess, RandomDrawsPerFrame)
{
    // Draws per frame: hiss L, dropout L, (dropout R), hiss R.
    for (const auto& [msDrop, nOut, nDraws] : {std::tuple{0u, 1u, 2}, {0u, 2u, 3}, {1u, 2u, 4}, {1u, 1u, 3}}) {
        CModDelayModule m;
        prepared(m);
        set(m, CModDelayModule::kMonoStereoDropouts, static_cast<float>(msDrop));
        tsraSeedRand(5);
        const float in[2] = {0.1f, 0.1f};
        float out[2];
        for (int i = 0; i < 10; ++i)
            m.processFrame(in, out, nOut, nOut);
        const int nAfter = tsraRand();
        tsraSeedRand(5);
        for (int i = 0; i < 10 * nDraws; ++i)
            tsraRand();
        EXPECT_EQ(tsraRand(), nAfter) << "msDrop " << msDrop << " outputs " << nOut;
    }
}

TEST(CModDelayModuleProcess, WowModulatesPitchNotLevel)
{
    CModDelayModule m;
    prepared(m);
    silenceHiss(m);
    set(m, CModDelayModule::kTapeType, 3.0f);
    set(m, CModDelayModule::kWowDepth, 100.0f);
    set(m, CModDelayModule::kWowRate, 5.0f);
    const V out = run(m, V(44100, 0.1f));  // DC in: a delay changes nothing once the line is full
    for (size_t i = 4000; i < 44100; ++i)
        ASSERT_NEAR(out[2 * i], out[8000], 1e-6f);
    // Delay follows the unipolar LFO: at most 3.5 ms at 100 %.
    EXPECT_LE(m.m_WowDelayL.m_fDelay_ms, 3.5f + 1e-4f);
    EXPECT_GE(m.m_WowDelayL.m_fDelay_ms, 0.0f);
}

TEST(CModDelayModuleProcess, NonFiniteInputIsSilenceAndOutputRecoversAtOnce)
{
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                      -std::numeric_limits<float>::infinity(), 3e38f}) {
        CModDelayModule m;
        prepared(m);
        m.applyPreset(10);
        set(m, CModDelayModule::kNrComp, 1.0f);
        set(m, CModDelayModule::kInput, 12.0f);
        run(m, sine(1000, 100.0f));
        const float in[2] = {bad, bad};
        float out[2];
        for (int i = 0; i < 50; ++i)
            m.processFrame(in, out, 2, 2);
        EXPECT_TRUE(std::isfinite(out[0]) && std::isfinite(out[1])) << bad;
        const V after = run(m, sine(5000, 100.0f));
        EXPECT_TRUE(allFinite(after)) << bad;
        EXPECT_TRUE(std::isfinite(m.meterL) && std::isfinite(m.meterR));
    }
}

// The supported rates, one the equaliser does not know (44.1 kHz tables) and two hosts use
// below 40 kHz, where the dropout filters' 20 kHz rest cutoff lies above Nyquist.
TEST(CModDelayModuleProcess, EveryPresetRendersFiniteAndBoundedAtEveryRate)
{
    for (int32_t nRate : {44100, 48000, 88200, 96000, 176400, 192000, 50000, 22050, 32000}) {
        for (int k = 0; k < kTapePresetCount; ++k) {
            CModDelayModule m;
            prepared(m, nRate);
            m.applyPreset(k);
            const V in = sine(static_cast<size_t>(nRate / 4), 440.0f, static_cast<float>(nRate), 0.9f);
            const V out = run(m, in);
            ASSERT_TRUE(allFinite(out)) << kTapePresetNames[k] << " at " << nRate;
            float fPeak = 0;
            for (float x : out)
                fPeak = std::fmax(fPeak, std::fabs(x));
            EXPECT_GT(fPeak, 0.01f) << kTapePresetNames[k] << " at " << nRate;
            EXPECT_LT(fPeak, 8.0f) << kTapePresetNames[k] << " at " << nRate;
        }
    }
}

