// The built LV2 binary driven as a host drives it, for what the host tests cannot see: allocation
// and locks in run, hostile values, the start at the host's values, the glide of later changes
// at the host's rate, re-activation, shared buffers and the meters.
#include "BwLv2Ports.h"
#include "CModDelayModule.h"
#include "RealtimeProbe.h"

#include <gtest/gtest.h>
#include <lv2/core/lv2.h>

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace bwlv2;
using Buffers = std::vector<std::vector<float>>;

const LV2_Descriptor* Descriptor(uint32_t uIndex)
{
    static void* const pHandle = dlopen(BW_LV2_BINARY, RTLD_NOW | RTLD_LOCAL);
    static const auto pEntry = pHandle ? reinterpret_cast<LV2_Descriptor_Function>(dlsym(pHandle, "lv2_descriptor")) : nullptr;
    return pEntry ? pEntry(uIndex) : nullptr;
}

// One activated instance with every port on buffers of its own, the controls at the engine's
// defaults, hiss at its floor and no dropouts (what is left is the deterministic chain). One
// that cannot be made throws, which fails the test.
class CInstance {
public:
    explicit CInstance(uint32_t uChannels = 2, double fRate = 48000.0, uint32_t uMaxFrames = 4800)
        : m_fRate(fRate), m_pDesc(Descriptor(uChannels - 1)), m_In(uChannels, std::vector<float>(uMaxFrames)), m_Out(m_In)
    {
        const CModDelayModule engine;
        for (uint32_t i = 0; i < kControlPorts; ++i)
            m_fControls[i] = engine.getControlValue(i);
        m_fControls[4] = -96.0f;
        m_fControls[5] = 0.0f;
        m_h = m_pDesc ? m_pDesc->instantiate(m_pDesc, fRate, BW_LV2_BUNDLE, nullptr) : nullptr;
        if (!m_h)
            throw std::runtime_error("no instance of " + std::to_string(uChannels) + " channel(s)");
        for (uint32_t i = 0; i < kControlPorts; ++i)
            m_pDesc->connect_port(m_h, i, &m_fControls[i]);
        m_pDesc->connect_port(m_h, kMeterPortL, &m_fMeterIn);
        m_pDesc->connect_port(m_h, kMeterPortR, &m_fMeterOut);
        ConnectAudio(m_Out);
        m_pDesc->activate(m_h);
    }
    ~CInstance()
    {
        m_pDesc->deactivate(m_h);
        m_pDesc->cleanup(m_h);
    }
    // The outputs on these buffers (the inputs, for in-place processing).
    void ConnectAudio(Buffers& out)
    {
        for (uint32_t c = 0; c < m_In.size(); ++c) {
            m_pDesc->connect_port(m_h, kFirstAudioPort + c, m_In[c].data());
            m_pDesc->connect_port(m_h, kFirstAudioPort + m_In.size() + c, out[c].data());
        }
    }
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
        for (size_t n = 0; n < m_fRate / 2; n += m_In[0].size())
            Run(uint32_t(m_In[0].size()));
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
    float m_fControls[kControlPorts];
    float m_fMeterIn = -1.0f, m_fMeterOut = -1.0f;
    Buffers m_In, m_Out;
    LV2_Handle m_h = nullptr;
};

float MaxDifference(const Buffers& a, const Buffers& b, uint32_t uFrames)
{
    float f = 0.0f;
    for (size_t c = 0; c < a.size(); ++c)
        for (uint32_t n = 0; n < uFrames; ++n)
            f = std::fmax(f, std::fabs(a[c][n] - b[c][n]));
    return f;
}

TEST(Lv2Plugin, RunNeitherAllocatesNorLocksEvenWhenEveryControlMoves)
{
    uintptr_t nBegin = 0, nEnd = 0;
    for (uint32_t uChannels : {1u, 2u}) {
        CInstance inst(uChannels, 48000.0, 256);
        ASSERT_TRUE(FindLoadedLibrary("/brindlewarbler.so", nBegin, nEnd));
        inst.Run(256, 0.5f);
        // Every switch through every entry, every knob to both ends, noise reduction on.
        for (int step = 0; step < 8; ++step) {
            std::fill(std::begin(inst.m_fControls), std::end(inst.m_fControls), (step & 1) ? 1000.0f : -1000.0f);
            inst.m_fControls[10 + step % 6] = float(step % 5);
            ArmProbe(nBegin, nEnd);
            inst.Run(256, 0.5f);
            const SProbeCounts counts = DisarmProbe();
            EXPECT_EQ(counts.m_nAllocations + counts.m_nFrees + counts.m_nModuleLocks + counts.m_nOtherLocks, 0)
                << uChannels << " channel(s), step " << step;
        }
    }
}

