// The built LV2 binary driven the way a host drives it: dlopen, lv2_descriptor, instantiate,
// connect, activate, run. What the external tools cannot see: allocation and locks in run,
// hostile control values, the meter ports, the start at the host's values, the glide of later
// changes, re-activation, shared buffers.
#include "BwLv2Ports.h"
#include "CModDelayModule.h"
#include "RealtimeProbe.h"

#include <gtest/gtest.h>
#include <lv2/core/lv2.h>

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

using namespace bwlv2;

const LV2_Descriptor* Descriptor(uint32_t uIndex)
{
    static void* const pHandle = dlopen(BW_LV2_BINARY, RTLD_NOW | RTLD_LOCAL);
    static const auto pEntry = pHandle ? reinterpret_cast<LV2_Descriptor_Function>(dlsym(pHandle, "lv2_descriptor")) : nullptr;
    return pEntry ? pEntry(uIndex) : nullptr;
}

// One instance with every port connected to buffers of its own, the controls at the engine's
// defaults, hiss at its floor and no dropouts (what is left is the deterministic chain).
class CInstance {
public:
    CInstance(uint32_t uChannels, uint32_t uMaxFrames, double fRate = 48000.0)
        : m_fRate(fRate), m_pDesc(Descriptor(uChannels == 1 ? 0 : 1)), m_In(uChannels, std::vector<float>(uMaxFrames)),
          m_Out(uChannels, std::vector<float>(uMaxFrames))
    {
        const CModDelayModule engine;
        for (uint32_t i = 0; i < kControlPorts; ++i)
            m_fControls[i] = engine.getControlValue(i);
        m_fControls[4] = -96.0f;
        m_fControls[5] = 0.0f;
        m_h = m_pDesc ? m_pDesc->instantiate(m_pDesc, fRate, BW_LV2_BUNDLE, nullptr) : nullptr;
        if (!m_h)
            return;
        for (uint32_t i = 0; i < kControlPorts; ++i)
            m_pDesc->connect_port(m_h, i, &m_fControls[i]);
        m_pDesc->connect_port(m_h, kMeterPortL, &m_fMeterIn);
        m_pDesc->connect_port(m_h, kMeterPortR, &m_fMeterOut);
        for (uint32_t c = 0; c < uChannels; ++c) {
            m_pDesc->connect_port(m_h, kFirstAudioPort + c, m_In[c].data());
            m_pDesc->connect_port(m_h, kFirstAudioPort + uChannels + c, m_Out[c].data());
        }
        m_pDesc->activate(m_h);
    }
    ~CInstance()
    {
        if (m_h) {
            m_pDesc->deactivate(m_h);
            m_pDesc->cleanup(m_h);
        }
    }
    bool Ok() const { return m_h != nullptr; }
    void Reactivate()
    {
        m_pDesc->deactivate(m_h);
        m_pDesc->activate(m_h);
    }
    // One block of a 441 Hz sine of the given peak (starting at frame uStart) on every input.
    void Run(uint32_t uFrames, float fPeak = 0.0f, uint32_t uStart = 0)
    {
        for (auto& ch : m_In)
            for (uint32_t n = 0; n < uFrames; ++n)
                ch[n] = fPeak * float(std::sin(2.0 * M_PI * 441.0 * (uStart + n) / m_fRate));
        m_pDesc->run(m_h, uFrames);
    }
    void Settle()  // half a second of silence
    {
        for (auto uLeft = uint32_t(m_fRate / 2); uLeft > 0; uLeft -= std::min(uLeft, uint32_t(m_In[0].size())))
            Run(std::min(uLeft, uint32_t(m_In[0].size())));
    }
    float PeakOut(uint32_t uFrom, uint32_t uTo) const
    {
        float f = 0.0f;
        for (const auto& ch : m_Out)
            for (uint32_t n = uFrom; n < uTo; ++n)
                f = std::fmax(f, std::isfinite(ch[n]) ? std::fabs(ch[n]) : INFINITY);
        return f;
    }

    double m_fRate;
    const LV2_Descriptor* m_pDesc;
    LV2_Handle m_h = nullptr;
    float m_fControls[kControlPorts];
    float m_fMeterIn = -1.0f, m_fMeterOut = -1.0f;
    std::vector<std::vector<float>> m_In, m_Out;
};

