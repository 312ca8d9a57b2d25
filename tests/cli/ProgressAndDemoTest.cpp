// The progress line, level measurement and the demo's synthesised piece.

#include "CProgressBar.h"
#include "DemoSynth.h"
#include "Levels.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(ProgressBar, ShowsPercentSpeedAndTimeLeftOnlyWhenEnabled)
{
    EXPECT_EQ(CProgressBar::Format(0.5, 312.4, 75.2, 10), "[#####.....]  50%  312x real time  1:16 left");
    EXPECT_EQ(CProgressBar::Format(0.0, 0.0, -1.0, 4), "[....]   0%");
    EXPECT_EQ(CProgressBar::Format(1.7, 2.25, 0.0, 4), "[####] 100%  2.2x real time  0:00 left");
    EXPECT_EQ(CProgressBar::Format(NAN, NAN, NAN, 2), "[..]   0%");

    char* pText = nullptr;
    size_t nBytes = 0;
    std::FILE* pOut = open_memstream(&pText, &nBytes);
    CProgressBar(false, 10.0, pOut).Update(5.0);
    CProgressBar(true, 10.0, pOut).Update(10.0);  // draws, and clears its line when it goes
    std::fclose(pOut);
    const std::string text(pText, nBytes);
    std::free(pText);
    EXPECT_EQ(text.rfind("\r[", 0), 0u);  // only the enabled bar wrote
    EXPECT_NE(text.find("100%"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 4), "\r\033[K");
}

TEST(Levels, MeasuresPeakAndRms)
{
    std::vector<float> sine(48000);
    for (size_t i = 0; i < sine.size(); ++i)
        sine[i] = 0.5f * float(std::sin(2.0 * M_PI * 1000.0 * double(i) / 48000.0));
    const SLevels levels = MeasureLevels(sine.data(), sine.size());
    EXPECT_NEAR(levels.m_fPeak_dBFS, -6.02, 0.01);
    EXPECT_NEAR(levels.m_fRMS_dBFS, -9.03, 0.01);
    const std::vector<float> silence(100, 0.0f);
    EXPECT_LE(MeasureLevels(silence.data(), silence.size()).m_fPeak_dBFS, -199.0);
}

TEST(DemoPiece, IsAStereoPieceWithHitsPeakingAtMinus3dBFS)
{
    const SDemoPiece piece = SynthesiseDemoPiece(44100, 6.0);
    ASSERT_EQ(piece.Frames(), 6u * 44100u);
    const SLevels levels = MeasureLevels(piece.m_Interleaved.data(), piece.m_Interleaved.size());
    EXPECT_NEAR(levels.m_fPeak_dBFS, -3.0, 0.01);
    EXPECT_GT(levels.m_fRMS_dBFS, -25.0);

    // The two channels differ (panned parts) but agree in polarity, and every beat starts with
    // a hit: the 10 ms after a beat are louder than the 10 ms before it.
    double fDiff = 0.0, fProduct = 0.0;
    for (size_t f = 0; f < piece.Frames(); ++f) {
        fDiff += std::fabs(piece.m_Interleaved[2 * f] - piece.m_Interleaved[2 * f + 1]);
        fProduct += piece.m_Interleaved[2 * f] * piece.m_Interleaved[2 * f + 1];
    }
    EXPECT_GT(fDiff / double(piece.Frames()), 1e-3);
    EXPECT_GT(fProduct, 0.0);
    for (int beat = 1; beat < 12; ++beat) {
        const size_t at = size_t(beat) * 22050;
        const SLevels before = MeasureLevels(&piece.m_Interleaved[2 * (at - 441)], 882);
        const SLevels after = MeasureLevels(&piece.m_Interleaved[2 * at], 882);
        EXPECT_GT(after.m_fRMS_dBFS, before.m_fRMS_dBFS + 3.0) << "beat " << beat;
    }
    // Made from nothing but itself: the same every time.
    EXPECT_EQ(SynthesiseDemoPiece(44100, 1.0).m_Interleaved, SynthesiseDemoPiece(44100, 1.0).m_Interleaved);
}
