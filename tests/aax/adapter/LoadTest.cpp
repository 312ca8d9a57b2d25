// Many instances in one host: 64 stereo instances rendering buffer after buffer on one audio
// thread, each as if it were alone. The audio thread's generator is seeded before every
// render call, so an instance's output depends only on its own state and settings.

#include "ModuleScenarios.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kInstances = 64, kSettings = 4, kBuffers = 24, kFrames = 512;

// Setting s: the every-stage settings, then the presets 1988, Lost Tape and Disintegrated.
void ApplySetting(CTestInstance& t, int nSetting)
{
    static const int kPresets[kSettings - 1] = {4, 7, 10};
    if (nSetting == 0)
        ApplyEveryStage(t);
    else
        ApplyPreset(t, kPresets[nSetting - 1]);
}

}  // namespace

TEST(Load, SixtyFourStereoInstancesEachRenderAsIfAlone)
{
    CHostAudioThread audio;

    // One instance of each setting alone.
    std::vector<std::vector<SAudio>> reference(kSettings);
    for (int s = 0; s < kSettings; ++s) {
        CTestInstance alone(TheEffect(), kStereoComponent, 300u + uint32_t(s));
        ApplySetting(alone, s);
        for (int b = 0; b < kBuffers; ++b) {
            SAudio io(2, kFrames);
            io.FillSine(int64_t(b) * kFrames, 0.6f);
            alone.Render(audio, io, 7000u + uint32_t(b));
            reference[size_t(s)].push_back(std::move(io));
        }
    }

    std::vector<std::unique_ptr<CTestInstance>> instances;
    for (int k = 0; k < kInstances; ++k) {
        instances.push_back(std::make_unique<CTestInstance>(TheEffect(), kStereoComponent, 300u + uint32_t(k % kSettings)));
        ApplySetting(*instances.back(), k % kSettings);
    }
    SAudio io(2, kFrames);
    for (int b = 0; b < kBuffers; ++b) {
        for (int k = 0; k < kInstances; ++k) {
            io.FillSine(int64_t(b) * kFrames, 0.6f);
            instances[size_t(k)]->Render(audio, io, 7000u + uint32_t(b));
            ASSERT_EQ(CountBadSamples(io, true), 0) << "instance " << k << " buffer " << b;
            ASSERT_EQ(io.m_Out, reference[size_t(k % kSettings)][size_t(b)].m_Out) << "instance " << k << " buffer " << b;
        }
    }
    EXPECT_GT(std::fabs(reference[0][kBuffers - 1].m_Out[0][100]) + std::fabs(reference[1][kBuffers - 1].m_Out[1][200]), 0.0f);
}
