#include "CDDLModule.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t kDelay = 0, kFeedback = 1, kWet = 2;

// A prepared delay line at 44.1 kHz, driven only through the object contract.
struct Line {
    CDDLModule ddl;
    explicit Line(int32_t nRate = 44100)
    {
        ddl.m_nSampleRate = nRate;
        ddl.resetForSampleRate();
    }
    float frame(float x, uint32_t uOut = 1)
    {
        float out[2] = {-9.0f, -9.0f};
        ddl.processFrame(&x, out, 1, uOut);
        return out[0];
    }
};

}  // namespace

TEST(CDDLModule, WholeSampleDelayWithFeedbackAndMixThroughControls)
{
    Line l;
    l.ddl.setControlValue(kDelay, 1000.0f * 3.0f / 44100.0f);  // 3 samples
    l.ddl.setControlValue(kWet, 100.0f);
    l.ddl.setControlValue(kFeedback, 50.0f);
    ASSERT_NEAR(l.ddl.m_fDelaySamples, 3.0f, 1e-4f);
    std::vector<float> out;
    for (int i = 0; i < 10; ++i)
        out.push_back(l.frame(i == 0 ? 1.0f : 0.0f));
    // Impulse returns after 3 samples, then every 3 samples at half the level.
    EXPECT_NEAR(out[3], 1.0f, 1e-3f);
    EXPECT_NEAR(out[6], 0.5f, 1e-3f);
    EXPECT_NEAR(out[9], 0.25f, 1e-3f);
    EXPECT_NEAR(out[0] + out[1] + out[2] + out[4] + out[5], 0.0f, 2e-3f);
}

TEST(CDDLModule, NormalisedHostValuesReachTheLine)
{
    Line l;
    auto entries = std::vector<ControlValueEntry>(l.ddl.controlCount() + 2);
    entries[kDelay] = {kDelay, 0, 0.0005f, 0, true, false};  // 1 ms
    entries[kWet] = {kWet, 2, 0.0f, 0, true, false};
    HostTimeBlock t;
    HostMessageInfo info;
    info.m_pEntries = entries.data();
    info.m_pTimeBlock = &t;
    info.m_uEntryCount = static_cast<uint32_t>(entries.size());
    info.m_bBypassSmoothing = true;
    l.ddl.onHostMessage(kHostSetControls, info);
    EXPECT_NEAR(l.ddl.m_fDelay_ms, 1.0f, 1e-4f);
    EXPECT_EQ(l.ddl.m_fWetGain, 0.0f);
    EXPECT_EQ(l.frame(0.7f), 0.7f);  // dry only
}

// No delay passes the input whatever the mix; half a sample averages two inputs; an equal
// mix of a one-sample delay, copied to a second output.
TEST(CDDLModule, ZeroHalfAndWholeSampleDelaysAndTheMix)
{
    Line z;
    z.ddl.setControlValue(kWet, 30.0f);
    z.ddl.setControlValue(kFeedback, 100.0f);
    EXPECT_EQ(z.frame(0.25f), 0.25f);
    EXPECT_EQ(z.ddl.m_pDelayBuffer[0], 0.5f);  // x + 1.0 * x

    Line h(2000);  // 0.25 ms = 0.5 samples
    h.ddl.setControlValue(kWet, 100.0f);
    h.ddl.setControlValue(kDelay, 0.25f);
    ASSERT_EQ(h.ddl.m_nReadPos, h.ddl.m_nWritePos);
    h.frame(0.8f);
    EXPECT_NEAR(h.frame(0.2f), 0.5f, 1e-6f);

    Line l(1000);
    l.ddl.setControlValue(kDelay, 1.0f);  // wet 50 by default
    float x = 1.0f, out[2] = {0, 0};
    l.ddl.processFrame(&x, out, 1, 2);
    EXPECT_EQ(out[0], 0.5f);
    EXPECT_EQ(out[1], out[0]);
    x = 0.0f;
    l.ddl.processFrame(&x, out, 1, 2);
    EXPECT_EQ(out[0], 0.5f);
    EXPECT_EQ(out[1], 0.5f);
}

