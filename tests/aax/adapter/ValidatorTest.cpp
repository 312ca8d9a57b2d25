// What a plug-in validator checks of BrindleWarbler.so: clean output (no NaN, infinity or
// subnormal) at the common rates and buffer sizes for every factory preset and random settings.

#include "ModuleScenarios.h"

#include "TapePresets.h"

#include <gtest/gtest.h>

namespace {

const SHostEffect& TheEffect()
{
    return Effect(LoadedModule(BW_MODULE_PATH));
}

constexpr int kRandomSetsPerRate = 3;

// A loud passage, then silence (where decaying tails would turn subnormal), in buffers whose
// size changes from 64 to 1024 frames call to call.
SOutputScan RenderLoudThenSilent(CTestInstance& t, float fRate, uint32_t nAudioSeed)
{
    static const int kSizes[] = {64, 1024, 128, 512, 256, 1000, 96, 1024};
    CHostAudioThread audio;
    SOutputScan scan;
    const int64_t nLoud = int64_t(0.15 * fRate), nTotal = int64_t(0.4 * fRate);
    int64_t nDone = 0;
    for (size_t k = 0; nDone < nTotal; ++k) {
        SAudio io(2, kSizes[k % std::size(kSizes)]);
        if (nDone < nLoud)
            io.FillSine(nDone, 0.9f);
        t.Render(audio, io, k == 0 ? std::optional<uint32_t>(nAudioSeed) : std::nullopt);
        scan.Scan(io, nDone);
        nDone += io.Frames();
    }
    return scan;
}

std::string Report(const SOutputScan& scan)
{
    return ::testing::PrintToString(scan.m_nNonFinite) + " non-finite, " + ::testing::PrintToString(scan.m_nSubnormal) +
           " subnormal; first at frame " + std::to_string(scan.m_nFirstBad) + ": " + std::to_string(scan.m_fFirstBad);
}

}  // namespace

TEST(Validator, OutputIsCleanForEveryPresetAndRandomSettingsAtEachRate)
{
    const float rates[] = {44100.0f, 48000.0f, 96000.0f};
    for (size_t r = 0; r < std::size(rates); ++r) {
        const float fRate = rates[r];
        SCOPED_TRACE(::testing::Message() << fRate << " Hz");
        for (int nSlot = 0; nSlot < kTapePresetCount; ++nSlot) {
            CTestInstance t(TheEffect(), kStereoComponent, 11u, fRate, 1024);
            ApplyPreset(t, nSlot);
            const SOutputScan scan = RenderLoudThenSilent(t, fRate, 21u);
            EXPECT_TRUE(scan.Clean()) << "preset " << nSlot << " " << kTapePresetNames[nSlot] << ": " << Report(scan);
        }
        for (int k = 0; k < kRandomSetsPerRate; ++k) {
            const uint32_t nSeed = 1000u + 10u * uint32_t(r) + uint32_t(k);
            std::mt19937 rng(nSeed);
            CTestInstance t(TheEffect(), kStereoComponent, nSeed, fRate, 1024);
            const std::vector<double> values = ApplyRandomSet(t, rng);
            const SOutputScan scan = RenderLoudThenSilent(t, fRate, nSeed);
            EXPECT_TRUE(scan.Clean()) << DescribeSet(nSeed, values) << ": " << Report(scan);
        }
    }
}