TEST(Lv2Plugin, HostileValuesAreRefusedOrActAsTheRangeEnds)
{
    EXPECT_EQ(Descriptor(2), nullptr);
    for (uint32_t d : {0u, 1u})
        for (double fRate : {0.0, -48000.0, std::numeric_limits<double>::quiet_NaN()})
            EXPECT_EQ(Descriptor(d)->instantiate(Descriptor(d), fRate, BW_LV2_BUNDLE, nullptr), nullptr) << d << " " << fRate;
    // Beyond the ranges acts as the range ends, NaN is ignored, past the last entry is the last.
    CInstance wild, sane;
    for (auto [uPort, fWild, fSane] : {std::tuple{8u, 100.0f, 12.0f},  // Input
                                       {6u, 1.0e9f, 10.0f},              // Saturation
                                       {0u, NAN, sane.m_fControls[0]},   // Wow Depth
                                       {11u, 7.0f, 3.0f}}) {             // Tape Type: BYPASS
        wild.m_fControls[uPort] = fWild;
        sane.m_fControls[uPort] = fSane;
    }
    wild.Settle();
    sane.Settle();
    for (uint32_t block = 0; block < 10; ++block) {
        wild.Run(4800, 0.5f, block * 4800);
        sane.Run(4800, 0.5f, block * 4800);
        ASSERT_LT(MaxDifference(wild.m_Out, sane.m_Out, 4800), 1.0e-3f) << "block " << block;  // quiet hiss apart
    }
}

TEST(Lv2Plugin, AnActivationStartsAtTheHostsValuesThatLaterGlideAtTheHostsRate)
{
    // An offline bounce runs from the first block: Output at -12 dB is 12 dB down there, not
    // gliding from 0 dB. A later change glides with the engine's smoother (its tests): a time
    // constant of 100 ms / 2 pi, about 16 ms, if the plug-in gave it the host's 96 kHz. A
    // re-activation is a start again, and deep wow (3.5 ms of the past in the delay lines)
    // must not play the past back.
    CInstance down(2, 96000.0, 9600), level(2, 96000.0, 9600);
    const auto ratio = [&](uint32_t uFrom, uint32_t uTo) {
        down.Run(9600, 0.5f);
        level.Run(9600, 0.5f);
        return down.PeakOut(uFrom, uTo) / level.PeakOut(uFrom, uTo);
    };
    down.m_fControls[9] = -12.0f;
    EXPECT_NEAR(ratio(0, 9600), std::pow(10.0f, -12.0f / 20.0f), 0.005f);
    // Peaks over one period of the sine from 9 ms on: -12 e^(-t/16 ms) dB gives 0.45 to 0.51;
    // 0.67 if the engine ran at 44.1 kHz, 1 on a jump.
    down.m_fControls[9] = 0.0f;
    const float fAt10ms = ratio(864, 864 + 221);
    EXPECT_TRUE(fAt10ms > 0.42f && fAt10ms < 0.55f) << fAt10ms;
    down.m_fControls[0] = level.m_fControls[0] = 100.0f;
    for (uint32_t block = 0; block < 5; ++block)
        ratio(0, 9600);
    down.m_fControls[9] = -6.0f;
    down.Reactivate();
    level.Reactivate();
    EXPECT_NEAR(ratio(0, 9600), std::pow(10.0f, -6.0f / 20.0f), 0.005f);
    down.Reactivate();
    down.Run(960);  // silence in: a fresh start gives a peak of about 1e-3 out, the past played back 0.35
    EXPECT_LT(down.PeakOut(0, 960), 1.0e-2f) << "the past played back";
}

// What a meter shows is the engine's (its tests); here the ports that carry it, per run, even
// when the output overwrites the input.
TEST(Lv2Plugin, ProcessesInPlaceWhenTheHostSharesBuffersWithTheMetersOfEachRun)
{
    for (uint32_t uChannels : {1u, 2u}) {
        CInstance shared(uChannels), apart(uChannels);
        shared.m_fControls[0] = apart.m_fControls[0] = 60.0f;
        shared.Settle();
        apart.Settle();
        shared.ConnectAudio(shared.m_In);
        for (uint32_t block = 0; block < 5; ++block) {
            const float fPeak = block < 4 ? 0.25f : 0.0f;  // in silence the equaliser's tail still shows
            shared.Run(4800, fPeak, block * 4800);
            apart.Run(4800, fPeak, block * 4800);
            ASSERT_LT(MaxDifference(shared.m_In, apart.m_Out, 4800), 1.0e-3f) << uChannels << " channel(s), block " << block;
            EXPECT_NEAR(shared.m_fMeterIn, fPeak, 5.0e-4f) << uChannels << " channel(s), block " << block;
            EXPECT_NEAR(shared.m_fMeterOut, apart.PeakOut(0, 4800), 1.0e-4f) << uChannels << " channel(s), block " << block;
        }
    }
}

}  // namespace
