// The analysis measurements against systems whose answers are known, the plot axes, ranges
// and panel frames.

#include "CPlot.h"
#include "CPlotAxis.h"
#include "Measurements.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>

namespace {

constexpr double kRate = 48000.0;
constexpr double kPi = std::numbers::pi;

double Db(double a) { return 20.0 * std::log10(a); }

TEST(Analysis, ResponseOfAOnePoleLowPassAndAPlainGain)
{
    // Left: y += a (x - y), |H| = a / |1 - (1 - a) e^-jw|; right: half the input.
    const double a = 0.2;
    double y = 0.0;
    const RenderFn render = [&](const float* pIn, float* pL, float* pR, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            y += a * (pIn[i] - y);
            pL[i] = float(y);
            pR[i] = 0.5f * pIn[i];
        }
    };
    const std::vector<SResponsePoint> points = MeasureResponse(render, kRate, -24.0, 20.0, 20000.0, 6);
    ASSERT_EQ(points.size(), 61u);
    EXPECT_NEAR(points.front().m_fHz, 20.0, 1e-9);
    EXPECT_NEAR(points.back().m_fHz, 20000.0, 1e-6);
    for (const SResponsePoint& p : points) {
        const double w = 2.0 * kPi * p.m_fHz / kRate;
        const double fExpected = Db(a / std::abs(1.0 - (1.0 - a) * std::polar(1.0, -w)));
        EXPECT_NEAR(p.m_fLeft_dB, fExpected, 0.02) << p.m_fHz << " Hz";
        EXPECT_NEAR(p.m_fRight_dB, Db(0.5), 0.02) << p.m_fHz << " Hz";
    }
}

TEST(Analysis, APolynomialCurveGivesItsHarmonicsAndLevelCurve)
{
    // y = x + b x^2 - c x^3 on A sin: fundamental A - 3cA^3/4, H2 bA^2/2, H3 cA^3/4, no others.
    const double b = 0.1, c = 0.2;
    const RenderFn render = [&](const float* pIn, float* pL, float* pR, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            const double x = pIn[i];
            pL[i] = pR[i] = float(x + b * x * x - c * x * x * x);
        }
    };
    const double A = 0.5;
    const SHarmonics h = MeasureHarmonics(render, kRate, 1000.0, Db(A));
    const double fFundamental = A - 0.75 * c * A * A * A;
    EXPECT_NEAR(h.m_fFundamental_dB, Db(fFundamental), 0.01);
    EXPECT_NEAR(h.m_fHarmonic_dBc[0], Db(b * A * A / 2.0 / fFundamental), 0.05);
    EXPECT_NEAR(h.m_fHarmonic_dBc[1], Db(c * A * A * A / 4.0 / fFundamental), 0.05);
    for (size_t k = 2; k < h.m_fHarmonic_dBc.size(); ++k)
        EXPECT_LT(h.m_fHarmonic_dBc[k], -100.0) << "H" << k + 2;
    EXPECT_TRUE(std::isnan(MeasureHarmonics(render, kRate, 5000.0, -6.0).m_fHarmonic_dBc[3]));  // H5 at 25 kHz

    const std::vector<SLevelPoint> curve = MeasureLevelCurve(render, kRate, 1000.0, -30.0, 0.0, 10.0, 0.1);
    ASSERT_EQ(curve.size(), 4u);
    for (const SLevelPoint& p : curve) {
        const double a = std::pow(10.0, p.m_fIn_dB / 20.0);
        EXPECT_NEAR(p.m_fOut_dB, Db(a - 0.75 * c * a * a * a), 0.01) << p.m_fIn_dB;
    }
}

TEST(Analysis, AFrequencyModulatedSineGivesItsDeviationInCents)
{
    // Instantaneous frequency f0 + d cos(2 pi fm t); the input is ignored.
    const double f0 = 1000.0, d = 10.0, fm = 4.0;
    size_t nFrame = 0;
    const RenderFn render = [&](const float*, float* pL, float* pR, size_t n) {
        for (size_t i = 0; i < n; ++i, ++nFrame) {
            const double t = double(nFrame) / kRate;
            pL[i] = pR[i] = float(0.25 * std::sin(2.0 * kPi * f0 * t + d / fm * std::sin(2.0 * kPi * fm * t)));
        }
    };
    const double fSettle = 0.5;
    const SPitchDeviation p = MeasurePitchDeviation(render, kRate, f0, fSettle, 2.0);
    ASSERT_NEAR(double(p.m_fCents.size()), 2.0 * f0, 2.0);
    for (size_t i = 0; i < p.m_fCents.size(); ++i) {
        const double fHz = f0 + d * std::cos(2.0 * kPi * fm * (p.m_fTime_s[i] + fSettle));
        ASSERT_NEAR(p.m_fCents[i], 1200.0 * std::log2(fHz / f0), 0.2) << "at " << p.m_fTime_s[i] << " s";
    }
    EXPECT_NEAR(p.m_fPeakToPeak_cents, 1200.0 * std::log2((f0 + d) / (f0 - d)), 0.2);
    EXPECT_NEAR(p.m_fRms_cents, 1200.0 * std::log2((f0 + d) / f0) / std::sqrt(2.0), 0.3);
}

