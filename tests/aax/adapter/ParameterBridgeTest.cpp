// The host parameters of BrindleWarbler.so, its state chunk, and how host changes reach the
// engine in numbered batches.

#include "AAX_CString.h"
#include "ModuleScenarios.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string TextOf(CTestInstance& t, const char* pID, double fNormalised)
{
    AAX_CString text;
    t.Params().GetParameterStringFromValue(pID, fNormalised, &text, 64);
    return text.StdString();
}

}  // namespace

// Names, steps, ranges and list texts are the params snapshot; these are the tapers between.
TEST(HostParameters, TapersBetweenTheEnds)
{
    CTestInstance t(TheEffect(), kStereoComponent);
    EXPECT_EQ(TextOf(t, "6", 0.0), "0.00 ");  // no units: the number and a single blank
    EXPECT_EQ(TextOf(t, "1", 0.5), "50.00 %");
    EXPECT_EQ(TextOf(t, "9", 0.25), "-6.00 dB");
    EXPECT_EQ(TextOf(t, "14", 0.5), "used");
    // Tape Hiss has the log taper: the bottom decade is the minimum, the middle is not linear.
    EXPECT_EQ(TextOf(t, "5", 0.003), "-96.00 dB");
    EXPECT_NE(TextOf(t, "5", 0.5), "-63.00 dB");
}

// The state end to end (the record itself is tested in the library): a restored instance
// sounds the same and saves the same bytes again.
TEST(HostState, RestoredChunkGivesTheSameAudioAndTheSameRecord)
{
    CHostAudioThread audio;
    const char* ids[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "19", "20"};
    SAudio first(2, 512), second(2, 512);
    first.FillSine(0);
    second.m_In = first.m_In;

    CTestInstance a(TheEffect(), kStereoComponent, 11u);
    for (size_t k = 0; k < std::size(ids); ++k)
        a.Set(ids[k], 0.15 + 0.04 * double(k));
    a.Render(audio, first, 5u);
    const std::vector<unsigned char> record = a.Host().SaveState(AAX_FourCC("elck"));

    CTestInstance b(TheEffect(), kStereoComponent, 11u);
    ASSERT_EQ(b.Host().RestoreState(AAX_FourCC("elck"), record), AAX_SUCCESS);
    b.Host().Automation().ProcessPending();
    b.Render(audio, second, 5u);
    EXPECT_EQ(first.m_Out, second.m_Out);
    EXPECT_NE(first.m_Out[0], first.m_In[0]);
    b.Host().Automation().ProcessPending();  // the meters the render published
    a.Host().Automation().ProcessPending();
    EXPECT_EQ(b.Host().SaveState(AAX_FourCC("elck")), a.Host().SaveState(AAX_FourCC("elck")));
}

TEST(ParameterBatches, ABatchWaitsForItsNumber)
{
    CHostAudioThread audio;
    CTestInstance t(TheEffect(), kStereoComponent);
    CHostController& controller = t.Host().Controller();
    auto latest = [&] {
        int64_t n = -1;
        const std::vector<unsigned char> packet = controller.LatestPacket(7);
        if (packet.size() == 8)
            std::memcpy(&n, packet.data(), 8);
        return n;
    };
    // Calls without changes still post consecutive numbers.
    for (int64_t k = 0; k <= 10; ++k) {
        if (k == 10)  // a change: the batch of number 10 holds it
            t.Params().UpdateParameterNormalizedValue("14", 1.0, 0);
        ASSERT_EQ(t.Params().GenerateCoefficients(), AAX_SUCCESS);
        ASSERT_EQ(latest(), k);
    }

    const int64_t nine = 9, ten = 10;
    SAudio io(2, 64);
    controller.PostPacket(7, &nine, 8);  // the host has delivered only up to 9
    t.Render(audio, io);
    EXPECT_EQ(t.Engine().tapeAge, 0u);
    controller.PostPacket(7, &ten, 8);
    t.Render(audio, io);
    EXPECT_EQ(t.Engine().tapeAge, 4u);
}

// A change pending when the parameters go away must not be turned into a batch afterwards
// (the sanitizer build would see the freed parameter).
TEST(ParameterBatches, PendingChangesDieWithTheirParameters)
{
    CHostAudioThread audio;
    CTestInstance t(TheEffect(), kStereoComponent);
    ASSERT_EQ(t.Params().UpdateParameterNormalizedValue("12", 1.0, 0), AAX_SUCCESS);
    ASSERT_EQ(t.Params().Uninitialize(), AAX_SUCCESS);
    EXPECT_EQ(t.Params().GenerateCoefficients(), AAX_ERROR_NULL_OBJECT);  // no controller left
    SAudio io(2, 64);
    io.FillSine(0);
    t.Render(audio, io);
    EXPECT_EQ(t.Engine().tapeType, 0u);
}