TEST(CDDLModule, TwoSecondDelayReadsOldestSampleBeforeOverwriting)
{
    Line l(1000);
    l.ddl.setControlValue(kWet, 100.0f);
    l.ddl.setControlValue(kDelay, 2000.0f);
    const int32_t n = l.ddl.m_nBufferLength;
    ASSERT_EQ(n, 2000);
    EXPECT_EQ(l.ddl.m_nReadPos, l.ddl.m_nWritePos);
    float last = 0.0f;
    for (int32_t i = 0; i <= n; ++i)
        last = l.frame(i == 0 ? 1.0f : 0.0f);
    const float f = l.ddl.m_fDelaySamples - static_cast<float>(static_cast<int32_t>(l.ddl.m_fDelaySamples));
    EXPECT_NEAR(last, 1.0f - f, 1e-6f);  // the impulse, read at the full length
}

TEST(CDDLModule, DelayIsHeldToTheBufferAndPositionsStayInRange)
{
    Line l(1000);
    for (float ms : {2500.0f, 1e9f, -5.0f, 1999.9f}) {
        l.ddl.m_fDelay_ms = ms;
        l.ddl.updateDelayParameters();
        EXPECT_GE(l.ddl.m_nReadPos, 0) << ms;
        EXPECT_LT(l.ddl.m_nReadPos, l.ddl.m_nBufferLength) << ms;
        EXPECT_LE(l.ddl.m_fDelaySamples, 2000.0f * 1.0001f) << ms;
        EXPECT_GE(l.ddl.m_fDelaySamples, 0.0f) << ms;
        for (int i = 0; i < 50; ++i)
            l.frame(0.1f);
    }
}

TEST(CDDLModule, NegativeFeedbackInvertsAndFullFeedbackKeepsLevel)
{
    for (float fb : {-100.0f, 100.0f}) {
        Line l(1000);
        l.ddl.setControlValue(kWet, 100.0f);
        l.ddl.setControlValue(kFeedback, fb);
        l.ddl.setControlValue(kDelay, 2.0f);  // 2 samples
        std::vector<float> out;
        for (int i = 0; i < 9; ++i)
            out.push_back(l.frame(i == 0 ? 1.0f : 0.0f));
        EXPECT_FLOAT_EQ(out[2], 1.0f);
        EXPECT_FLOAT_EQ(out[4], fb > 0 ? 1.0f : -1.0f);
        EXPECT_FLOAT_EQ(out[6], 1.0f);  // sign flips every pass at -100 %
        EXPECT_FLOAT_EQ(out[8], fb > 0 ? 1.0f : -1.0f);
    }
}

TEST(CDDLModule, WithoutBufferPassesInputThroughUntouched)
{
    CDDLModule d;  // never prepared: no buffer
    d.m_fDelay_ms = 5.0f;
    d.m_fWetLevel_pct = 100.0f;
    d.updateDelayParameters();
    float x = 0.3f, out[2] = {0, 0};
    d.processFrame(&x, out, 1, 2);
    EXPECT_EQ(out[0], 0.3f);
    EXPECT_EQ(out[1], 0.3f);

    d.m_nSampleRate = 0;  // no length to allocate
    d.resetForSampleRate();
    EXPECT_EQ(d.m_pDelayBuffer, nullptr);
    d.processFrame(&x, out, 1, 1);
    EXPECT_EQ(out[0], 0.3f);
}

TEST(CDDLModule, NewSampleRateResizesAndClears)
{
    Line l(1000);
    l.ddl.setControlValue(kWet, 100.0f);
    l.ddl.setControlValue(kDelay, 10.0f);
    for (int i = 0; i < 20; ++i)
        l.frame(1.0f);
    l.ddl.m_nSampleRate = 3000;
    l.ddl.resetForSampleRate();
    EXPECT_EQ(l.ddl.m_nBufferLength, 6000);
    EXPECT_NEAR(l.ddl.m_fDelaySamples, 30.0f, 1e-3f);
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(l.frame(0.0f), 0.0f);
}