float MaxDifference(const std::vector<std::vector<float>>& a, const std::vector<std::vector<float>>& b, uint32_t uFrames)
{
    float f = 0.0f;
    for (size_t c = 0; c < a.size(); ++c)
        for (uint32_t n = 0; n < uFrames; ++n)
            f = std::fmax(f, std::fabs(a[c][n] - b[c][n]));
    return f;
}

TEST(Lv2Plugin, ExportsTwoPluginsThatRefuseAnUnusableSampleRate)
{
    ASSERT_NE(Descriptor(0), nullptr) << dlerror();
    EXPECT_STREQ(Descriptor(0)->URI, kMonoUri);
    ASSERT_NE(Descriptor(1), nullptr);
    EXPECT_STREQ(Descriptor(1)->URI, kStereoUri);
    EXPECT_EQ(Descriptor(2), nullptr);
    for (double fRate : {0.0, -48000.0, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(Descriptor(1)->instantiate(Descriptor(1), fRate, BW_LV2_BUNDLE, nullptr), nullptr) << fRate;
}

TEST(Lv2Plugin, RunNeitherAllocatesNorLocksEvenWhenEveryControlMoves)
{
    uintptr_t nBegin = 0, nEnd = 0;
    for (uint32_t uChannels : {1u, 2u}) {
        CInstance inst(uChannels, 256);
        ASSERT_TRUE(inst.Ok());
        ASSERT_TRUE(FindLoadedLibrary("/brindlewarbler.so", nBegin, nEnd));
        inst.Run(256, 0.5f);
        // Every switch through every entry, every knob to both ends, noise reduction on.
        for (int step = 0; step < 8; ++step) {
            std::fill(std::begin(inst.m_fControls), std::end(inst.m_fControls), (step & 1) ? 1000.0f : -1000.0f);
            inst.m_fControls[10 + step % 6] = float(step % 5);
            ArmProbe(nBegin, nEnd);
            inst.Run(256, 0.5f);
            const SProbeCounts counts = DisarmProbe();
            EXPECT_EQ(counts.m_nAllocations + counts.m_nFrees, 0) << uChannels << " channel(s), step " << step;
            EXPECT_EQ(counts.m_nModuleLocks + counts.m_nOtherLocks, 0) << uChannels << " channel(s), step " << step;
        }
    }
}

TEST(Lv2Plugin, HostileControlValuesActAsTheRangeEnds)
{
    // Beyond the ranges acts as the range ends, NaN is ignored, past the last entry is the last.
    CInstance wild(2, 4800), sane(2, 4800);
    ASSERT_TRUE(wild.Ok() && sane.Ok());
    wild.m_fControls[8] = 100.0f;  // Input
    sane.m_fControls[8] = 12.0f;
    wild.m_fControls[6] = 1.0e9f;  // Saturation
    sane.m_fControls[6] = 10.0f;
    wild.m_fControls[0] = std::numeric_limits<float>::quiet_NaN();  // Wow Depth
    wild.m_fControls[11] = 7.0f;  // Tape Type: BYPASS
    sane.m_fControls[11] = 3.0f;
    wild.Settle();
    sane.Settle();
    for (uint32_t block = 0; block < 10; ++block) {
        wild.Run(4800, 0.5f, block * 4800);
        sane.Run(4800, 0.5f, block * 4800);
        ASSERT_LT(MaxDifference(wild.m_Out, sane.m_Out, 4800), 1.0e-3f) << "block " << block;  // quiet hiss apart
    }
}

// What a meter shows is the engine's (its tests); here the ports that carry it, per run.
TEST(Lv2Plugin, TheMeterPortsCarryTheInputAndOutputLevelOfEachRun)
{
    for (uint32_t uChannels : {1u, 2u}) {
        CInstance inst(uChannels, 4800);
        ASSERT_TRUE(inst.Ok());
        inst.Settle();
        inst.Run(4800, 0.25f);
        EXPECT_NEAR(inst.m_fMeterIn, 0.25f, 5.0e-4f) << uChannels;
        EXPECT_NEAR(inst.m_fMeterOut, inst.PeakOut(0, 4800), 1.0e-4f) << uChannels;
        inst.Run(4800);
        inst.Run(4800);  // the equaliser's tail still shows at the output
        EXPECT_EQ(inst.m_fMeterIn, 0.0f);
        EXPECT_NEAR(inst.m_fMeterOut, inst.PeakOut(0, 4800), 1.0e-4f) << uChannels;
    }
}

TEST(Lv2Plugin, ALaterControlChangeGlidesInTimeAtTheHostsRate)
{
    // Output from 0 to -12 dB between two blocks at 96 kHz: the engine's smoother (its tests)
    // has a time constant of 100 ms / 2 pi, about 16 ms, if the plug-in gave it the host's rate.
    const uint32_t uBlock = 9600, uMs = 96;
    CInstance inst(2, uBlock, 96000.0);
    ASSERT_TRUE(inst.Ok());
    inst.Settle();
    inst.Run(uBlock, 0.5f);
    const float fBefore = inst.PeakOut(0, uBlock);
    inst.m_fControls[9] = -12.0f;
    inst.Run(uBlock, 0.5f, uBlock);
    // Peaks over one period of the sine from 9 ms on: -12 (1 - e^(-t/16 ms)) dB gives 0.49 to
    // 0.55; 0.37 if the engine ran at 44.1 kHz, 0.25 on a jump.
    const float fAt10ms = inst.PeakOut(9 * uMs, 9 * uMs + 23 * uMs / 10) / fBefore;
    EXPECT_GT(fAt10ms, 0.46f);
    EXPECT_LT(fAt10ms, 0.58f);
}

TEST(Lv2Plugin, AnActivationStartsAtTheHostsValuesWithNothingOfThePast)
{
    // An offline bounce runs from the first block: Output at -12 dB is 12 dB down there, not
    // gliding from 0 dB; a re-activation is such a start again, and deep wow (3.5 ms of the
    // past in the delay lines) must not play the past back.
    CInstance down(2, 4800), level(2, 4800), fresh(2, 4800);
    ASSERT_TRUE(down.Ok() && level.Ok() && fresh.Ok());
    down.m_fControls[9] = -12.0f;
    const auto firstBlockRatio = [&] {
        down.Run(4800, 0.5f);
        level.Run(4800, 0.5f);
        return down.PeakOut(0, 4800) / level.PeakOut(0, 4800);
    };
    EXPECT_NEAR(firstBlockRatio(), std::pow(10.0f, -12.0f / 20.0f), 0.005f);
    for (CInstance* p : {&down, &level, &fresh})
        p->m_fControls[0] = 100.0f;
    for (uint32_t block = 1; block < 6; ++block)
        firstBlockRatio();
    down.m_fControls[9] = -6.0f;
    down.Reactivate();
    level.Reactivate();
    EXPECT_NEAR(firstBlockRatio(), std::pow(10.0f, -6.0f / 20.0f), 0.005f);
    down.m_fControls[9] = 0.0f;
    down.Reactivate();
    fresh.Settle();
    down.Run(480);
    fresh.Run(480);
    EXPECT_LT(MaxDifference(down.m_Out, fresh.m_Out, 480), 1.0e-3f) << "the past played back";
}

TEST(Lv2Plugin, ProcessesInPlaceWhenTheHostSharesBuffers)
{
    CInstance shared(2, 4800), apart(2, 4800);
    ASSERT_TRUE(shared.Ok() && apart.Ok());
    for (CInstance* p : {&shared, &apart}) {
        p->m_fControls[0] = 60.0f;
        p->Settle();
    }
    for (uint32_t c = 0; c < 2; ++c)
        shared.m_pDesc->connect_port(shared.m_h, kFirstAudioPort + 2 + c, shared.m_In[c].data());
    for (uint32_t block = 0; block < 4; ++block) {
        shared.Run(4800, 0.5f, block * 4800);
        apart.Run(4800, 0.5f, block * 4800);
        ASSERT_LT(MaxDifference(shared.m_In, apart.m_Out, 4800), 1.0e-3f) << "block " << block;
    }
}

}  // namespace
