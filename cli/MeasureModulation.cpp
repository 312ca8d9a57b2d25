// Pitch deviation of a steady tone from interpolated zero crossings.
#include "Measurements.h"

#include <algorithm>
#include <cmath>
#include <numbers>

SPitchDeviation MeasurePitchDeviation(const RenderFn& render, double fRate, double fHz, double fSettleSeconds,
                                      double fSeconds)
{
    const size_t nSettle = size_t(fSettleSeconds * fRate);
    const size_t nFrames = nSettle + size_t(fSeconds * fRate);
    std::vector<float> in(nFrames), outL(nFrames), outR(nFrames);
    for (size_t n = 0; n < nFrames; ++n)
        in[n] = float(0.25 * std::sin(2.0 * std::numbers::pi * std::fmod(fHz * double(n) / fRate, 1.0)));
    render(in.data(), outL.data(), outR.data(), nFrames);

    // Upward crossings, linearly interpolated; one within half a period of the last is noise.
    const double fHalfPeriod = 0.5 * fRate / fHz;
    std::vector<double> crossings;
    for (size_t n = std::max<size_t>(nSettle, 1); n < nFrames; ++n) {
        const double a = outL[n - 1], b = outL[n];
        if (a < 0.0 && b >= 0.0) {
            const double t = double(n - 1) + a / (a - b);
            if (crossings.empty() || t - crossings.back() > fHalfPeriod)
                crossings.push_back(t);
        }
    }

    SPitchDeviation d;
    for (size_t k = 1; k < crossings.size(); ++k) {
        const double fPeriod = crossings[k] - crossings[k - 1];
        d.m_fTime_s.push_back(0.5 * (crossings[k] + crossings[k - 1]) / fRate - fSettleSeconds);
        d.m_fCents.push_back(1200.0 * std::log2(fRate / fPeriod / fHz));
    }
    if (d.m_fCents.empty())
        return d;
    const auto [lo, hi] = std::minmax_element(d.m_fCents.begin(), d.m_fCents.end());
    d.m_fPeakToPeak_cents = *hi - *lo;
    double fMean = 0.0, fSquares = 0.0;
    for (double c : d.m_fCents)
        fMean += c / double(d.m_fCents.size());
    for (double c : d.m_fCents)
        fSquares += (c - fMean) * (c - fMean);
    d.m_fRms_cents = std::sqrt(fSquares / double(d.m_fCents.size()));
    return d;
}
