// Tone measurements: stepped-sine response, static level curves and harmonics.
#include "Measurements.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

double ToDb(double fAmplitude) { return 20.0 * std::log10(std::max(fAmplitude, 1e-15)); }

struct SStereo {
    std::vector<float> m_L, m_R;
};

// A tone of nFrames through the system; fPhase carries on from call to call, so the input
// never jumps.
SStereo RenderTone(const RenderFn& render, double fRate, double fHz, double fAmplitude, size_t nFrames, double& fPhase)
{
    std::vector<float> in(nFrames);
    const double fStep = kTwoPi * fHz / fRate;
    for (float& v : in) {
        v = float(fAmplitude * std::sin(fPhase));
        fPhase = std::fmod(fPhase + fStep, kTwoPi);
    }
    SStereo out{std::vector<float>(nFrames), std::vector<float>(nFrames)};
    render(in.data(), out.m_L.data(), out.m_R.data(), nFrames);
    return out;
}

// Whole periods of fHz lasting at least fMinSeconds and nMinPeriods, in frames.
size_t WholePeriods(double fHz, double fRate, double fMinSeconds, double nMinPeriods)
{
    const double fPeriods = std::ceil(std::max(fMinSeconds * fHz, nMinPeriods));
    return size_t(std::llround(fPeriods * fRate / fHz));
}

}  // namespace

double ToneLevel_dB(const std::vector<float>& x, size_t nStart, size_t nCount, double fHz, double fRate)
{
    std::complex<double> sum = 0.0;
    double fWindowSum = 0.0;
    const double fStep = kTwoPi * fHz / fRate;
    for (size_t n = 0; n < nCount; ++n) {
        const double w = 0.5 - 0.5 * std::cos(kTwoPi * double(n) / double(nCount));
        sum += w * double(x[nStart + n]) * std::polar(1.0, -fStep * double(n));
        fWindowSum += w;
    }
    return ToDb(2.0 * std::abs(sum) / fWindowSum);
}

std::vector<SResponsePoint> MeasureResponse(const RenderFn& render, double fRate, double fLevel_dBFS, double fFromHz,
                                            double fToHz, int nPerOctave)
{
    const double fAmplitude = std::pow(10.0, fLevel_dBFS / 20.0);
    const int nPoints = int(std::lround(std::log2(fToHz / fFromHz) * nPerOctave)) + 1;
    std::vector<SResponsePoint> points;
    double fPhase = 0.0;
    for (int i = 0; i < nPoints; ++i) {
        const double fHz = fFromHz * std::pow(fToHz / fFromHz, double(i) / double(nPoints - 1));
        if (fHz >= 0.45 * fRate)
            break;
        const size_t nSettle = size_t(0.15 * fRate);
        const size_t nMeasure = WholePeriods(fHz, fRate, 0.05, 8);
        const SStereo out = RenderTone(render, fRate, fHz, fAmplitude, nSettle + nMeasure, fPhase);
        points.push_back({fHz, ToneLevel_dB(out.m_L, nSettle, nMeasure, fHz, fRate) - fLevel_dBFS,
                          ToneLevel_dB(out.m_R, nSettle, nMeasure, fHz, fRate) - fLevel_dBFS});
    }
    return points;
}

std::vector<SLevelPoint> MeasureLevelCurve(const RenderFn& render, double fRate, double fHz, double fFrom_dB,
                                           double fTo_dB, double fStep_dB, double fHoldSeconds)
{
    std::vector<SLevelPoint> points;
    double fPhase = 0.0;
    const size_t nHold = size_t(fHoldSeconds * fRate);
    const size_t nMeasure = std::min(WholePeriods(fHz, fRate, 0.05, 8), nHold / 2);
    for (double fLevel = fFrom_dB; fLevel <= fTo_dB + 1e-9; fLevel += fStep_dB) {
        const SStereo out = RenderTone(render, fRate, fHz, std::pow(10.0, fLevel / 20.0), nHold, fPhase);
        points.push_back({fLevel, ToneLevel_dB(out.m_L, nHold - nMeasure, nMeasure, fHz, fRate)});
    }
    return points;
}

SHarmonics MeasureHarmonics(const RenderFn& render, double fRate, double fHz, double fLevel_dBFS)
{
    double fPhase = 0.0;
    const size_t nSettle = size_t(0.3 * fRate);
    const size_t nMeasure = WholePeriods(fHz, fRate, 0.2, 8);
    const SStereo out = RenderTone(render, fRate, fHz, std::pow(10.0, fLevel_dBFS / 20.0), nSettle + nMeasure, fPhase);
    SHarmonics h;
    h.m_fIn_dB = fLevel_dBFS;
    h.m_fFundamental_dB = ToneLevel_dB(out.m_L, nSettle, nMeasure, fHz, fRate);
    for (int k = 2; k <= kHighestHarmonic; ++k)
        h.m_fHarmonic_dBc[size_t(k - 2)] = k * fHz < 0.5 * fRate
                                               ? ToneLevel_dB(out.m_L, nSettle, nMeasure, k * fHz, fRate) - h.m_fFundamental_dB
                                               : std::numeric_limits<double>::quiet_NaN();
    return h;
}