TEST(Analysis, NoiseSpectrumReadsASineInItsBandAndWhiteNoiseAtItsPower)
{
    // Left: a -20 dBFS sine at 1 kHz. Right: uniform white noise of variance s2, of which the
    // 17.8 Hz to 22.4 kHz bands hold their share of 0 to 24 kHz.
    std::mt19937 generator(7);
    std::uniform_real_distribution<float> uniform(-0.1f, 0.1f);
    const double s2 = 0.2 * 0.2 / 12.0;
    size_t nFrame = 0;
    const RenderFn render = [&](const float*, float* pL, float* pR, size_t n) {
        for (size_t i = 0; i < n; ++i, ++nFrame) {
            pL[i] = float(0.1 * std::sin(2.0 * kPi * 1000.0 * double(nFrame) / kRate));
            pR[i] = uniform(generator);
        }
    };
    const SNoiseSpectrum s = MeasureNoiseSpectrum(render, kRate, 0.1, 4.0);
    ASSERT_EQ(s.m_Bands.size(), 31u);
    for (const SBandLevel& b : s.m_Bands) {
        if (std::fabs(b.m_fCentreHz - 1000.0) < 1.0) {
            EXPECT_NEAR(b.m_fLeft_dB, -20.0, 0.1);
        } else if (b.m_fCentreHz < 500.0 || b.m_fCentreHz > 2000.0) {
            EXPECT_LT(b.m_fLeft_dB, -100.0) << b.m_fCentreHz;
        }
        const double fWidth = b.m_fCentreHz * (std::pow(2.0, 1.0 / 6.0) - std::pow(2.0, -1.0 / 6.0));
        if (b.m_fCentreHz > 200.0) {  // enough bins to average
            EXPECT_NEAR(b.m_fRight_dB, 10.0 * std::log10(s2 * fWidth / (kRate / 2.0) / 0.5), 1.0) << b.m_fCentreHz;
        }
    }
    EXPECT_NEAR(s.m_fTotalLeft_dB, -20.0, 0.1);
    const double fShare = (1000.0 * std::pow(2.0, 13.0 / 3.0 + 1.0 / 6.0) - 1000.0 * std::pow(2.0, -17.0 / 3.0 - 1.0 / 6.0)) / (kRate / 2.0);
    EXPECT_NEAR(s.m_fTotalRight_dB, 10.0 * std::log10(s2 * fShare / 0.5), 0.2);
}

TEST(Analysis, PlotAxesMapValuesToPixels)
{
    const CPlotAxis logX(20.0, 20000.0, true, 64.0, 784.0);
    EXPECT_DOUBLE_EQ(logX.ToPixel(20.0), 64.0);
    EXPECT_NEAR(logX.ToPixel(20000.0), 784.0, 1e-9);
    EXPECT_NEAR(logX.ToPixel(200.0), 304.0, 1e-9);   // a decade is a third of the width
    EXPECT_NEAR(logX.ToPixel(std::sqrt(20.0 * 20000.0)), 424.0, 1e-9);
    EXPECT_EQ(logX.Ticks(), (std::vector<double>{20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000}));

    const CPlotAxis y(-30.0, 10.0, false, 450.0, 62.0);  // upward
    EXPECT_DOUBLE_EQ(y.ToPixel(-30.0), 450.0);
    EXPECT_DOUBLE_EQ(y.ToPixel(0.0), 450.0 - 0.75 * 388.0);
    EXPECT_EQ(y.Ticks(8), (std::vector<double>{-30, -25, -20, -15, -10, -5, 0, 5, 10}));
    EXPECT_EQ(CPlotAxis(-1.0, 1.0, false, 0, 1).Ticks(4), (std::vector<double>{-1, -0.5, 0, 0.5, 1}));

    for (const auto& [fValue, label] : {std::pair{2000.0, "2k"}, {20000.0, "20k"}, {-12.0, "-12"}, {0.5, "0.5"}})
        EXPECT_EQ(CPlotAxis::Label(fValue), label);
}

TEST(Analysis, PlotsScaleToTheirLinesAndFrameEachPanel)
{
    double fLow = 0.0, fHigh = 0.0;
    FiniteYRange({{"", {0, 1, 2}, {3.0, NAN, -2.0}}, {"", {0}, {7.5}}}, fLow, fHigh);
    EXPECT_EQ(std::make_pair(fLow, fHigh), std::make_pair(-2.0, 7.5));
    FiniteYRange({{"", {0}, {NAN}}}, fLow, fHigh);
    EXPECT_TRUE(std::isnan(fLow) && std::isnan(fHigh));
    RoundRange(-2.0, 7.5, 5.0, 20.0, fLow, fHigh);  // 20 wide around 2.75, ends on fives
    EXPECT_EQ(std::make_pair(fLow, fHigh), std::make_pair(-10.0, 15.0));

    // Two panels side by side, each framed from 64 px into its half to 18 px before its end.
    SPlotFigure figure;
    figure.m_nWidth = 400;
    figure.m_Panels.resize(2);
    const std::string path = testing::TempDir() + "/bwcli-plot.png";
    SavePlot(figure, path);
    ReleasePlotFonts();
    cairo_surface_t* pImage = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(pImage), CAIRO_STATUS_SUCCESS);
    const auto green = [&](int x, int y) { return cairo_image_surface_get_data(pImage)[y * cairo_image_surface_get_stride(pImage) + 4 * x + 1]; };
    for (const int x : {64, 181, 264, 381})
        EXPECT_LT(green(x, 300), 128) << x;  // the frame's grey
    for (const int x : {40, 200, 240, 395})
        EXPECT_GT(green(x, 300), 200) << x;  // white between the frames
    cairo_surface_destroy(pImage);
}

}  // namespace
