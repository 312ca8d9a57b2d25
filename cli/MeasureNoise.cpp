// Averaged noise spectrum in third-octave bands.
#include "Fft.h"
#include "Measurements.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Mean square per bin (one-sided) of x, Welch-averaged over Hann segments of nSize.
std::vector<double> MeanSquarePerBin(const std::vector<float>& x, size_t nSize)
{
    std::vector<double> window(nSize), power(nSize / 2 + 1, 0.0);
    double fWindowSquares = 0.0;
    for (size_t n = 0; n < nSize; ++n) {
        window[n] = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * double(n) / double(nSize));
        fWindowSquares += window[n] * window[n];
    }
    size_t nSegments = 0;
    std::vector<std::complex<double>> buffer(nSize);
    for (size_t nStart = 0; nStart + nSize <= x.size(); nStart += nSize / 2, ++nSegments) {
        for (size_t n = 0; n < nSize; ++n)
            buffer[n] = window[n] * double(x[nStart + n]);
        ForwardFft(buffer);
        for (size_t k = 0; k <= nSize / 2; ++k)
            power[k] += std::norm(buffer[k]);
    }
    // Parseval with the window's energy; the negative frequencies fold onto the positive ones.
    for (size_t k = 0; k <= nSize / 2; ++k)
        power[k] *= (k == 0 || k == nSize / 2 ? 1.0 : 2.0) / (double(nSize) * fWindowSquares * double(std::max<size_t>(nSegments, 1)));
    return power;
}

// A mean square as dBFS, a full-scale sine (mean square 1/2) being 0 dB.
double MeanSquareToDb(double fMeanSquare) { return 10.0 * std::log10(std::max(fMeanSquare, 1e-30) / 0.5); }

}  // namespace

SNoiseSpectrum MeasureNoiseSpectrum(const RenderFn& render, double fRate, double fSettleSeconds, double fSeconds)
{
    const size_t nSettle = size_t(fSettleSeconds * fRate);
    const size_t nFrames = nSettle + size_t(fSeconds * fRate);
    std::vector<float> in(nFrames, 0.0f), outL(nFrames), outR(nFrames);
    render(in.data(), outL.data(), outR.data(), nFrames);
    outL.erase(outL.begin(), outL.begin() + std::ptrdiff_t(nSettle));
    outR.erase(outR.begin(), outR.begin() + std::ptrdiff_t(nSettle));

    // Bins no wider than 2 Hz, so the 20 Hz band (4.6 Hz wide) holds some.
    size_t nSize = 1024;
    while (double(nSize) < fRate / 2.0)
        nSize *= 2;
    const std::vector<double> left = MeanSquarePerBin(outL, nSize), right = MeanSquarePerBin(outR, nSize);

    SNoiseSpectrum s;
    double fTotalL = 0.0, fTotalR = 0.0;
    for (int i = -17; i <= 13; ++i) {
        const double fCentre = 1000.0 * std::pow(2.0, i / 3.0);
        const double fLow = fCentre * std::pow(2.0, -1.0 / 6.0), fHigh = fCentre * std::pow(2.0, 1.0 / 6.0);
        if (fHigh > 0.5 * fRate)
            break;
        double fL = 0.0, fR = 0.0;
        for (size_t k = size_t(std::ceil(fLow * double(nSize) / fRate)); double(k) * fRate / double(nSize) < fHigh; ++k) {
            fL += left[k];
            fR += right[k];
        }
        fTotalL += fL;
        fTotalR += fR;
        s.m_Bands.push_back({fCentre, MeanSquareToDb(fL), MeanSquareToDb(fR)});
    }
    s.m_fTotalLeft_dB = MeanSquareToDb(fTotalL);
    s.m_fTotalRight_dB = MeanSquareToDb(fTotalR);
    return s;
}
