// What a plug-in validator checks of BrindleWarbler.so: clean output (no NaN, infinity or
// subnormal) at the common rates and buffer sizes for every factory preset and random
// settings, and state chunks that survive a save, restore and save unchanged.

#include "ModuleScenarios.h"

#include "AAX_CEffectParameters.h"
#include "TapePresets.h"

#include <gtest/gtest.h>

namespace {

const SHostEffect& TheEffect()
{
    return Effect(LoadedModule(BW_MODULE_PATH));
}

constexpr int kRandomSetsPerRate = 3;
constexpr int kRandomStates = 6;

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
            FillTone(io, nDone, fRate, 0.9f);
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

// Saves a state, restores it into a fresh instance, saves that: the two records are equal to
// the byte. The first instance has rendered, so its meters hold values too.
void ExpectStateRoundTrip(CTestInstance& source, const std::string& what)
{
    CHostAudioThread audio;
    SAudio io(2, 512);
    io.FillSine(0, 0.8f);
    source.Render(audio, io);
    source.Host().Automation().ProcessPending();
    const std::vector<unsigned char> saved = source.Host().SaveState(AAX_CEffectParameters::kControlsChunkID);
    ASSERT_FALSE(saved.empty()) << what;

    CTestInstance copy(TheEffect(), kStereoComponent);
    ASSERT_EQ(copy.Host().RestoreState(AAX_CEffectParameters::kControlsChunkID, saved), AAX_SUCCESS) << what;
    copy.Host().Automation().ProcessPending();
    const std::vector<unsigned char> again = copy.Host().SaveState(AAX_CEffectParameters::kControlsChunkID);
    ASSERT_EQ(again.size(), saved.size()) << what;
    for (size_t i = 0; i < saved.size(); ++i)
        ASSERT_EQ(again[i], saved[i]) << what << ": first difference at byte " << i;
}

TEST(StateChunks, SaveRestoreSaveIsByteIdentical)
{
    {
        CTestInstance t(TheEffect(), kStereoComponent);
        ExpectStateRoundTrip(t, "defaults");
    }
    for (int nSlot = 0; nSlot < kTapePresetCount; ++nSlot) {
        CTestInstance t(TheEffect(), kStereoComponent);
        ApplyPreset(t, nSlot);
        ExpectStateRoundTrip(t, std::string("preset ") + kTapePresetNames[nSlot]);
    }
    for (int k = 0; k < kRandomStates; ++k) {
        const uint32_t nSeed = 2000u + uint32_t(k);
        std::mt19937 rng(nSeed);
        CTestInstance t(TheEffect(), kStereoComponent);
        const std::vector<double> values = ApplyRandomSet(t, rng);
        ExpectStateRoundTrip(t, DescribeSet(nSeed, values));
    }
}
