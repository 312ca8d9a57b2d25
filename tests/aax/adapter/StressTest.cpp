// One parameter thread changes every parameter thousands of times while the audio thread
// renders without pause. Run under ThreadSanitizer in the sanitizer build: no report, no
// lost final value, no sample that is not finite, and (under AddressSanitizer) no leak.

#include "ModuleScenarios.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <string>
#include <thread>

namespace {

constexpr int kRounds = 3000;

// The normalised value round r gives parameter k.
double ValueFor(int r, int k)
{
    return std::fmod(0.137 * double(r) + 0.071 * double(k), 1.0);
}

}  // namespace

TEST(ParameterStress, EveryFinalValueReachesTheEngineWhileRendering)
{
    CHostAudioThread audio;
    CTestInstance t(TheEffect(), kStereoComponent);
    const std::vector<std::string> ids = HostIDs();

    SAudio io(2, 128);
    io.FillSine(0);
    const std::vector<const float*> in = io.InPointers();
    std::vector<float*> out = io.OutPointers();
    int64_t nNonFinite = 0;  // audio thread only; read after the loop has stopped
    std::atomic<uint64_t> nRendered{0};
    audio.StartLoop([&] {
        t.Host().Render(in.data(), out.data(), io.Frames());
        nRendered.fetch_add(1, std::memory_order_release);
        nNonFinite += CountBadSamples(io, false);
        return true;
    });

    // The parameter thread: host requests answered on the same thread, timer every 16 rounds.
    std::thread parameterThread([&] {
        for (int r = 0; r < kRounds; ++r) {
            for (size_t k = 0; k < ids.size(); ++k) {
                const bool bBypass = ids[k] == "MasterBypassID";
                const double v = bBypass ? double(r % 2 == 0 && r + 1 < kRounds) : ValueFor(r, int(k));
                t.Params().SetParameterNormalizedValue(ids[k].c_str(), v);
            }
            t.Host().Automation().ProcessPending();
            if (r % 16 == 0)
                t.Params().TimerWakeup();
            // On a loaded machine the audio thread may not be scheduled at all: wait for a
            // render now and then, so the changes really overlap the renders.
            if (r % 200 == 0) {
                const uint64_t nSeen = nRendered.load(std::memory_order_acquire);
                const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
                while (nRendered.load(std::memory_order_acquire) == nSeen && std::chrono::steady_clock::now() < deadline)
                    std::this_thread::yield();
            }
        }
    });
    parameterThread.join();
    const uint64_t nRenders = audio.StopLoop();
    EXPECT_GT(nRenders, 10u);
    EXPECT_EQ(nNonFinite, 0);
    EXPECT_EQ(t.Host().Automation().DroppedCount(), 0u);

    // Drain: every queued batch is applied within a few renders of its number being posted.
    for (int k = 0; k < 8; ++k) {
        t.Host().Automation().ProcessPending();
        ASSERT_EQ(t.Params().GenerateCoefficients(), AAX_SUCCESS);
        SAudio drain(2, 64);
        t.Render(audio, drain);
        t.Params().TimerWakeup();
    }

    for (int i = 0; i < kControls; ++i)
        ExpectEngineHolds(t, i, ValueFor(kRounds - 1, i));
    for (int k = 0; k < 2; ++k) {  // the joystick axes follow the controls in the list above
        float fAxis = 0.0f;
        ASSERT_TRUE(t.Parameter(kJoystickIDs[k])->GetFloatFromNormalizedValue(ValueFor(kRounds - 1, kControls + k), &fAxis));
        EXPECT_NEAR((k == 0 ? t.Engine().m_JoystickX : t.Engine().m_JoystickY).m_fJoystickValue, fAxis, 1e-6f) << k;
    }

    // The bypass ended off: the engine processes again.
    t.Render(audio, io);
    EXPECT_NE(io.m_Out, io.m_In);
}
