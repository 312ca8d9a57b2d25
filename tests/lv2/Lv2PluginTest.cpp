// The built LV2 binary driven the way a host drives it: dlopen, lv2_descriptor, instantiate,
// connect, activate, run. Checks what the external tools cannot see: allocation in run,
// hostile control values, meter ports, the start at the host's values, smoothing of later
// control changes, re-activation.
#include "BwLv2Ports.h"

#include <gtest/gtest.h>
#include <lv2/core/lv2.h>

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>
#include <string>
#include <vector>

// Counts every operator new in the process, the plug-in's included: its calls bind to these.
// (They are the replacement pair, so malloc/free inside them is the matching pair.) Not under
// AddressSanitizer, whose own operator new the runtime libraries keep using.
static std::atomic<long> g_nAllocations{0};

#if defined(__SANITIZE_ADDRESS__)
#define BW_COUNTS_ALLOCATIONS 0
#else
#define BW_COUNTS_ALLOCATIONS 1

#if !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t uSize)
{
    ++g_nAllocations;
    if (void* p = std::malloc(uSize ? uSize : 1))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t uSize) { return operator new(uSize); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#if !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#endif

namespace {

using namespace bwlv2;

constexpr double kRate = 48000.0;

class Library {
public:
    Library() : m_pHandle(dlopen(BW_LV2_BINARY, RTLD_NOW | RTLD_LOCAL))
    {
        if (m_pHandle)
            m_pEntry = reinterpret_cast<LV2_Descriptor_Function>(dlsym(m_pHandle, "lv2_descriptor"));
    }
    ~Library()
    {
        if (m_pHandle)
            dlclose(m_pHandle);
    }
    const LV2_Descriptor* descriptor(uint32_t i) const { return m_pEntry ? m_pEntry(i) : nullptr; }
    const char* error() const { return m_pHandle ? "" : dlerror(); }

private:
    void* m_pHandle;
    LV2_Descriptor_Function m_pEntry = nullptr;
};

const Library& library()
{
    static const Library lib;
    return lib;
}

// One instance with every port connected to buffers of its own; controls at their defaults.
class Instance {
public:
    Instance(uint32_t uChannels, uint32_t uMaxFrames, double dRate = kRate)
        : m_uChannels(uChannels), m_dRate(dRate), m_pDesc(library().descriptor(uChannels == 1 ? 0 : 1)),
          m_In(uChannels, std::vector<float>(uMaxFrames)), m_Out(uChannels, std::vector<float>(uMaxFrames))
    {
        // Defaults as the descriptions give them (Tape Hiss -42 dB, Flutter Rate 5 Hz, ...).
        const float defaults[kControlPorts] = {0, 0.18f, 0, 5, -42, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        std::copy(std::begin(defaults), std::end(defaults), m_fControls);
        if (!m_pDesc)
            return;
        m_h = m_pDesc->instantiate(m_pDesc, dRate, BW_LV2_BUNDLE, nullptr);
        if (!m_h)
            return;
        for (uint32_t i = 0; i < kControlPorts; ++i)
            m_pDesc->connect_port(m_h, i, &m_fControls[i]);
        m_pDesc->connect_port(m_h, kMeterPortL, &m_fMeterL);
        m_pDesc->connect_port(m_h, kMeterPortR, &m_fMeterR);
        for (uint32_t c = 0; c < uChannels; ++c) {
            m_pDesc->connect_port(m_h, kFirstAudioPort + c, m_In[c].data());
            m_pDesc->connect_port(m_h, kFirstAudioPort + uChannels + c, m_Out[c].data());
        }
        m_pDesc->activate(m_h);
    }
    ~Instance()
    {
        if (m_h) {
            m_pDesc->deactivate(m_h);
            m_pDesc->cleanup(m_h);
        }
    }
    bool ok() const { return m_h != nullptr; }
    void set(uint32_t uPort, float f) { m_fControls[uPort] = f; }
    void run(uint32_t uFrames) { m_pDesc->run(m_h, uFrames); }
    void reactivate()
    {
        m_pDesc->deactivate(m_h);
        m_pDesc->activate(m_h);
    }
    // Fills every input with the same sine of the given peak.
    void sine(float fPeak, uint32_t uFrames, uint32_t uStart = 0)
    {
        for (auto& ch : m_In)
            for (uint32_t n = 0; n < uFrames; ++n)
                ch[n] = fPeak * static_cast<float>(std::sin(2.0 * M_PI * 441.0 * (uStart + n) / m_dRate));
    }
    void silence()
    {
        for (auto& ch : m_In)
            std::fill(ch.begin(), ch.end(), 0.0f);
    }
    float peakOut(uint32_t uFrom, uint32_t uTo) const
    {
        float f = 0.0f;
        for (const auto& ch : m_Out)
            for (uint32_t n = uFrom; n < uTo; ++n)
                f = std::fmax(f, std::fabs(ch[n]));
        return f;
    }
    bool allFinite(uint32_t uFrames) const
    {
        for (const auto& ch : m_Out)
            for (uint32_t n = 0; n < uFrames; ++n)
                if (!std::isfinite(ch[n]))
                    return false;
        return true;
    }

    uint32_t m_uChannels;
    double m_dRate;
    const LV2_Descriptor* m_pDesc;
    LV2_Handle m_h = nullptr;
    float m_fControls[kControlPorts];
    float m_fMeterL = -1.0f, m_fMeterR = -1.0f;
    std::vector<std::vector<float>> m_In, m_Out;
};

// Quiet hiss and no dropouts: what is left is the deterministic chain.
void quiet(Instance& inst)
{
    inst.set(4, -96.0f);
    inst.set(5, 0.0f);
}

// Runs half a second of silence before the test signal.
void settle(Instance& inst)
{
    inst.silence();
    const auto uBlock = static_cast<uint32_t>(inst.m_In[0].size());
    for (auto uLeft = static_cast<uint32_t>(inst.m_dRate / 2); uLeft > 0;) {
        const uint32_t n = std::min(uLeft, uBlock);
        inst.run(n);
        uLeft -= n;
    }
}

TEST(Lv2Plugin, ExportsTheMonoAndStereoPluginsAndNothingMore)
{
    ASSERT_NE(library().descriptor(0), nullptr) << library().error();
    EXPECT_STREQ(library().descriptor(0)->URI, kMonoUri);
    ASSERT_NE(library().descriptor(1), nullptr);
    EXPECT_STREQ(library().descriptor(1)->URI, kStereoUri);
    EXPECT_EQ(library().descriptor(2), nullptr);
}

TEST(Lv2Plugin, RefusesAnUnusableSampleRate)
{
    const LV2_Descriptor* d = library().descriptor(1);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->instantiate(d, 0.0, BW_LV2_BUNDLE, nullptr), nullptr);
    EXPECT_EQ(d->instantiate(d, std::numeric_limits<double>::quiet_NaN(), BW_LV2_BUNDLE, nullptr), nullptr);
}

TEST(Lv2Plugin, RunAllocatesNothingEvenWhenEveryControlMoves)
{
    if (!BW_COUNTS_ALLOCATIONS)
        GTEST_SKIP() << "allocations are counted in the build without AddressSanitizer";
    for (uint32_t uChannels : {1u, 2u}) {
        Instance inst(uChannels, 256);
        ASSERT_TRUE(inst.ok());
        inst.sine(0.5f, 256);
        inst.run(256);
        const long nBefore = g_nAllocations.load();
        // Every switch through every entry, every knob to both ends, noise reduction on.
        for (int step = 0; step < 8; ++step) {
            for (uint32_t i = 0; i < kControlPorts; ++i)
                inst.set(i, (step & 1) ? 1000.0f : -1000.0f);
            inst.set(10 + static_cast<uint32_t>(step) % 6, static_cast<float>(step % 5));
            inst.run(256);
        }
        EXPECT_EQ(g_nAllocations.load(), nBefore) << uChannels << " channel(s)";
    }
}

TEST(Lv2Plugin, HostileControlValuesAreHeldToTheControlRanges)
{
    // A host may send anything: values beyond the ranges act as the range ends, NaN is ignored.
    Instance wild(2, 4800), sane(2, 4800);
    ASSERT_TRUE(wild.ok() && sane.ok());
    for (Instance* p : {&wild, &sane})
        quiet(*p);
    wild.set(8, 100.0f);    // Input: +100 dB acts as +12 dB
    sane.set(8, 12.0f);
    wild.set(6, 1.0e9f);    // Saturation beyond 10
    sane.set(6, 10.0f);
    wild.set(0, std::numeric_limits<float>::quiet_NaN());  // Wow Depth stays at 0
    wild.set(11, 7.0f);     // Tape Type past the last entry acts as BYPASS
    sane.set(11, 3.0f);
    settle(wild);
    settle(sane);
    for (int block = 0; block < 10; ++block) {
        wild.sine(0.5f, 4800, block * 4800);
        sane.sine(0.5f, 4800, block * 4800);
        wild.run(4800);
        sane.run(4800);
        ASSERT_TRUE(wild.allFinite(4800));
        float fDiff = 0.0f;
        for (uint32_t c = 0; c < 2; ++c)
            for (uint32_t n = 0; n < 4800; ++n)
                fDiff = std::fmax(fDiff, std::fabs(wild.m_Out[c][n] - sane.m_Out[c][n]));
        EXPECT_LT(fDiff, 1.0e-3f) << "block " << block;  // only the quiet hiss differs
    }
}

TEST(Lv2Plugin, MetersShowTheBlockPeakOfInputAfterGainAndOfOutput)
{
    for (uint32_t uChannels : {1u, 2u}) {
        Instance inst(uChannels, 4800);
        ASSERT_TRUE(inst.ok());
        quiet(inst);
        settle(inst);
        inst.sine(0.25f, 4800);
        inst.run(4800);
        EXPECT_NEAR(inst.m_fMeterL, 0.25f, 5.0e-4f) << uChannels;
        // Stereo: the mean of both channels' levels, which differ only by their own hiss.
        EXPECT_NEAR(inst.m_fMeterR, inst.peakOut(0, 4800), 1.0e-4f) << uChannels;

        inst.set(8, 6.0f);  // +6 dB in: the input meter follows once the gain has glided there
        for (int block = 0; block < 10; ++block) {
            inst.sine(0.25f, 4800, (block + 1) * 4800);
            inst.run(4800);
        }
        EXPECT_NEAR(inst.m_fMeterL, 0.25f * std::pow(10.0f, 6.0f / 20.0f), 1.0e-3f) << uChannels;

        inst.silence();
        inst.run(4800);  // the equaliser's tail still shows at the output
        inst.run(4800);
        EXPECT_EQ(inst.m_fMeterL, 0.0f);
        EXPECT_NEAR(inst.m_fMeterR, inst.peakOut(0, 4800), 1.0e-4f) << uChannels;
        EXPECT_LT(inst.m_fMeterR, 0.01f);  // the saturation curve's offset and quiet hiss
    }
}

TEST(Lv2Plugin, AControlChangeGlidesInTimeAtTheHostRate)
{
    // Output from 0 to -12 dB between two blocks: the engine's 100 ms smoother carries the
    // dB value, with a time constant of 100 ms / 2 pi (about 16 ms) whatever the host's rate.
    for (double dRate : {48000.0, 96000.0}) {
        const auto uBlock = static_cast<uint32_t>(dRate / 10);  // 100 ms
        const auto uMs = static_cast<uint32_t>(dRate / 1000);
        Instance inst(2, uBlock, dRate);
        ASSERT_TRUE(inst.ok());
        quiet(inst);
        settle(inst);
        inst.sine(0.5f, uBlock);
        inst.run(uBlock);
        const float fBefore = inst.peakOut(0, uBlock);
        inst.set(9, -12.0f);
        inst.sine(0.5f, uBlock, uBlock);
        inst.run(uBlock);
        // Peaks over one period of the 441 Hz sine: at once, and from 9 ms on.
        const float fAtOnce = inst.peakOut(0, 23 * uMs / 10) / fBefore;
        const float fAt10ms = inst.peakOut(9 * uMs, 9 * uMs + 23 * uMs / 10) / fBefore;
        for (int block = 2; block < 12; ++block) {
            inst.sine(0.5f, uBlock, block * uBlock);
            inst.run(uBlock);
        }
        const float fAfter = inst.peakOut(0, uBlock) / fBefore;
        EXPECT_GT(fAtOnce, 0.9f) << dRate;                  // no jump
        // -12 (1 - e^(-t/16 ms)) dB: 0.49 to 0.55 over the window; 0.37 if the engine ran
        // at 44.1 kHz, 0.25 on a jump.
        EXPECT_GT(fAt10ms, 0.46f) << dRate;
        EXPECT_LT(fAt10ms, 0.58f) << dRate;
        EXPECT_NEAR(fAfter, std::pow(10.0f, -12.0f / 20.0f), 0.01f) << dRate;  // and there
    }
}

TEST(Lv2Plugin, AFreshOrReactivatedInstanceStartsAtTheHostsValues)
{
    // An offline bounce runs from the first block: Output at -12 dB must already be 12 dB
    // down there, not glide from the 0 dB default; a re-activation is such a start again.
    Instance down(2, 4800), level(2, 4800);
    ASSERT_TRUE(down.ok() && level.ok());
    for (Instance* p : {&down, &level})
        quiet(*p);
    down.set(9, -12.0f);
    const auto firstBlockRatio = [&] {
        for (Instance* p : {&down, &level}) {
            p->sine(0.5f, 4800);
            p->run(4800);
        }
        return down.peakOut(0, 4800) / level.peakOut(0, 4800);
    };
    EXPECT_NEAR(firstBlockRatio(), std::pow(10.0f, -12.0f / 20.0f), 0.005f);
    down.set(9, -6.0f);
    for (Instance* p : {&down, &level})
        p->reactivate();
    EXPECT_NEAR(firstBlockRatio(), std::pow(10.0f, -6.0f / 20.0f), 0.005f);
}

TEST(Lv2Plugin, ReactivationClearsTheSignalState)
{
    // Deep wow keeps up to 3.5 ms of the past in the delay lines; a re-activated instance
    // must sound like a fresh one, not play the past back.
    Instance used(2, 4800), fresh(2, 4800);
    ASSERT_TRUE(used.ok() && fresh.ok());
    for (Instance* p : {&used, &fresh}) {
        quiet(*p);
        p->set(0, 100.0f);
        settle(*p);
    }
    for (int block = 0; block < 5; ++block) {
        used.sine(0.9f, 4800, block * 4800);
        used.run(4800);
    }
    used.reactivate();
    used.silence();
    fresh.silence();
    used.run(4800);
    fresh.run(4800);
    float fDiff = 0.0f;
    for (uint32_t c = 0; c < 2; ++c)
        for (uint32_t n = 0; n < 480; ++n)
            fDiff = std::fmax(fDiff, std::fabs(used.m_Out[c][n] - fresh.m_Out[c][n]));
    EXPECT_LT(fDiff, 1.0e-3f);  // quiet hiss apart
}

TEST(Lv2Plugin, ProcessesInPlaceWhenTheHostSharesBuffers)
{
    // LV2 allows the input and output port to be one buffer unless the plug-in says otherwise.
    Instance shared(2, 4800), apart(2, 4800);
    ASSERT_TRUE(shared.ok() && apart.ok());
    for (Instance* p : {&shared, &apart}) {
        quiet(*p);
        p->set(0, 60.0f);
        settle(*p);
    }
    for (uint32_t c = 0; c < 2; ++c)
        shared.m_pDesc->connect_port(shared.m_h, kFirstAudioPort + 2 + c, shared.m_In[c].data());
    for (int block = 0; block < 4; ++block) {
        shared.sine(0.5f, 4800, block * 4800);
        apart.sine(0.5f, 4800, block * 4800);
        shared.run(4800);
        apart.run(4800);
        for (uint32_t c = 0; c < 2; ++c)
            for (uint32_t n = 0; n < 4800; ++n)
                ASSERT_NEAR(shared.m_In[c][n], apart.m_Out[c][n], 1.0e-3f) << block << "/" << c << "/" << n;
    }
}

}  // namespace