namespace {
// Two lines in step run together give what each gives sample by sample, its delay moved
// before each sample (also at a rate the lines were not prepared for). The lines are first
// moved uLead samples on, so a run can start anywhere in the buffer. bStale: the lines stand
// at 3 ms and are told their delay is the run's first without being placed there, so they
// keep their place until the delay moves.
void expectRunInStepMatches(int32_t nPrepared, int32_t nRate, const std::vector<float>& delay, uint32_t uLead,
                            bool bStale = false)
{
    Line a(nPrepared), b(nPrepared), ra(nPrepared), rb(nPrepared);
    for (CDDLModule* p : {&a.ddl, &b.ddl, &ra.ddl, &rb.ddl}) {
        p->m_fFeedback_pct = 30.0f;
        p->m_fDelay_ms = bStale ? 3.0f : 0.0f;
        p->updateDelayParameters();
        for (uint32_t i = 0; i < uLead; ++i)
            p->processSample(0.25f);
        if (bStale)
            p->m_fDelay_ms = delay[0];
    }
    b.ddl.m_fFeedbackGain = rb.ddl.m_fFeedbackGain = -0.5f;  // each line keeps its own gains
    b.ddl.m_fWetGain = rb.ddl.m_fWetGain = 1.0f;
    ASSERT_TRUE(CDDLModule::inStep(a.ddl, b.ddl));
    const size_t n = delay.size();
    std::vector<float> inA(n), inB(n), outA(n), outB(n);
    for (size_t i = 0; i < n; ++i) {
        inA[i] = static_cast<float>(i % 37) - 18.0f;
        inB[i] = static_cast<float>(i % 11) * 0.5f;
    }
    CDDLModule::runInStep(a.ddl, b.ddl, delay.data(), inA.data(), inB.data(), outA.data(), outB.data(),
                          static_cast<uint32_t>(n), nRate);
    for (size_t i = 0; i < n; ++i) {
        for (CDDLModule* p : {&ra.ddl, &rb.ddl})
            if (delay[i] != p->m_fDelay_ms || p->m_nSampleRate != nRate)
                p->moveDelay(delay[i]);
        ASSERT_EQ(outA[i], ra.ddl.processSample(inA[i])) << nRate << ", lead " << uLead << ", sample " << i;
        ASSERT_EQ(outB[i], rb.ddl.processSample(inB[i])) << nRate << ", lead " << uLead << ", sample " << i;
    }
    for (const Line* p : {&a, &b}) {
        EXPECT_EQ(p->ddl.m_nReadPos, ra.ddl.m_nReadPos);
        EXPECT_EQ(p->ddl.m_nWritePos, ra.ddl.m_nWritePos);
        EXPECT_EQ(p->ddl.m_fDelaySamples, ra.ddl.m_fDelaySamples);
    }
}
}  // namespace

TEST(CDDLModule, RunInStepMatchesEachLineSampleBySample)
{
    std::vector<float> delay(3000);
    for (size_t i = 0; i < delay.size(); ++i) {
        delay[i] = i < 1000 ? 0.0f : (i < 2000 ? 0.013f * static_cast<float>(i % 700) : 2500.0f);
        if (i % 50 < 10)
            delay[i] = delay[i > 0 ? i - 1 : 0];  // held stretches
    }
    for (int32_t nRate : {44100, 48000})
        expectRunInStepMatches(44100, nRate, delay, 0);

    // A 2048-sample buffer. Each lead starts the run's stretches at another distance from the
    // buffer's end; after the wrap, the reads of a few samples' delay reach back across its
    // start. The delay held at 3.3 samples, then moving between 0.51 and 5.6.
    std::vector<float> held(2100, 3.25f), moving(2100);
    for (size_t i = 0; i < moving.size(); ++i)
        moving[i] = 0.5f + static_cast<float>((i / 13) % 6);
    for (uint32_t uLead = 0; uLead < 66; ++uLead) {
        expectRunInStepMatches(1024, 1024, held, uLead);
        expectRunInStepMatches(1024, 1024, moving, uLead, uLead % 2 == 1);
    }
}
